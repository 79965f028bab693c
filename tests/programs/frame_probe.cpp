// frame_probe: a game whose behaviour is chosen by the first word of its command line
// (a scenario; a second word is its argument). It prints one line per thing the frame
// does to it, for the frame tests to compare.
#include <cstdarg>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/testing/testing.h"
#include "vornsdk.h"

namespace {

std::string g_scenario;
std::string g_argument;
int g_frames = 0;
long g_presentedAtQuit = 0;
int g_queries = 0;
std::thread g_waker;

void Trace(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::printf("\n");
    std::fflush(stdout);
}

CGameFrame& Frame() { return *GetGameFrame(); }

long Presented() { return vorn::testing::PresentedFrames(); }

// Traces the application's activation as the frame sees it (asked after the frame,
// which registers first), and activates the application when the waker thread asks.
class ActivationProbe : public CWindowHook {
public:
    static constexpr UINT kActivate = WM_USER + 1;

    LRESULT OnMessage(HWND, UINT message, WPARAM wParam, LPARAM) override {
        if (message == WM_ACTIVATEAPP) {
            Trace("activateapp %d paused %d", static_cast<int>(wParam), Frame().IsPaused());
        } else if (message == kActivate) {
            Trace("activate");
            vorn::testing::SimulateActivation();
            return 1;
        }
        return 0;
    }
} g_probe;

// protocol: the first callback installs the second during its EVENT_INIT; the second
// quits on its third frame.
void Second(int event) {
    if (event == EVENT_INIT) {
        Trace("second init");
    } else if (event == EVENT_FRAME) {
        Trace("second frame %d presented %ld", ++g_frames, Presented());
        if (g_frames == 3) {
            g_presentedAtQuit = Presented();
            Frame().Quit();
        }
    } else if (event == EVENT_END) {
        Trace("second end presented since quit %ld", Presented() - g_presentedAtQuit);
    }
}

void First(int event) {
    if (event == EVENT_INIT) {
        Trace("first init");
        Frame().SetCallBack(Second);
    } else {
        Trace(event == EVENT_END ? "first end" : "first frame");
    }
}

// queryclose: the first close is refused, the second accepted.
int QueryClose() {
    Trace("query %d", ++g_queries);
    return g_queries == 1;
}

void QueryCallBack(int event) {
    if (event == EVENT_FRAME) {
        Trace("frame %d quitting %d visible %d", ++g_frames, Frame().IsQuitting(),
              IsWindowVisible(Frame().GetHWnd()));
        if (g_frames == 2 || g_frames == 4) Frame().Quit();
    } else if (event == EVENT_END) {
        Trace("end");
    }
}

// pause: deactivated on the second frame; a thread asks for activation a moment later.
void PauseCallBack(int event) {
    if (event == EVENT_INIT) {
        g_probe.AddHook(Frame().GetHWnd());
    } else if (event == EVENT_FRAME) {
        Trace("frame %d presented %ld", ++g_frames, Presented());
        if (g_frames == 2) {
            Trace("deactivate");
            vorn::testing::SimulateDeactivation();
            g_waker = std::thread([window = Frame().GetHWnd()] {
                Sleep(300);
                PostMessageA(window, ActivationProbe::kActivate, 0, 0);
            });
        }
        if (g_frames == 4) Frame().Quit();
    } else if (event == EVENT_END) {
        if (g_waker.joinable()) g_waker.join();
        Trace("end");
    }
}

// instance: hides its window and goes inactive, then waits for a second copy to bring
// it back.
void InstanceCallBack(int event) {
    if (event == EVENT_INIT) {
        g_probe.AddHook(Frame().GetHWnd());
    } else if (event == EVENT_FRAME) {
        ++g_frames;
        if (g_frames == 1) {
            ShowWindow(Frame().GetHWnd(), SW_HIDE);
            vorn::testing::SimulateDeactivation();
            Trace("ready");
        } else {
            Trace("resumed visible %d", IsWindowVisible(Frame().GetHWnd()));
            Frame().Quit();
        }
    }
}

// counting: counts frames until the host closes the window (--frames, --seconds).
void CountingCallBack(int event) {
    if (event == EVENT_FRAME) ++g_frames;
    if (event == EVENT_END) Trace("end after %d frames", g_frames);
}

// display: the window is maximised on the first frame (the display goes full screen at
// the current size and depth), a message box is shown on the second.
int CursorCount() {
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

void DisplayCallBack(int event) {
    if (event != EVENT_FRAME) return;
    CDirectDraw* display = GetDirectDraw();
    Trace("frame %d mode %d bits %d flipping %d cursor %d", ++g_frames, display->GetDisplayMode(),
          display->GetCurrentDisplayBits(), display->IsFlipping(), CursorCount());
    if (g_frames == 1) SendMessageA(Frame().GetHWnd(), WM_SIZE, SIZE_MAXIMIZED, 0);
    if (g_frames == 2) {
        Frame().MsgBox("probe", "dialog");
        Trace("after dialog cursor %d", CursorCount());
        Frame().Quit();
    }
}

}  // namespace

void SetupGame() {
    const std::string line = Frame().GetCommandLine();
    const auto space = line.find(' ');
    g_scenario = line.substr(0, space);
    if (space != std::string::npos) g_argument = line.substr(space + 1);
    // Only the single-instance scenario may meet another copy of this program.
    Frame().m_bMultiInstance = g_scenario != "instance";
    GetFPSTimer()->SetFPS(60);
    Frame().SetCaption(("frame_probe " + g_scenario + " " + g_argument).c_str());

    if (g_scenario == "protocol") {
        Frame().SetCallBack(First);
    } else if (g_scenario == "queryclose") {
        Frame().m_lpfnQueryClose = QueryClose;
        Frame().SetCallBack(QueryCallBack);
    } else if (g_scenario == "pause") {
        Frame().SetCallBack(PauseCallBack);
    } else if (g_scenario == "instance") {
        Frame().SetCallBack(InstanceCallBack);
    } else if (g_scenario == "counting") {
        Frame().SetCallBack(CountingCallBack);
    } else if (g_scenario == "nocallback") {
        // No callback: frames are still paced and presented until --frames closes.
    } else if (g_scenario == "setupquit") {
        Trace("setup");
        Frame().Quit();
    } else if (g_scenario == "display") {
        GetDirectDraw()->SetDisplay(1, 320, 240, 16);
        Frame().SetCallBack(DisplayCallBack);
    } else if (g_scenario == "displayfail") {
        vorn::testing::FailAlways("IDirectDraw::SetCooperativeLevel");
        Frame().SetCallBack(CountingCallBack);
    } else if (g_scenario == "registerfail" || g_scenario == "createfail") {
        CErrorLog::m_bEnabled = true;
        vorn::testing::FailNext(g_scenario == "registerfail" ? "RegisterClassA"
                                                             : "CreateWindowExA");
        Frame().SetCallBack(CountingCallBack);
    } else {
        Trace("unknown scenario %s", g_scenario.c_str());
        Frame().Quit();
    }
}

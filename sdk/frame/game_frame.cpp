// The application frame: start-up, the main loop, the callback protocol and the frame's
// handling of the game window's messages.
#include "frame/game_frame.h"

#include <cstring>

#include "files/path.h"
#include "frame/error_log.h"
#include "frame/game_window.h"
#include "timing/time_source.h"

CGameFrame::CGameFrame() : m_strCaption("あぷりちゃん") { BeginTimerPeriod(); }

CGameFrame::~CGameFrame() {
    if (m_lpInstanceMutex) m_lpInstanceMutex->Release();
    m_lpInstanceMutex.reset();
    EndTimerPeriod();
}

int CGameFrame::Run(HINSTANCE instance, const char* commandLine, int showCommand) {
    m_hInstance = instance;
    std::strncpy(m_szCommandLine, commandLine ? commandLine : "", MAX_PATH - 1);
    m_szCommandLine[MAX_PATH - 1] = '\0';
    m_nShowCommand = showCommand;
    if (Start() != 0) return 1;
    MainLoop();
    return 0;
}

int CGameFrame::Start() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    // A current folder too long for the buffer leaves the base folder empty (relative
    // names then resolve against the current folder) instead of a cut path.
    if (length == 0 || length >= MAX_PATH) folder[0] = '\0';
    SetBaseFolder(folder);

    SetupGame();
    if (m_bQuit) return 1;
    if (!m_bMultiInstance && !CheckSingleInstance()) return 1;
    return StartDevices() ? 0 : 1;
}

bool CGameFrame::CheckSingleInstance() {
    m_lpInstanceMutex = std::make_unique<CInstanceMutex>();
    char path[MAX_PATH] = {};
    GetModuleFileNameA(m_hInstance, path, MAX_PATH);
    if (m_lpInstanceMutex->Open(MakeInstanceMutexName(path)) == 0) return true;
    // Another copy runs: bring its window forward and end quietly.
    if (HWND other = FindWindowA(nullptr, m_strCaption.c_str())) {
        ShowWindow(other, SW_SHOWNORMAL);
        SetForegroundWindow(other);
    }
    return false;
}

void CGameFrame::MainLoop() {
    AddHook(m_hWnd);
    MSG msg{};
    for (;;) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!m_bPaused) {
                if (m_lpfnCallBack) {
                    RunCallBacks();
                    if (m_bQuit) continue;  // no wait and no present once quitting
                }
                m_FPSTimer.WaitFrame();
                Present();
                if (!m_bPaused) continue;
            }
            if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
        }
        if (msg.message == WM_QUIT) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    RemoveHook();
}

void CGameFrame::RunCallBacks() {
    // A callback may install another during its EVENT_INIT; the new one is initialised
    // in the same pass, and a quit stops the chain.
    while (m_bInitPending && m_lpfnCallBack) {
        m_bInitPending = false;
        m_lpfnCallBack(EVENT_INIT);
        if (m_bQuit) return;
    }
    if (m_lpfnCallBack) m_lpfnCallBack(EVENT_FRAME);
}

void CGameFrame::SetCallBack(GameCallBack callback) {
    if (m_lpfnCallBack) m_lpfnCallBack(EVENT_END);
    m_lpfnCallBack = callback;
    m_bInitPending = true;
}

void CGameFrame::Quit() {
    if (m_hWnd) PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    m_bQuit = true;
}

int CGameFrame::SetCaption(const char* text) {
    m_strCaption = text ? text : "";
    return SetWindowTextA(m_hWnd, m_strCaption.c_str()) ? 0 : 1;
}

void CGameFrame::MsgBox(std::string caption, std::string text) {
    PrepareDialog();
    MessageBoxA(m_hWnd, text.c_str(), caption.c_str(), MB_SETFOREGROUND | MB_SYSTEMMODAL);
}

LRESULT CGameFrame::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != m_hWnd) return 0;
    // Keys are read from the keyboard device; none reaches the default procedure.
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST) return 1;
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 1;
        case WM_SIZE:
            if (wParam == SIZE_MAXIMIZED) Maximize();
            return 0;
        case WM_CLOSE:
            if (m_lpfnQueryClose && m_lpfnQueryClose()) {
                m_bQuit = false;
                return 1;
            }
            if (m_lpfnCallBack) m_lpfnCallBack(EVENT_END);
            ShowWindow(m_hWnd, SW_HIDE);
            TerminateDevices();
            DestroyWindow(m_hWnd);
            return 1;
        case WM_ACTIVATEAPP:
            if (!m_bPauseOnDeactivate) return 0;
            // One pause per resume: the devices count their pauses, and a deactivation
            // that repeats while paused must not leave them one pause deep for good.
            if (wParam == 0 && !m_bPaused) {
                m_bPaused = true;
                PauseDevices();
            } else if (wParam != 0 && m_bPaused) {
                m_bPaused = false;
                ResumeDevices();
            }
            return 0;
        default:
            return 0;
    }
}

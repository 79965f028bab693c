// CGameFrame: the application frame. One process-wide frame holds the devices and the
// frame-rate timer, starts the game (SetupGame, the single-instance check, the window
// and the devices), runs the main loop that calls the game's callback once per frame,
// and shuts everything down when the window closes.
#pragma once

#include <memory>
#include <string>

#include "display/direct_draw.h"
#include "frame/device.h"
#include "frame/instance_mutex.h"
#include "frame/window_hook.h"
#include "input/direct_input.h"
#include "platform/windows.h"
#include "timing/fps_timer.h"

// The codes of the game's callback.
enum {
    EVENT_FRAME = 0,  // once per frame while the program runs and is not paused
    EVENT_INIT = 1,   // first call of a newly installed callback
    EVENT_END = 2,    // to a callback being replaced, and to the current one on close
};

// The game's per-frame callback.
using GameCallBack = void (*)(int event);

// Defined by the game: sets the frame rate, the caption and the callback. Called once
// by Start, with the base folder already set.
void SetupGame();

class CGameFrame : public CWindowHook {
public:
    CGameFrame();
    ~CGameFrame() override;

    // The program entry's work: stores the arguments, Start, then MainLoop. 1 when
    // Start ended the program, else 0 once the loop has ended.
    int Run(HINSTANCE instance, const char* commandLine, int showCommand);

    // 0: run the main loop; 1: end the program (SetupGame quit, another copy runs, or
    // the window or a device could not start).
    int Start();

    // Pumps messages and runs frames until the window's quit message.
    void MainLoop();

    // Ends the current callback (EVENT_END) and installs another, which gets EVENT_INIT
    // before its first frame. Null stops the calls; frames still run.
    void SetCallBack(GameCallBack callback);

    // Asks the window to close (and, before the window exists, start-up to stop).
    void Quit();

    // Stores the caption and shows it on the window: 0 when the window took it, 1
    // otherwise (before the window exists the caption is stored only).
    int SetCaption(const char* text);

    // A modal message box over the game.
    void MsgBox(std::string caption, std::string text);

    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    CDirectDraw* GetDirectDraw() { return &m_DirectDraw; }
    CDirectInput* GetKeyInput() { return &m_DirectInput; }
    CFPSTimer* GetFPSTimer() { return &m_FPSTimer; }
    HWND GetHWnd() const { return m_hWnd; }
    HINSTANCE GetHInstance() const { return m_hInstance; }
    const std::string& GetCaption() const { return m_strCaption; }
    // The program entry's command line (cut to 259 bytes) and show command.
    const char* GetCommandLine() const { return m_szCommandLine; }
    int GetShowCommand() const { return m_nShowCommand; }
    bool IsPaused() const { return m_bPaused; }
    bool IsQuitting() const { return m_bQuit; }

    // Settings, changed by the game before Start ends.
    bool m_bMultiInstance = false;        // skip the single-instance check
    bool m_bPauseOnDeactivate = true;     // pause while the application is inactive
    int (*m_lpfnQueryClose)() = nullptr;  // non-zero cancels a close of the window

private:
    // The device steps.
    bool StartDevices();
    void Present();
    void PrepareDialog();
    void Maximize();
    void PauseDevices();
    void ResumeDevices();
    void TerminateDevices();

    bool CheckSingleInstance();  // false when another copy runs
    void RunCallBacks();

    // The devices come first, in the order they are built: the display (which also
    // makes the game window), then the keyboard and the other devices.
    CDirectDraw m_DirectDraw;
    CDirectInput m_DirectInput;

    CFPSTimer m_FPSTimer;
    HINSTANCE m_hInstance = nullptr;
    HWND m_hWnd = nullptr;
    char m_szCommandLine[MAX_PATH] = {};
    int m_nShowCommand = 0;
    std::string m_strCaption;
    bool m_bPaused = false;
    std::unique_ptr<CInstanceMutex> m_lpInstanceMutex;
    bool m_bQuit = false;
    GameCallBack m_lpfnCallBack = nullptr;
    bool m_bInitPending = true;
};

// The process-wide frame, its frame-rate timer and its devices.
CGameFrame* GetGameFrame();
CFPSTimer* GetFPSTimer();
CDirectDraw* GetDirectDraw();
// The keyboard, read by DirectInput scan code (the DIK_ values).
CDirectInput* GetKeyInput();

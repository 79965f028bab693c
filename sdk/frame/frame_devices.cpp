// The frame's device steps: what the frame does with its devices at start-up, once per
// frame, before a message box, on maximising, on deactivation and at the close. The
// display device makes the game window; it and the keyboard must start, or the program
// ends.
#include "frame/error_log.h"
#include "frame/game_frame.h"

namespace {

constexpr char kDirectXHint[] = "DirectX3以降が正常にセットアップされていないのでは？";

}  // namespace

bool CGameFrame::StartDevices() {
    m_hWnd = m_DirectDraw.CreateWindow(m_hInstance, m_strCaption);
    if (!m_hWnd) {
        CErrorLog::Report("CGameFrame::CreateWindowに失敗");
        MsgBox("CreateWindowに失敗", "再起動すればなおるかも？");
        return false;
    }
    if (m_DirectDraw.Initialize(m_hWnd, m_hInstance) != 0) {
        MsgBox("DirectDrawの初期化エラー", CErrorLog::GetLastMessage());
        MsgBox("問題発生", kDirectXHint);
        return false;
    }
    if (m_DirectInput.Initialize(m_hWnd, m_hInstance) != 0) {
        MsgBox("DirectInputの初期化エラー", CErrorLog::GetLastMessage());
        MsgBox("問題発生", kDirectXHint);
        return false;
    }
    // Then the devices whose failures are ignored.
    return true;
}

void CGameFrame::Present() { m_DirectDraw.Present(); }

void CGameFrame::PrepareDialog() {
    m_DirectDraw.FlipToGDI();
    m_DirectDraw.ShowCursorIfChanged(true);
}

void CGameFrame::Maximize() { m_DirectDraw.SetDisplay(0, 0, 0, 0); }

void CGameFrame::PauseDevices() {
    // The pauses of sound, music, CD audio and timers come first.
    m_DirectDraw.ShowPauseScreen();
}

void CGameFrame::ResumeDevices() {}

void CGameFrame::TerminateDevices() {
    // The other devices, then the keyboard, are terminated before the display.
    m_DirectInput.Terminate();
    m_DirectDraw.Terminate();
}

// The frame's device steps. Until the display device joins the frame, the frame makes
// the game window itself and presents the window's blank client area.
#include "frame/error_log.h"
#include "frame/game_frame.h"
#include "frame/game_window.h"

namespace {

// The window of the frame while it has no display device; the display device holds
// its own once it joins.
CGameWindow g_gameWindow;

}  // namespace

bool CGameFrame::StartDevices() {
    m_hWnd = g_gameWindow.CreateWindow(m_hInstance, m_strCaption, 1, 640, 480);
    if (!m_hWnd) {
        CErrorLog::Report("CGameFrame::CreateWindowに失敗");
        MsgBox("CreateWindowに失敗", "再起動すればなおるかも？");
        return false;
    }
    return true;
}

void CGameFrame::Present() { UpdateWindow(m_hWnd); }

void CGameFrame::PrepareDialog() {}

void CGameFrame::Maximize() {}

void CGameFrame::PauseDevices() {}

void CGameFrame::ResumeDevices() {}

void CGameFrame::TerminateDevices() {}

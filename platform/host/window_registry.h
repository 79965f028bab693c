// The windows of this process: the record behind each HWND and its host window.
// Internal to the platform layer. Records are created and changed on the main thread;
// the window directory's thread reads captions, so every access goes through the lock.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/base/types.h"
#include "platform/user/user.h"

struct SDL_Window;

namespace vorn::host {

struct WindowRecord {
    HWND handle = nullptr;
    std::string className;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;
    std::string caption;  // Shift-JIS
    DWORD style = 0;
    DWORD exStyle = 0;
    SDL_Window* sdl = nullptr;
    HMENU menu = nullptr;
    bool visible = false;
    bool destroying = false;  // WM_DESTROY is being sent
};

// A fresh handle value, never reused in this process (window and proxy handles alike).
HWND NewHandle();

// Takes the record into the registry under its handle.
void AddWindow(std::unique_ptr<WindowRecord> record);

// The record of a window of this process, or null. Main thread only; the pointer stays
// valid until RemoveWindow.
WindowRecord* FindWindowRecord(HWND window);

// Forgets the window; the caller has destroyed its host window.
void RemoveWindow(HWND window);

// Replaces the caption (the directory's thread may be reading it).
void SetCaption(WindowRecord& record, std::string caption);

// The first window of this process with the caption (and the class, when not null), or
// null. Safe from any thread.
HWND FindLocalWindow(const char* className, const char* caption);

// Every window of this process, oldest first.
std::vector<HWND> AllWindows();

}  // namespace vorn::host

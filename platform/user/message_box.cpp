// Message boxes: the host's dialog where there is a screen; on standard error where
// there is none, so that a program running unattended never waits for a click.
#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/host/host.h"
#include "platform/text/sjis.h"
#include "platform/user/user.h"

namespace {

int DefaultAnswer(UINT type) { return (type & 0xF) == MB_YESNO ? IDYES : IDOK; }

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    const std::string title = vorn::platform::SjisToUtf8(caption ? caption : "");
    const std::string message = vorn::platform::SjisToUtf8(text ? text : "");
    if (!vorn::host::EnsureVideo() || vorn::host::IsHeadless()) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
        std::fflush(stderr);
        return DefaultAnswer(type);
    }

    SDL_MessageBoxButtonData buttons[2]{};
    int count = 1;
    switch (type & 0xF) {
        case MB_OKCANCEL:
            buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDOK, "OK"};
            buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, "Cancel"};
            count = 2;
            break;
        case MB_YESNO:
            buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"};
            buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"};
            count = 2;
            break;
        default:
            buttons[0] = {
                SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                IDOK, "OK"};
            break;
    }
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if ((type & 0xF0) == MB_ICONERROR) flags = SDL_MESSAGEBOX_ERROR;
    if ((type & 0xF0) == MB_ICONWARNING) flags = SDL_MESSAGEBOX_WARNING;
    SDL_Window* parent = vorn::host::SdlWindowOf(owner);
    if (parent && !(SDL_GetWindowFlags(parent) & SDL_WINDOW_SHOWN)) parent = nullptr;
    const SDL_MessageBoxData data{flags, parent,  title.c_str(), message.c_str(),
                                  count, buttons, nullptr};
    int answer = 0;
    if (SDL_ShowMessageBox(&data, &answer) != 0) {
        // No dialog could be shown: say it on standard error, as without a screen.
        std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
        return DefaultAnswer(type);
    }
    // Closed with the window's close box: the escape button's answer.
    return answer >= 0 ? answer : buttons[count - 1].buttonid;
}

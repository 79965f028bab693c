// The counted component start-up shared by the display, keyboard and sound devices:
// the first user starts the component library, the last one to leave stops it.
#include "sdk/display/display_state.h"
#include "sdk/frame/error_log.h"

namespace {
int g_nCOMUseCount = 0;
}

int InitializeCOM() {
    if (g_nCOMUseCount == 0 && CoInitialize(nullptr) != S_OK) {
        CErrorLog::Report("CoInitializeに失敗...");
        return 1;
    }
    ++g_nCOMUseCount;
    return 0;
}

void UninitializeCOM() {
    if (g_nCOMUseCount == 0) return;
    if (--g_nCOMUseCount == 0) CoUninitialize();
}

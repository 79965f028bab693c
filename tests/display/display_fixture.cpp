// The display tests' fixture: a window per test, reports read from the log file.
#include "display_fixture.h"

#include <cstring>

#include "files/path.h"
#include "frame/error_log.h"

void DisplayTest::SetUp() {
    vorn::testing::ClearFaults();
    SetBaseFolder(dir.path().c_str());
    CErrorLog::m_bEnabled = true;
}

void DisplayTest::TearDown() {
    vorn::testing::ClearFaults();
    Close();
    vorn::testing::SetDesktopFormat({});
    CErrorLog::m_bEnabled = false;
    SetBaseFolder("");
}

void DisplayTest::Close() {
    display.Terminate();
    if (window) DestroyWindow(window);
    window = nullptr;
}

int DisplayTest::Open(int mode, int width, int height, int bits) {
    // The class is named after the caption, so every window gets a caption of its own.
    static int windows = 0;
    display.SetDisplay(mode, width, height, bits);
    window = display.CreateWindow(GetModuleHandleA(nullptr),
                                  "display test " + std::to_string(++windows));
    EXPECT_NE(window, nullptr);
    return display.Initialize(window, GetModuleHandleA(nullptr));
}

std::vector<std::string> DisplayTest::Reports() const {
    std::vector<std::string> messages;
    const std::string log = vorn::test::ReadHostFile(dir.file("ErrorLog.txt"));
    std::size_t start = 0;
    while (start < log.size()) {
        std::size_t end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        const std::string line = log.substr(start, end - start);
        const std::size_t text = line.find(" : ");
        messages.push_back(text == std::string::npos ? line : line.substr(text + 3));
        start = end + 1;
    }
    return messages;
}

bool DisplayTest::Reported(const std::string& message) const {
    for (const std::string& m : Reports())
        if (m == message) return true;
    return false;
}

DDSURFACEDESC DescriptionOf(LPDIRECTDRAWSURFACE surface) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    EXPECT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
    return desc;
}

namespace {

// The locked memory of one pixel, handed to `use`.
template <typename Use>
void WithPixel(LPDIRECTDRAWSURFACE surface, int x, int y, Use use) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
    use(static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch + x * bytes, bytes);
    surface->Unlock(desc.lpSurface);
}

}  // namespace

DWORD ReadPixel(LPDIRECTDRAWSURFACE surface, int x, int y) {
    DWORD value = 0;
    WithPixel(surface, x, y, [&](BYTE* p, int bytes) { std::memcpy(&value, p, bytes); });
    return value;
}

void WritePixel(LPDIRECTDRAWSURFACE surface, int x, int y, DWORD value) {
    WithPixel(surface, x, y, [&](BYTE* p, int bytes) { std::memcpy(p, &value, bytes); });
}

void FillPixels(LPDIRECTDRAWSURFACE surface, RECT rect, DWORD value) {
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = value;
    ASSERT_EQ(surface->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
}

// Fuzzes loading a plane from arbitrary bytes: the first byte picks the screen depth
// and the name's suffix, the rest is the file. Bytes that begin with "BM" take the
// bitmap path, others the picture decoder and, for ".ff", the farbfeld plug-in (when
// it was built next to this program). Every load must end in a result code.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "display/display_state.h"
#include "display/plane.h"
#include "files/path.h"
#include "platform/testing/testing.h"

namespace {

struct Screen {
    LPDIRECTDRAW display = nullptr;
    LPDIRECTDRAWSURFACE secondary = nullptr;
};

// One display per depth, made once: the fuzzer runs millions of loads.
Screen& ScreenOfDepth(int bits) {
    static Screen screens[33];
    Screen& screen = screens[bits];
    if (screen.display == nullptr) {
        if (vorn::testing::OpenOffscreenDisplay(bits, 640, 480, &screen.display,
                                                &screen.secondary) != DD_OK)
            std::abort();
    }
    vorn::testing::SetDesktopFormat({bits, 640, 480});
    return screen;
}

// Made once and never destroyed, so that the clean-up at exit can still read it.
const std::string& Folder() {
    static const std::string* folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vorn-plane-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        std::error_code ignored;
        std::filesystem::create_directories(pattern + "/spi");
        // The plug-in is built into spi/ of the build folder, beside fuzz/.
        const auto built =
            std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
        std::filesystem::copy_file(built / "spi/ifff.spi", pattern + "/spi/ifff.spi", ignored);
        SetBaseFolder((pattern + "/").c_str());
        return new std::string(pattern);
    }();
    static const int cleanUp = std::atexit([] { std::filesystem::remove_all(*folder); });
    static_cast<void>(cleanUp);
    return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static const int kDepths[] = {8, 16, 24, 32};
    static const char* kNames[] = {"fuzz.bmp", "fuzz.ff", "fuzz.png", "fuzz"};
    const Screen& screen = ScreenOfDepth(kDepths[data[0] & 3]);
    const std::string name = kNames[(data[0] >> 2) & 3];
    std::ofstream(Folder() + "/" + name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));

    m_lpDirectDraw = screen.display;
    lpSecondary = screen.secondary;
    {
        CPlane plane;
        const int result = plane.LoadBitmapFile(name, (data[0] & 0x10) != 0);
        if (result == 0 && plane.GetSurface() != nullptr) {
            // Whatever loaded must also draw.
            plane.BltTrans(-3, -3, RECT{0, 0, plane.GetWidth(), plane.GetHeight()});
            plane.BlendBlt(5, 5, 128, 128, 128, 128, 128, 128);
        }
    }
    m_lpDirectDraw = nullptr;
    lpSecondary = nullptr;
    return 0;
}

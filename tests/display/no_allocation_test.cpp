// Presenting a frame allocates nothing: with all three pass lists in use, a darkened
// 16-bit frame, a frame offset and every way of showing a frame. The program's
// allocations are counted by replacing the global allocation functions.
#include <cstdlib>
#include <new>

#include "display_fixture.h"

namespace {

long g_allocations = 0;

void Nothing() {}
void NothingWithDC(HDC) {}

}  // namespace

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

TEST_F(DisplayTest, PresentingAFrameAllocatesNothing) {
    struct Case {
        int mode;
        int bits;
        bool gdi;
        int offsetX;
    } cases[] = {{1, 16, false, 0}, {1, 16, true, 0},  {0, 16, false, 0},
                 {0, 8, false, 0},  {0, 32, false, 7}, {1, 24, false, -3}};
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + ", " + std::to_string(c.bits) + " bits");
        vorn::testing::SetDesktopFormat({c.bits, 0, 0});
        ASSERT_EQ(Open(c.mode, 640, 480, c.bits), 0);
        display.m_PrePaintCallbacks.Add(Nothing);
        display.m_DCPaintCallbacks.Add(NothingWithDC);
        display.m_PrePresentCallbacks.Add(Nothing);
        display.m_bGDIPresent = c.gdi;
        display.m_nFrameOffsetX = c.offsetX;
        display.m_nBrightness = 200;
        display.Present();  // the platform settles its buffers on the first frame
        const long before = g_allocations;
        for (int frame = 0; frame < 5; ++frame) display.Present();
        EXPECT_EQ(g_allocations, before);
        Close();
    }
}

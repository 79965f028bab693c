// The system picture decoder: formats it reads from memory streams, the HIMETRIC sizes
// it reports, and content it refuses.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ddraw_fixture.h"
#include "platform/kernel/kernel.h"
#include "platform/ole/picture.h"
#include "support/picture_files.h"

namespace {

using vorn::test::Picture;

Picture Gradient(int width, int height) {
    Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back((x * 40) << 16 | (y * 40) << 8 | 0x80);
    return picture;
}

// Decodes bytes through a stream over them; the picture or null, with the result.
IPicture* Decode(const std::string& bytes, HRESULT* result) {
    IStream* stream = nullptr;
    EXPECT_EQ(CreateStreamOnHGlobal(const_cast<char*>(bytes.data()), FALSE, &stream), S_OK);
    IPicture* picture = nullptr;
    *result = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), TRUE, IID_IPicture,
                             reinterpret_cast<void**>(&picture));
    stream->Release();
    return picture;
}

int ToPixels(LONG himetric) {
    return static_cast<int>(static_cast<float>(himetric) * kPixelsPerHimetric);
}

TEST(Picture, HimetricSizesTurnBackIntoTheExactPixelSize) {
    EXPECT_EQ(HimetricFromPixels(640), 16933);
    for (int pixels = 0; pixels <= 1 << 16; ++pixels)
        ASSERT_EQ(ToPixels(HimetricFromPixels(pixels)), pixels);
}

TEST(Picture, DecodesPngAndJpegWithTheirSize) {
    const Picture picture = Gradient(7, 5);
    for (const std::string& file :
         {vorn::test::EncodePng(picture), vorn::test::EncodeJpeg(picture)}) {
        HRESULT result = E_FAIL;
        IPicture* decoded = Decode(file, &result);
        ASSERT_EQ(result, S_OK);
        ASSERT_NE(decoded, nullptr);
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        EXPECT_EQ(decoded->get_Width(&width), S_OK);
        EXPECT_EQ(decoded->get_Height(&height), S_OK);
        EXPECT_EQ(ToPixels(width), 7);
        EXPECT_EQ(ToPixels(height), 5);
        EXPECT_EQ(decoded->Release(), 0u);
    }
}

TEST(Picture, RefusesCorruptAndForeignContent) {
    const std::string png = vorn::test::EncodePng(Gradient(16, 16));
    const std::string jpeg = vorn::test::EncodeJpeg(Gradient(16, 16));
    std::string hugePng = png;  // a header promising 100000 x 100000 pixels
    hugePng.replace(16, 8, std::string("\x00\x01\x86\xA0\x00\x01\x86\xA0", 8));
    std::string scrambledJpeg = jpeg;
    for (std::size_t i = jpeg.size() / 3; i < jpeg.size(); i += 7) scrambledJpeg[i] ^= 0x5A;
    const std::string cases[] = {
        "",
        "BM",
        std::string(4096, '\0'),
        png.substr(0, png.size() / 2),
        png.substr(0, 20),
        jpeg.substr(0, jpeg.size() / 2),
        jpeg.substr(0, 3),
        hugePng,
        "GIF89a\x10\x00\x10\x00",
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(testing::Message() << bytes.size() << " bytes");
        HRESULT result = S_OK;
        IPicture* decoded = Decode(bytes.empty() ? std::string(1, 'x') : bytes, &result);
        EXPECT_EQ(result, CTL_E_INVALIDPICTURE);
        EXPECT_EQ(decoded, nullptr);
    }
    // A JPEG whose scan data is damaged still decodes to something of its size, or is
    // refused; either way without harm.
    HRESULT result = S_OK;
    if (IPicture* decoded = Decode(scrambledJpeg, &result)) decoded->Release();
}

TEST(Picture, StreamsEndWithTheirGlobalBlock) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 4);
    std::memcpy(GlobalLock(block), "abcd", 4);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, TRUE, &stream), S_OK);
    char buffer[8] = {};
    ULONG read = 0;
    EXPECT_EQ(stream->Read(buffer, 8, &read), S_FALSE);
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    EXPECT_EQ(stream->Seek(5, STREAM_SEEK_SET, nullptr), E_INVALIDARG);
    stream->Release();  // frees the block
    EXPECT_EQ(GlobalSize(block), 0u);
}

using PictureRender = DisplayTest;

// Drawn into a 32-bit surface the colours come back exactly; a positive source height
// turns the picture upside down.
TEST_F(PictureRender, DrawsThePictureUprightOrUpsideDown) {
    const Picture picture = Gradient(7, 5);
    HRESULT result = E_FAIL;
    IPicture* decoded = Decode(vorn::test::EncodePng(picture), &result);
    ASSERT_NE(decoded, nullptr);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    decoded->get_Width(&width);
    decoded->get_Height(&height);
    IDirectDrawSurface* surface = Offscreen(7, 5, 32);
    for (bool upright : {true, false}) {
        HDC dc = nullptr;
        ASSERT_EQ(surface->GetDC(&dc), DD_OK);
        EXPECT_EQ(decoded->Render(dc, 0, 0, 7, 5, 0, upright ? height : 0, width,
                                  upright ? -height : height, nullptr),
                  S_OK);
        surface->ReleaseDC(dc);
        const auto pixels = Pixels(surface);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(pixels[y * 7 + x] & 0xFFFFFF, picture.At(x, upright ? y : 4 - y))
                    << x << "," << y;
    }
    EXPECT_EQ(decoded->Render(nullptr, 0, 0, 7, 5, 0, height, width, -height, nullptr),
              E_INVALIDARG);
    decoded->Release();
}

}  // namespace

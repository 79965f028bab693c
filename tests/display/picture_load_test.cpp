// Planes loaded from pictures other than bitmaps: PNG and JPEG through the system
// decoder, a farbfeld file through the project's plug-in, and the loader's refusals.
#include <filesystem>

#include "display/picture_loader.h"
#include "files/file_reader.h"
#include "plane_fixture.h"

namespace {

using vorn::test::Picture;

class PictureLoad : public PlaneScreen {
protected:
    void SetUp() override { OpenScreen(32); }

    // Puts the project's farbfeld plug-in where the loader looks for it.
    void InstallPlugin() {
        std::filesystem::create_directories(m_folder.file("spi"));
        std::filesystem::copy_file(VORN_BINARY_DIR "/spi/ifff.spi", m_folder.file("spi/ifff.spi"));
    }

    // A picture of w x h with distinct colours, large enough for the plug-in minimum.
    static Picture Pattern(int width, int height) {
        Picture picture{width, height, {}};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.pixels.push_back((x * 9) << 16 | (y * 7) << 8 | ((x + y) * 5 & 0xFF));
        return picture;
    }
};

TEST_F(PictureLoad, PngAndJpegComeThroughTheSystemDecoder) {
    const Picture picture = Pattern(21, 13);
    WriteFile("title.png", vorn::test::EncodePng(picture));
    WriteFile("title.jpg", vorn::test::EncodeJpeg(picture));
    CPlane plane;
    ASSERT_EQ(plane.LoadBitmapFile("title.png", true), 0);
    EXPECT_EQ(plane.GetWidth(), 21);
    EXPECT_EQ(plane.GetHeight(), 13);
    EXPECT_EQ(Pixels(plane.GetSurface()), picture.pixels);
    EXPECT_EQ(KeyOf(plane), picture.pixels[0]);

    ASSERT_EQ(plane.LoadBitmapFile("title.jpg", true), 0);  // no plug-in folder exists
    EXPECT_EQ(plane.GetWidth(), 21);
    EXPECT_EQ(plane.GetHeight(), 13);
}

TEST_F(PictureLoad, AFormatOnlyThePluginReadsComesThroughThePlugin) {
    InstallPlugin();
    const Picture picture = Pattern(16, 16);  // 16 + 16 x 16 x 8 bytes: just over 2048
    WriteFile("sprite.ff", vorn::test::EncodeFarbfeld(picture));
    WriteFile("upper.FF", vorn::test::EncodeFarbfeld(picture));
    CPlane plane;
    ASSERT_EQ(plane.LoadBitmapFile("sprite.ff", true), 0);
    EXPECT_EQ(plane.GetWidth(), 16);
    EXPECT_EQ(Pixels(plane.GetSurface()), picture.pixels);
    // The suffix keeps its capitals (spi/ifFF.spi), which the file system finds.
    EXPECT_EQ(plane.LoadBitmapFile("upper.FF", true), 0);

    CFileReader reader;
    ASSERT_EQ(reader.Read("sprite.ff"), 0);
    CPictureLoader loader;
    ASSERT_EQ(loader.Load(reader), 0);
    int width = 0, height = 0;
    EXPECT_EQ(loader.GetSize(width, height), 0);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    EXPECT_EQ(loader.Release(), 0);
    EXPECT_EQ(loader.GetSize(width, height), 1);
    EXPECT_EQ(loader.Render(nullptr), 1);
}

TEST_F(PictureLoad, RefusesWhatNoDecoderTakes) {
    InstallPlugin();
    struct Case {
        const char* what;
        const char* name;
        std::string bytes;
        const char* message = "CPlane::LoadPlaneでBitmap以外のファイルを読んだ";
    };
    const std::string png = vorn::test::EncodePng(Pattern(32, 32));
    const std::string jpeg = vorn::test::EncodeJpeg(Pattern(32, 32));
    const std::string small = vorn::test::EncodeFarbfeld(Pattern(15, 16));  // 1936 bytes
    std::string lying = vorn::test::EncodeFarbfeld(Pattern(16, 16));
    lying[11] = 100;  // a width of 100 the data does not hold
    const Case cases[] = {
        {"under the plug-in minimum of 2048 bytes", "small.ff", small},
        {"no plug-in for the suffix", "picture.xyz", std::string(4096, 'x')},
        {"no suffix at all", "picture", std::string(4096, 'x')},
        {"content the plug-in does not take", "other.ff", std::string(4096, 'x')},
        // Taken by the plug-in, which then gives no size: no surface can be made.
        {"a plug-in picture larger than its data", "lying.ff", lying,
         "CPlane::CreateSurfaceのCreateSurfaceに失敗"},
        {"a PNG cut in half", "cut.png", png.substr(0, png.size() / 2)},
        {"a JPEG cut short", "cut.jpg", jpeg.substr(0, 200)},
        {"a PNG with a broken header", "broken.png",
         png.substr(0, 12) + std::string(20, '\xFF') + png.substr(32)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(c.name, c.bytes);
        CPlane plane;
        EXPECT_EQ(plane.LoadBitmapFile(c.name, true), 2);
        EXPECT_EQ(CErrorLog::GetLastMessage(), c.message);
        EXPECT_EQ(plane.GetSurface(), nullptr);
    }
    // The same picture of 2048 bytes or more loads.
    WriteFile("big.ff", vorn::test::EncodeFarbfeld(Pattern(16, 16)));
    CPlane plane;
    EXPECT_EQ(plane.LoadBitmapFile("big.ff", true), 0);
}

TEST_F(PictureLoad, AFailedRenderLeavesTheSurfaceAndReturnsItsResult) {
    WriteFile("title.png", vorn::test::EncodePng(Pattern(4, 4)));
    CPlane plane;
    vorn::testing::FailNext("IPicture::Render");
    EXPECT_EQ(plane.LoadBitmapFile("title.png", true), 1);
    EXPECT_NE(plane.GetSurface(), nullptr);
    vorn::testing::FailNext("IDirectDraw::CreateSurface");
    EXPECT_EQ(plane.LoadBitmapFile("title.png", true), 2);
    EXPECT_EQ(CErrorLog::GetLastMessage(), "CPlane::CreateSurfaceのCreateSurfaceに失敗");
}

}  // namespace

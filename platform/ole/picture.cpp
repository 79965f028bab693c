// Picture objects decoded by the host's image library: OleLoadPicture and IPicture.
#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/ole/memory_stream.h"
#include "platform/ole/picture.h"
#include "platform/ole/picture_probe.h"
#include "platform/ole/ref_counted.h"
#include "platform/testing/faults.h"

const IID IID_IPicture = {
    0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

namespace {

SDL_Surface* Decode(vorn::platform::PictureFormat format, SDL_RWops* source) {
    using vorn::platform::PictureFormat;
    switch (format) {
        case PictureFormat::kPng:
            return IMG_LoadPNG_RW(source);
        case PictureFormat::kJpeg:
            return IMG_LoadJPG_RW(source);
        case PictureFormat::kGif:
            return IMG_LoadGIF_RW(source);
        case PictureFormat::kTga:
            return IMG_LoadTGA_RW(source);
        case PictureFormat::kNone:
            break;
    }
    return nullptr;
}

class HostPicture final : public vorn::platform::RefCounted<IPicture> {
public:
    HostPicture(int width, int height, std::vector<DWORD> pixels)
        : width_(width), height_(height), pixels_(std::move(pixels)) {}

    HRESULT QueryInterface(REFIID iid, void** object) override {
        return Answer(iid, IID_IPicture, object);
    }

    HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) override {
        if (width == nullptr) return E_POINTER;
        *width = HimetricFromPixels(width_);
        return S_OK;
    }
    HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) override {
        if (height == nullptr) return E_POINTER;
        *height = HimetricFromPixels(height_);
        return S_OK;
    }

    HRESULT Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                   OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc,
                   LPCRECT bounds) override {
        if (dc == nullptr || cx <= 0 || cy <= 0 || cxSrc == 0 || cySrc == 0) return E_INVALIDARG;
        if (static_cast<long long>(cx) * cy > vorn::platform::kMaxPicturePixels)
            return E_INVALIDARG;
        std::int64_t failure = E_FAIL;
        if (vorn::platform::ShouldFail("IPicture::Render", this, &failure)) {
            return static_cast<HRESULT>(failure);
        }
        // Each destination pixel takes the picture pixel under its centre. HIMETRIC y
        // runs up from the picture's bottom edge.
        const double fullWidth = HimetricFromPixels(width_);
        const double fullHeight = HimetricFromPixels(height_);
        std::vector<DWORD> drawn(static_cast<std::size_t>(cx) * cy);
        std::vector<int> columns(cx);
        for (LONG dx = 0; dx < cx; ++dx) {
            const double hx = xSrc + (dx + 0.5) * cxSrc / cx;
            columns[dx] = Clamp(static_cast<int>(std::floor(hx * width_ / fullWidth)), width_);
        }
        for (LONG dy = 0; dy < cy; ++dy) {
            const double hy = ySrc + (dy + 0.5) * cySrc / cy;
            const int row = Clamp(
                static_cast<int>(std::floor((fullHeight - hy) * height_ / fullHeight)), height_);
            const DWORD* source = pixels_.data() + static_cast<std::size_t>(row) * width_;
            DWORD* target = drawn.data() + static_cast<std::size_t>(dy) * cx;
            for (LONG dx = 0; dx < cx; ++dx) target[dx] = source[columns[dx]];
        }
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = cx;
        info.bmiHeader.biHeight = -cy;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        const int lines =
            SetDIBitsToDevice(dc, x, y, cx, cy, 0, 0, 0, cy, drawn.data(), &info, DIB_RGB_COLORS);
        return lines > 0 ? S_OK : E_FAIL;
    }

private:
    ~HostPicture() override = default;

    static int Clamp(int value, int size) {
        return value < 0 ? 0 : value >= size ? size - 1 : value;
    }

    int width_;
    int height_;
    std::vector<DWORD> pixels_;  // top-down rows of 0x00RRGGBB, transparency blended onto black
};

// Decodes the bytes into rows of 0x00RRGGBB, or returns false.
bool DecodePixels(const BYTE* data, std::size_t size, int* width, int* height,
                  std::vector<DWORD>* pixels) {
    const vorn::platform::PictureHeader header = vorn::platform::ProbePicture(data, size);
    if (header.format == vorn::platform::PictureFormat::kNone) return false;
    SDL_RWops* source = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (source == nullptr) return false;
    SDL_Surface* decoded = Decode(header.format, source);
    SDL_RWclose(source);
    if (decoded == nullptr) return false;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (argb == nullptr) return false;
    *width = argb->w;
    *height = argb->h;
    pixels->resize(static_cast<std::size_t>(argb->w) * argb->h);
    for (int row = 0; row < argb->h; ++row) {
        const auto* in = reinterpret_cast<const Uint32*>(
            static_cast<const BYTE*>(argb->pixels) + static_cast<std::size_t>(row) * argb->pitch);
        DWORD* out = pixels->data() + static_cast<std::size_t>(row) * argb->w;
        for (int column = 0; column < argb->w; ++column) {
            const Uint32 pixel = in[column];
            const Uint32 alpha = pixel >> 24;
            if (alpha == 255) {
                out[column] = pixel & 0x00FFFFFF;
                continue;
            }
            auto channel = [&](int shift) {
                return (((pixel >> shift) & 0xFF) * alpha + 127) / 255 << shift;
            };
            out[column] = channel(16) | channel(8) | channel(0);
        }
    }
    SDL_FreeSurface(argb);
    return true;
}

}  // namespace

// The smallest HIMETRIC length that a reader converting with kPixelsPerHimetric reads
// back as `pixels` (each unit adds less than one pixel, so every count is reached).
LONG HimetricFromPixels(int pixels) {
    auto toPixels = [](LONG himetric) {
        return static_cast<int>(static_cast<float>(himetric) * kPixelsPerHimetric);
    };
    LONG himetric = static_cast<LONG>(std::ceil(pixels / static_cast<double>(kPixelsPerHimetric)));
    while (himetric > 0 && toPixels(himetric - 1) >= pixels) --himetric;
    while (toPixels(himetric) < pixels) ++himetric;
    return himetric;
}

HRESULT OleLoadPicture(LPSTREAM stream, LONG size, BOOL runMode, REFIID iid, LPVOID* picture) {
    if (picture == nullptr) return E_INVALIDARG;
    *picture = nullptr;
    if (stream == nullptr || size < 0) return E_INVALIDARG;
    if (!(iid == IID_IPicture || iid == IID_IUnknown)) return E_NOINTERFACE;
    std::int64_t failure = CTL_E_INVALIDPICTURE;
    if (vorn::platform::ShouldFail("OleLoadPicture", stream, &failure)) {
        return static_cast<HRESULT>(failure);
    }

    // A memory stream is decoded in place; any other is read out first.
    const BYTE* data = nullptr;
    std::size_t length = static_cast<std::size_t>(size);
    std::vector<BYTE> copy;
    if (vorn::platform::StreamMemory(stream, &data, &length)) {
        if (length < static_cast<std::size_t>(size)) return CTL_E_INVALIDPICTURE;
        length = static_cast<std::size_t>(size);
        vorn::platform::AdvanceStream(stream, length);
    } else {
        copy.resize(length);
        ULONG read = 0;
        stream->Read(copy.data(), static_cast<ULONG>(length), &read);
        length = read;
        data = copy.data();
    }

    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
    if (!DecodePixels(data, length, &width, &height, &pixels)) return CTL_E_INVALIDPICTURE;
    *picture = static_cast<IPicture*>(new HostPicture(width, height, std::move(pixels)));
    return S_OK;
}

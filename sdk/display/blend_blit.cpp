// The blend blit: a plane mixed into the secondary surface channel by channel with a
// weight for the source and one for the destination in each of red, green and blue
// (256ths, no saturation: a channel that overflows wraps around within its bits).
#include <algorithm>
#include <cstring>

#include "display/display_state.h"
#include "display/plane.h"
#include "frame/error_log.h"

namespace {

struct Weights {
    DWORD source[3];  // red, green, blue
    DWORD dest[3];
};

// The pixels to mix: `width` x `height` from the source's (sx, sy) to the target's
// (tx, ty), rows of each surface their own pitch apart.
struct Span {
    const BYTE* source;
    LONG sourcePitch;
    BYTE* target;
    LONG targetPitch;
    int width;
    int height;
};

// 16 and 32 bits: each channel multiplied in place under its mask, products summed in
// the pixel's wide type so that the result wraps as the channel's own bits.
template <typename Pixel, typename Wide>
void MixPacked(const Span& span, const DWORD masks[3], const Weights& weights, bool keyed,
               DWORD key) {
    const Pixel all = static_cast<Pixel>(masks[0] | masks[1] | masks[2]);
    const Pixel keyValue = static_cast<Pixel>(key) & all;
    for (int row = 0; row < span.height; ++row) {
        const BYTE* source = span.source + static_cast<std::ptrdiff_t>(row) * span.sourcePitch;
        BYTE* target = span.target + static_cast<std::ptrdiff_t>(row) * span.targetPitch;
        for (int column = 0; column < span.width; ++column) {
            Pixel s, d;
            std::memcpy(&s, source + column * sizeof(Pixel), sizeof(Pixel));
            if (keyed && (s & all) == keyValue) continue;
            std::memcpy(&d, target + column * sizeof(Pixel), sizeof(Pixel));
            Pixel mixed = 0;
            for (int c = 0; c < 3; ++c) {
                const Wide sum =
                    static_cast<Wide>(s & masks[c]) * static_cast<Wide>(weights.source[c]) +
                    static_cast<Wide>(d & masks[c]) * static_cast<Wide>(weights.dest[c]);
                mixed |= static_cast<Pixel>((sum >> 8) & masks[c]);
            }
            std::memcpy(target + column * sizeof(Pixel), &mixed, sizeof(Pixel));
        }
    }
}

// 24 bits: the three bytes in memory order take the three pairs of weights in order.
void Mix24(const Span& span, const Weights& weights, bool keyed, DWORD key) {
    const BYTE keyBytes[3] = {static_cast<BYTE>(key), static_cast<BYTE>(key >> 8),
                              static_cast<BYTE>(key >> 16)};
    for (int row = 0; row < span.height; ++row) {
        const BYTE* source = span.source + static_cast<std::ptrdiff_t>(row) * span.sourcePitch;
        BYTE* target = span.target + static_cast<std::ptrdiff_t>(row) * span.targetPitch;
        for (int column = 0; column < span.width; ++column) {
            const BYTE* s = source + 3 * column;
            BYTE* d = target + 3 * column;
            if (keyed && std::memcmp(s, keyBytes, 3) == 0) continue;
            for (int c = 0; c < 3; ++c) {
                d[c] = static_cast<BYTE>((s[c] * weights.source[c] + d[c] * weights.dest[c]) >> 8);
            }
        }
    }
}

}  // namespace

int CPlane::BlendBlt(int x, int y, int redSource, int greenSource, int blueSource, int redDest,
                     int greenDest, int blueDest) {
    const RECT clip = {0, 0, m_nScreenWidth, m_nScreenHeight};
    return BlendBlt(x, y, RECT{0, 0, m_nWidth, m_nHeight}, redSource, greenSource, blueSource,
                    redDest, greenDest, blueDest, &clip);
}

int CPlane::BlendBlt(int x, int y, RECT source, int redSource, int greenSource, int blueSource,
                     int redDest, int greenDest, int blueDest, const RECT* clip) {
    if (lpSecondary == nullptr || m_lpSurface == nullptr) return -1;
    const RECT bounds = clip != nullptr ? *clip : RECT{0, 0, m_nScreenWidth, m_nScreenHeight};
    int right = x + (source.right - source.left);
    int bottom = y + (source.bottom - source.top);
    if (right < bounds.left || bottom < bounds.top || x >= bounds.right || y >= bounds.bottom)
        return 0;
    if (x < bounds.left) {
        source.left += bounds.left - x;
        x = bounds.left;
    }
    if (y < bounds.top) {
        source.top += bounds.top - y;
        y = bounds.top;
    }
    right = std::min<int>(right, bounds.right);
    bottom = std::min<int>(bottom, bounds.bottom);

    DWORD key = 0xFFFFFFFF;
    DDCOLORKEY colorKey = {};
    if (m_bBlendKey && m_lpSurface->GetColorKey(DDCKEY_SRCBLT, &colorKey) == DD_OK) {
        key = colorKey.dwColorSpaceLowValue;
    }

    DDSURFACEDESC target = {};
    target.dwSize = sizeof target;
    if (lpSecondary->Lock(nullptr, &target, DDLOCK_WAIT, nullptr) != DD_OK) {
        CErrorLog::Report("CPlane::BlendBltでSurfaceのLockに失敗");
        return 2;
    }
    DDSURFACEDESC plane = {};
    plane.dwSize = sizeof plane;
    if (m_lpSurface->Lock(nullptr, &plane, DDLOCK_WAIT, nullptr) != DD_OK) {
        CErrorLog::Report("CPlane::BlendBltでSurfaceのLockに失敗");
        lpSecondary->Unlock(nullptr);
        return 3;
    }

    // Neither rectangle is trusted to lie inside its surface: the mix is cut to the
    // part that both surfaces really have.
    int skipLeft = std::max({0, -static_cast<int>(source.left), -x});
    int skipTop = std::max({0, -static_cast<int>(source.top), -y});
    const long long width = std::min({static_cast<long long>(right) - x,
                                      static_cast<long long>(plane.dwWidth) - source.left,
                                      static_cast<long long>(target.dwWidth) - x}) -
                            skipLeft;
    const long long height = std::min({static_cast<long long>(bottom) - y,
                                       static_cast<long long>(plane.dwHeight) - source.top,
                                       static_cast<long long>(target.dwHeight) - y}) -
                             skipTop;
    const DWORD bits = target.ddpfPixelFormat.dwRGBBitCount;
    const bool sameFormat = plane.ddpfPixelFormat.dwRGBBitCount == bits;
    if (width > 0 && height > 0 && sameFormat && (bits == 16 || bits == 24 || bits == 32)) {
        const std::size_t bytes = bits / 8;
        const Span span = {static_cast<const BYTE*>(plane.lpSurface) +
                               (source.top + skipTop) * plane.lPitch +
                               (source.left + skipLeft) * bytes,
                           plane.lPitch,
                           static_cast<BYTE*>(target.lpSurface) + (y + skipTop) * target.lPitch +
                               (x + skipLeft) * bytes,
                           target.lPitch,
                           static_cast<int>(width),
                           static_cast<int>(height)};
        const Weights weights = {{static_cast<DWORD>(redSource), static_cast<DWORD>(greenSource),
                                  static_cast<DWORD>(blueSource)},
                                 {static_cast<DWORD>(redDest), static_cast<DWORD>(greenDest),
                                  static_cast<DWORD>(blueDest)}};
        const DWORD masks[3] = {target.ddpfPixelFormat.dwRBitMask,
                                target.ddpfPixelFormat.dwGBitMask,
                                target.ddpfPixelFormat.dwBBitMask};
        const bool keyed = key != 0xFFFFFFFF;
        if (bits == 16) {
            MixPacked<WORD, DWORD>(span, masks, weights, keyed, key);
        } else if (bits == 32) {
            MixPacked<DWORD, std::uint64_t>(span, masks, weights, keyed, key);
        } else {
            Mix24(span, weights, keyed, key);
        }
    }
    lpSecondary->Unlock(nullptr);
    m_lpSurface->Unlock(nullptr);
    return 0;
}

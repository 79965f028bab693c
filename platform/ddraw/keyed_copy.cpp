// Colour-keyed copies without a branch per pixel: sixteen bytes at a time are compared
// with the key and merged with the destination under the comparison's mask (the
// compiler's vector types, which become SSE2 or NEON), eight bytes at a time with
// word arithmetic, and the last few pixels one by one with a select.
#include "platform/ddraw/keyed_copy.h"

#include <cstring>

namespace vorn::platform {
namespace {

using Vec8 = std::uint8_t __attribute__((vector_size(16)));
using Vec16 = std::uint16_t __attribute__((vector_size(16)));
using Vec32 = std::uint32_t __attribute__((vector_size(16)));
using Vec64 = std::uint64_t __attribute__((vector_size(16)));

template <typename Vec>
inline Vec Load(const std::uint8_t* p) {
    Vec v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename Vec>
inline void Store(std::uint8_t* p, Vec v) {
    std::memcpy(p, &v, sizeof v);
}

// dest = source where source != key, for one chunk of 16 bytes.
template <typename Vec>
inline void MergeChunk(std::uint8_t* dest, const std::uint8_t* source, Vec key) {
    const Vec s = Load<Vec>(source);
    const Vec d = Load<Vec>(dest);
    const Vec keep = reinterpret_cast<Vec>(s == key);  // all ones where the destination stays
    Store(dest, (d & keep) | (s & ~keep));
}

// Eight 8-bit pixels in one 64-bit word: a byte of (source ^ key) is zero exactly when
// the pixel is the key; the carry-free test below marks the other bytes' top bits.
inline void MergeWord8(std::uint8_t* dest, const std::uint8_t* source, std::uint64_t key) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    std::uint64_t s, d;
    std::memcpy(&s, source, 8);
    std::memcpy(&d, dest, 8);
    const std::uint64_t x = s ^ key;
    const std::uint64_t differs = (((x & kLow7) + kLow7) | x) & ~kLow7;  // 0x80 per differing byte
    const std::uint64_t copy = (differs >> 7) * 0xFF;
    const std::uint64_t merged = (s & copy) | (d & ~copy);
    std::memcpy(dest, &merged, 8);
}

// The same for two rows of eight 8-bit pixels, one in each half of a vector register:
// a byte compare and a select cost fewer instructions than the word arithmetic above,
// and the sprite cell is the case drawn thousands of times a frame. The rows are
// loaded as words and put together in registers, not copied into a vector in memory,
// which would go through the stack.
inline void MergeCellRows8(std::uint8_t* dest0, std::uint8_t* dest1, const std::uint8_t* source0,
                           const std::uint8_t* source1, Vec8 key) {
    std::uint64_t s0, s1, d0, d1;
    std::memcpy(&s0, source0, 8);
    std::memcpy(&s1, source1, 8);
    std::memcpy(&d0, dest0, 8);
    std::memcpy(&d1, dest1, 8);
    const Vec8 s = reinterpret_cast<Vec8>(Vec64{s0, s1});
    const Vec8 d = reinterpret_cast<Vec8>(Vec64{d0, d1});
    const Vec8 keep = reinterpret_cast<Vec8>(s == key);
    const Vec64 merged = reinterpret_cast<Vec64>((d & keep) | (s & ~keep));
    d0 = merged[0];
    d1 = merged[1];
    std::memcpy(dest0, &d0, 8);
    std::memcpy(dest1, &d1, 8);
}

template <typename Pixel>
inline void MergeTail(std::uint8_t* dest, const std::uint8_t* source, int count, Pixel key) {
    for (int i = 0; i < count; ++i) {
        Pixel s, d;
        std::memcpy(&s, source + i * sizeof(Pixel), sizeof s);
        std::memcpy(&d, dest + i * sizeof(Pixel), sizeof d);
        const Pixel out = s == key ? d : s;  // a conditional move, not a branch
        std::memcpy(dest + i * sizeof(Pixel), &out, sizeof out);
    }
}

void Rows8(std::uint8_t* dest, long destPitch, const std::uint8_t* source, long sourcePitch,
           int count, int rows, std::uint32_t key) {
    const Vec8 keys = Vec8{} + static_cast<std::uint8_t>(key);
    const std::uint64_t keyWord = 0x0101010101010101ull * static_cast<std::uint8_t>(key);
    for (; rows > 0; --rows, dest += destPitch, source += sourcePitch) {
        int i = 0;
        for (; i + 16 <= count; i += 16) MergeChunk(dest + i, source + i, keys);
        for (; i + 8 <= count; i += 8) MergeWord8(dest + i, source + i, keyWord);
        MergeTail<std::uint8_t>(dest + i, source + i, count - i, static_cast<std::uint8_t>(key));
    }
}

template <typename Pixel, typename Vec>
void RowsWide(std::uint8_t* dest, long destPitch, const std::uint8_t* source, long sourcePitch,
              int count, int rows, std::uint32_t key) {
    constexpr int kPerChunk = 16 / sizeof(Pixel);
    const Pixel keyPixel = static_cast<Pixel>(key);
    const Vec keys = Vec{} + keyPixel;
    for (; rows > 0; --rows, dest += destPitch, source += sourcePitch) {
        int i = 0;
        for (; i + kPerChunk <= count; i += kPerChunk) {
            MergeChunk(dest + i * sizeof(Pixel), source + i * sizeof(Pixel), keys);
        }
        MergeTail<Pixel>(dest + i * sizeof(Pixel), source + i * sizeof(Pixel), count - i, keyPixel);
    }
}

// The cell loops are small functions of their own, so that a cell pays neither the
// set-up nor the saved registers of the general loops.
void Cells8(std::uint8_t* dest, long destPitch, const std::uint8_t* source, long sourcePitch,
            int rows, std::uint32_t key) {
    const Vec8 keys = Vec8{} + static_cast<std::uint8_t>(key);
    if (rows == 8) {  // a whole cell, without a loop to count
#pragma GCC unroll 4
        for (int pair = 0; pair < 4; ++pair)
            MergeCellRows8(dest + 2 * pair * destPitch, dest + (2 * pair + 1) * destPitch,
                           source + 2 * pair * sourcePitch, source + (2 * pair + 1) * sourcePitch,
                           keys);
        return;
    }
    for (; rows >= 2; rows -= 2, dest += 2 * destPitch, source += 2 * sourcePitch)
        MergeCellRows8(dest, dest + destPitch, source, source + sourcePitch, keys);
    // An odd last row goes as both halves: the two stores write the same bytes.
    if (rows == 1) MergeCellRows8(dest, dest, source, source, keys);
}

template <typename Pixel, typename Vec>
void CellsWide(std::uint8_t* dest, long destPitch, const std::uint8_t* source, long sourcePitch,
               int rows, std::uint32_t key) {
    const Vec keys = Vec{} + static_cast<Pixel>(key);
    for (; rows > 0; --rows, dest += destPitch, source += sourcePitch) {
        for (std::size_t offset = 0; offset < 8 * sizeof(Pixel); offset += 16)
            MergeChunk(dest + offset, source + offset, keys);
    }
}

void Rows24(std::uint8_t* dest, long destPitch, const std::uint8_t* source, long sourcePitch,
            int count, int rows, std::uint32_t key) {
    const std::uint8_t k[3] = {static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                               static_cast<std::uint8_t>(key >> 16)};
    for (; rows > 0; --rows, dest += destPitch, source += sourcePitch) {
        for (int i = 0; i < 3 * count; i += 3) {
            if (source[i] != k[0] || source[i + 1] != k[1] || source[i + 2] != k[2]) {
                std::memcpy(dest + i, source + i, 3);
            }
        }
    }
}

// One pixel at a time in the order that reads each source pixel before it is
// overwritten: backwards through memory when the destination lies after the source.
void RowsOverlapping(int bytes, std::uint8_t* dest, long destPitch, const std::uint8_t* source,
                     long sourcePitch, int count, int rows, std::uint32_t key) {
    const bool backwards = dest > source;
    for (int r = 0; r < rows; ++r) {
        const int row = backwards ? rows - 1 - r : r;
        for (int c = 0; c < count; ++c) {
            const int column = backwards ? count - 1 - c : c;
            const std::uint8_t* s = source + row * sourcePitch + column * bytes;
            std::uint32_t value = 0;
            std::memcpy(&value, s, bytes);
            if (value != (bytes == 4 ? key : key & ((1u << (8 * bytes)) - 1))) {
                std::memmove(dest + row * destPitch + column * bytes, s, bytes);
            }
        }
    }
}

// The address range a block of rows spans (pitches may be negative).
bool Overlaps(const std::uint8_t* a, long pitchA, const std::uint8_t* b, long pitchB, int rowBytes,
              int rows) {
    auto span = [&](const std::uint8_t* p, long pitch, const std::uint8_t** low,
                    const std::uint8_t** high) {
        const std::uint8_t* last = p + static_cast<long>(rows - 1) * pitch;
        *low = pitch < 0 ? last : p;
        *high = (pitch < 0 ? p : last) + rowBytes;
    };
    const std::uint8_t *lowA, *highA, *lowB, *highB;
    span(a, pitchA, &lowA, &highA);
    span(b, pitchB, &lowB, &highB);
    return lowA < highB && lowB < highA;
}

void Rows(int bytesPerPixel, std::uint8_t* dest, long destPitch, const std::uint8_t* source,
          long sourcePitch, int count, int rows, std::uint32_t key, bool overlapping) {
    if (overlapping) {
        RowsOverlapping(bytesPerPixel, dest, destPitch, source, sourcePitch, count, rows, key);
        return;
    }
    switch (bytesPerPixel) {
        case 1:
            Rows8(dest, destPitch, source, sourcePitch, count, rows, key);
            break;
        case 2:
            RowsWide<std::uint16_t, Vec16>(dest, destPitch, source, sourcePitch, count, rows, key);
            break;
        case 3:
            Rows24(dest, destPitch, source, sourcePitch, count, rows, key);
            break;
        default:
            RowsWide<std::uint32_t, Vec32>(dest, destPitch, source, sourcePitch, count, rows, key);
            break;
    }
}

}  // namespace

const KeyedCellCopy kKeyedCellCopies[5] = {nullptr, Cells8, CellsWide<std::uint16_t, Vec16>,
                                           nullptr, CellsWide<std::uint32_t, Vec32>};

void CopyKeyedRows(int bytesPerPixel, std::uint8_t* dest, long destPitch,
                   const std::uint8_t* source, long sourcePitch, int count, int rows,
                   std::uint32_t key, bool mayOverlap) {
    if (count <= 0 || rows <= 0) return;
    const bool overlapping =
        mayOverlap && Overlaps(dest, destPitch, source, sourcePitch, count * bytesPerPixel, rows);
    if (count == 8 && !overlapping && kKeyedCellCopies[bytesPerPixel])
        return kKeyedCellCopies[bytesPerPixel](dest, destPitch, source, sourcePitch, rows, key);
    Rows(bytesPerPixel, dest, destPitch, source, sourcePitch, count, rows, key, overlapping);
}

}  // namespace vorn::platform

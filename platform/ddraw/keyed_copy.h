// The colour-keyed copy behind BltFast and Blt with a source key: the hot loop of
// sprite drawing (thousands of 8 x 8 cells per frame). Internal to the platform layer.
#pragma once

#include <cstdint>

namespace vorn::platform {

// Copies `rows` rows of `count` pixels of `bytesPerPixel` bytes (1, 2, 3 or 4) from
// source to dest, leaving out the source pixels equal to `key` (its low bytes). Rows
// are `pitch` bytes apart. When the two may share memory (one surface onto itself),
// overlapping blocks are copied as if through a temporary. Allocates nothing.
void CopyKeyedRows(int bytesPerPixel, std::uint8_t* dest, long destPitch,
                   const std::uint8_t* source, long sourcePitch, int count, int rows,
                   std::uint32_t key, bool mayOverlap);

// The same for a cell eight pixels wide in separate memory, the sprite sheets' cell
// and most of what is drawn: one loop per pixel size, indexed by bytes per pixel (no
// entry for 3, which takes the general loop).
using KeyedCellCopy = void (*)(std::uint8_t* dest, long destPitch, const std::uint8_t* source,
                               long sourcePitch, int rows, std::uint32_t key);
extern const KeyedCellCopy kKeyedCellCopies[5];

// Inline: a sprite goes straight from its checks into its cell loop, with every
// argument in a register.
inline void CopyKeyed(int bytesPerPixel, std::uint8_t* dest, long destPitch,
                      const std::uint8_t* source, long sourcePitch, int count, int rows,
                      std::uint32_t key, bool mayOverlap) {
    if (count == 8 && !mayOverlap && rows > 0) {
        if (const KeyedCellCopy cells = kKeyedCellCopies[bytesPerPixel])
            return cells(dest, destPitch, source, sourcePitch, rows, key);
    }
    CopyKeyedRows(bytesPerPixel, dest, destPitch, source, sourcePitch, count, rows, key,
                  mayOverlap);
}

}  // namespace vorn::platform

// The colour-keyed copy behind BltFast and Blt with a source key: the hot loop of
// sprite drawing (thousands of 8 x 8 cells per frame). Internal to the platform layer.
#pragma once

#include <cstdint>

namespace vorn::platform {

// Copies `rows` rows of `count` pixels of `bytesPerPixel` bytes (1, 2, 3 or 4) from
// source to dest, leaving out the source pixels equal to `key` (its low bytes). Rows
// are `pitch` bytes apart. When the two may share memory (one surface onto itself),
// overlapping blocks are copied as if through a temporary. Allocates nothing.
void CopyKeyed(int bytesPerPixel, std::uint8_t* dest, long destPitch, const std::uint8_t* source,
               long sourcePitch, int count, int rows, std::uint32_t key, bool mayOverlap);

}  // namespace vorn::platform

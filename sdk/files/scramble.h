// Scrambled file images: the 4 bytes "VPK1", then the content with every byte stored
// as nibble-swap(plain XOR 0xA7). Shared by the file reader and the archive tool.
#pragma once

#include <cstddef>

#include "platform/base/types.h"

namespace vorn::files {

inline constexpr char kScrambleMarker[4] = {'V', 'P', 'K', '1'};
inline constexpr BYTE kScrambleKey = 0xA7;

inline BYTE SwapNibbles(BYTE b) { return static_cast<BYTE>((b << 4) | (b >> 4)); }
inline BYTE ScrambleByte(BYTE plain) { return SwapNibbles(plain ^ kScrambleKey); }
inline BYTE UnscrambleByte(BYTE stored) { return SwapNibbles(stored) ^ kScrambleKey; }

// Whether an image of `size` bytes begins with the marker.
bool HasScrambleMarker(const BYTE* image, std::size_t size);

// Turns content bytes (the part after the marker) from stored to plain, or back.
void UnscrambleContent(BYTE* content, std::size_t size);
void ScrambleContent(BYTE* content, std::size_t size);

}  // namespace vorn::files

// Internal to the picture decoder: recognises the formats it reads by their first
// bytes and reads the picture's size from the header, so that a picture too large to
// hold is refused before the host library allocates anything for it.
#pragma once

#include <cstddef>

#include "platform/base/types.h"

namespace vorn::platform {

enum class PictureFormat { kNone, kPng, kJpeg, kGif, kTga };

struct PictureHeader {
    PictureFormat format = PictureFormat::kNone;
    int width = 0;
    int height = 0;
};

// The largest picture the decoder takes, in pixels (64 MiB of 32-bit pixels).
inline constexpr long long kMaxPicturePixels = 1LL << 24;

// The format and size of the content, or format kNone when it is not a picture of a
// known format, its header is cut short, or its size is empty or above the limit.
PictureHeader ProbePicture(const BYTE* data, std::size_t size);

}  // namespace vorn::platform

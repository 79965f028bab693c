// Internal to the platform layer: direct access to the memory under a stream made by
// CreateStreamOnHGlobal, so that the picture decoder reads the block in place instead
// of copying it out through Read.
#pragma once

#include <cstddef>

#include "platform/ole/picture.h"

namespace vorn::platform {

// The bytes from the stream's position onwards when it is a memory stream: *data, and
// *available, the count up to its end (SIZE_MAX when the block's end is not known).
// False for any other stream.
bool StreamMemory(IStream* stream, const BYTE** data, std::size_t* available);

// Moves a memory stream's position forward by `count` bytes (as a Read would).
void AdvanceStream(IStream* stream, std::size_t count);

}  // namespace vorn::platform

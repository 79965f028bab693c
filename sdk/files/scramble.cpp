// The scramble transform of file images.
#include "files/scramble.h"

#include <cstring>

namespace vorn::files {

bool HasScrambleMarker(const BYTE* image, std::size_t size) {
    return size >= sizeof kScrambleMarker &&
           std::memcmp(image, kScrambleMarker, sizeof kScrambleMarker) == 0;
}

void UnscrambleContent(BYTE* content, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) content[i] = UnscrambleByte(content[i]);
}

void ScrambleContent(BYTE* content, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) content[i] = ScrambleByte(content[i]);
}

}  // namespace vorn::files

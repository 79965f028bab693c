// The keyed copy against a plain per-pixel reference: every pixel size, row lengths
// around the chunk sizes, and one surface copied onto itself.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/ddraw/keyed_copy.h"

namespace {

using vorn::platform::CopyKeyed;

// The contract written out: each source pixel that is not the key replaces its target.
void ReferenceCopy(int bytes, std::vector<std::uint8_t>& dest, long destOffset, long destPitch,
                   const std::vector<std::uint8_t>& source, long sourceOffset, long sourcePitch,
                   int count, int rows, std::uint32_t key) {
    const std::uint32_t keyBits = bytes == 4 ? key : key & ((1u << (8 * bytes)) - 1);
    const std::vector<std::uint8_t> original = source;  // as if through a temporary
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < count; ++c) {
            std::uint32_t value = 0;
            std::memcpy(&value, &original[sourceOffset + r * sourcePitch + c * bytes], bytes);
            if (value != keyBits)
                std::memcpy(&dest[destOffset + r * destPitch + c * bytes], &value, bytes);
        }
    }
}

// Source pixels drawn from a few values, one of them the key, so that runs of keyed
// and unkeyed pixels both occur.
std::vector<std::uint8_t> Pixels(std::mt19937& random, std::size_t size, int bytes,
                                 std::uint32_t key) {
    std::vector<std::uint8_t> data(size);
    for (std::size_t i = 0; i + bytes <= size; i += bytes) {
        const std::uint32_t value = random() % 3 == 0 ? key : static_cast<std::uint32_t>(random());
        std::memcpy(&data[i], &value, bytes);
    }
    return data;
}

TEST(KeyedCopy, MatchesThePerPixelCopyForEveryPixelSizeAndWidth) {
    std::mt19937 random(7);
    for (int bytes : {1, 2, 3, 4}) {
        const std::uint32_t key = 0x00A5C3E1;
        for (int count : {0, 1, 3, 7, 8, 9, 15, 16, 17, 24, 31, 33, 64}) {
            // Rows: odd, and a whole 8-row cell, which the cell loops take apart.
            for (int rows : {5, 8}) {
                SCOPED_TRACE(testing::Message()
                             << bytes << " bytes, " << count << " pixels, " << rows << " rows");
                const long sourcePitch = count * bytes + 5;
                const long destPitch = count * bytes + 11;
                const auto source = Pixels(random, sourcePitch * rows, bytes, key);
                auto dest = Pixels(random, destPitch * rows + 16, bytes, 0);
                auto expected = dest;
                ReferenceCopy(bytes, expected, 3, destPitch, source, 0, sourcePitch, count, rows,
                              key);
                CopyKeyed(bytes, dest.data() + 3, destPitch, source.data(), sourcePitch, count,
                          rows, key, false);
                EXPECT_EQ(dest, expected);
            }
        }
    }
}

TEST(KeyedCopy, CopiesOneSurfaceOntoItselfAsIfThroughATemporary) {
    std::mt19937 random(11);
    for (int bytes : {1, 4}) {
        // 8 pixels wide: the cells' own loops must not take an overlapping copy.
        for (int count : {8, 20}) {
            for (long shift : {-37L, -1L, 1L, 5L, 64L}) {
                SCOPED_TRACE(testing::Message()
                             << bytes << " bytes, " << count << " pixels, shifted " << shift);
                const long pitch = 40 * bytes;
                auto memory = Pixels(random, pitch * 12, bytes, 0x11);
                auto expected = memory;
                const long sourceOffset = pitch * 3 + 8 * bytes;
                const long destOffset = sourceOffset + shift * bytes;
                ReferenceCopy(bytes, expected, destOffset, pitch, memory, sourceOffset, pitch,
                              count, 6, 0x11);
                CopyKeyed(bytes, memory.data() + destOffset, pitch, memory.data() + sourceOffset,
                          pitch, count, 6, 0x11, true);
                EXPECT_EQ(memory, expected);
            }
        }
    }
}

}  // namespace

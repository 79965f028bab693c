// Picture headers: PNG, JPEG, GIF and TGA recognised and measured from their bytes.
#include "platform/ole/picture_probe.h"

#include <cstring>
#include <initializer_list>

namespace vorn::platform {
namespace {

unsigned BigEndian16(const BYTE* p) { return (p[0] << 8) | p[1]; }
unsigned long BigEndian32(const BYTE* p) {
    return (static_cast<unsigned long>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}
unsigned LittleEndian16(const BYTE* p) { return p[0] | (p[1] << 8); }

PictureHeader Sized(PictureFormat format, unsigned long width, unsigned long height) {
    if (width == 0 || height == 0 || width > (1u << 24) || height > (1u << 24) ||
        static_cast<long long>(width) * static_cast<long long>(height) > kMaxPicturePixels) {
        return {};
    }
    return {format, static_cast<int>(width), static_cast<int>(height)};
}

PictureHeader ProbePng(const BYTE* data, std::size_t size) {
    static const BYTE kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 24 || std::memcmp(data, kSignature, 8) != 0 ||
        std::memcmp(data + 12, "IHDR", 4) != 0) {
        return {};
    }
    return Sized(PictureFormat::kPng, BigEndian32(data + 16), BigEndian32(data + 20));
}

// Walks the markers up to the first frame header; the scan data starts only after it.
PictureHeader ProbeJpeg(const BYTE* data, std::size_t size) {
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return {};
    std::size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF) return {};
        const BYTE marker = data[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return {};  // end or scan before any frame
        const std::size_t length = BigEndian16(data + at + 2);
        if (length < 2) return {};
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 7 || at + 9 > size) return {};
            return Sized(PictureFormat::kJpeg, BigEndian16(data + at + 7),
                         BigEndian16(data + at + 5));
        }
        at += 2 + length;
    }
    return {};
}

// The decoder draws the first image of the file at that image's own size.
PictureHeader ProbeGif(const BYTE* data, std::size_t size) {
    if (size < 13 || (std::memcmp(data, "GIF87a", 6) != 0 && std::memcmp(data, "GIF89a", 6) != 0)) {
        return {};
    }
    std::size_t at = 13;
    if (data[10] & 0x80) at += 3u * (2u << (data[10] & 7));  // global colour table
    while (at < size) {
        const BYTE block = data[at];
        if (block == 0x2C) {  // image descriptor
            if (at + 10 > size) return {};
            return Sized(PictureFormat::kGif, LittleEndian16(data + at + 5),
                         LittleEndian16(data + at + 7));
        }
        if (block != 0x21 || at + 2 > size) return {};  // only extensions may come first
        at += 2;
        while (at < size && data[at] != 0) at += 1u + data[at];  // sub-blocks
        ++at;                                                    // the terminator
    }
    return {};
}

// TGA has no signature: the header's fields must all hold values the format allows.
PictureHeader ProbeTga(const BYTE* data, std::size_t size) {
    if (size < 18) return {};
    const BYTE colorMapType = data[1];
    const BYTE imageType = data[2];
    const BYTE depth = data[16];
    const bool typeKnown = imageType == 1 || imageType == 2 || imageType == 3 || imageType == 9 ||
                           imageType == 10 || imageType == 11;
    const bool mapped = imageType == 1 || imageType == 9;
    if (colorMapType > 1 || !typeKnown || mapped != (colorMapType == 1)) return {};
    if (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32) return {};
    if ((data[17] & 0xC0) != 0) return {};  // reserved bits
    if (mapped) {
        const BYTE entryBits = data[7];
        if (entryBits != 15 && entryBits != 16 && entryBits != 24 && entryBits != 32) return {};
        if (depth != 8) return {};
    }
    const std::size_t mapBytes = colorMapType ? LittleEndian16(data + 5) * ((data[7] + 7u) / 8) : 0;
    if (18 + data[0] + mapBytes >= size) return {};  // no room for any pixel
    return Sized(PictureFormat::kTga, LittleEndian16(data + 12), LittleEndian16(data + 14));
}

}  // namespace

PictureHeader ProbePicture(const BYTE* data, std::size_t size) {
    if (data == nullptr) return {};
    for (auto probe : {ProbePng, ProbeJpeg, ProbeGif, ProbeTga}) {
        const PictureHeader header = probe(data, size);
        if (header.format != PictureFormat::kNone) return header;
    }
    return {};
}

}  // namespace vorn::platform

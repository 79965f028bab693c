// The layout of pack archives, shared by the file reader and the archive tool.
//
// An archive is the 8 bytes "vornpack", a record count N (unsigned 32-bit), N records
// of 40 bytes, then the entries' data wherever the records point. A record is a name
// field of 32 bytes (the name, at most 31 bytes, ended by a zero byte), the entry's
// absolute offset and its size. Integers are little-endian; nothing is aligned.
#pragma once

#include <cstddef>
#include <string>

#include "platform/base/types.h"

namespace vorn::files {

inline constexpr char kPackMagic[8] = {'v', 'o', 'r', 'n', 'p', 'a', 'c', 'k'};
inline constexpr std::size_t kPackCountSize = 4;
inline constexpr std::size_t kPackHeaderSize = sizeof kPackMagic + kPackCountSize;
inline constexpr std::size_t kPackNameFieldSize = 32;
inline constexpr std::size_t kPackMaxNameLength = kPackNameFieldSize - 1;
inline constexpr std::size_t kPackRecordSize = kPackNameFieldSize + 8;

struct PackRecord {
    std::string name;  // the bytes before the first zero of the name field
    DWORD offset = 0;
    DWORD size = 0;
};

inline DWORD ReadLittleEndian32(const BYTE* bytes) {
    return static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 |
           static_cast<DWORD>(bytes[2]) << 16 | static_cast<DWORD>(bytes[3]) << 24;
}

inline void WriteLittleEndian32(BYTE* bytes, DWORD value) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>(value >> (8 * i));
}

// Decodes the kPackRecordSize bytes of a record. A name field without a zero byte
// gives all 32 bytes as the name (no such name can match a stored one).
PackRecord DecodePackRecord(const BYTE* bytes);

// Encodes a record whose name is at most kPackMaxNameLength bytes (longer names are
// the caller's error and are cut).
void EncodePackRecord(const PackRecord& record, BYTE* bytes);

}  // namespace vorn::files

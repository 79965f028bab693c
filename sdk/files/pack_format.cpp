// Encoding and decoding of pack archive records.
#include "files/pack_format.h"

#include <algorithm>
#include <cstring>

namespace vorn::files {

PackRecord DecodePackRecord(const BYTE* bytes) {
    const auto* name = reinterpret_cast<const char*>(bytes);
    PackRecord record;
    record.name.assign(name, strnlen(name, kPackNameFieldSize));
    record.offset = ReadLittleEndian32(bytes + kPackNameFieldSize);
    record.size = ReadLittleEndian32(bytes + kPackNameFieldSize + 4);
    return record;
}

void EncodePackRecord(const PackRecord& record, BYTE* bytes) {
    std::memset(bytes, 0, kPackNameFieldSize);
    std::memcpy(bytes, record.name.data(), std::min(record.name.size(), kPackMaxNameLength));
    WriteLittleEndian32(bytes + kPackNameFieldSize, record.offset);
    WriteLittleEndian32(bytes + kPackNameFieldSize + 4, record.size);
}

}  // namespace vorn::files

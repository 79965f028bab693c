// Pack archives and scrambled images in memory.
#include "archive.h"

#include <cstdint>
#include <cstring>

#include "files/pack_format.h"
#include "files/scramble.h"

namespace vorn::pack {
namespace {

using namespace vorn::files;

BYTE* Bytes(std::string& s) { return reinterpret_cast<BYTE*>(s.data()); }
const BYTE* Bytes(std::string_view s) { return reinterpret_cast<const BYTE*>(s.data()); }

void CheckName(const std::string& name) {
    if (name.empty()) throw FormatError("an entry has an empty name");
    if (name.size() > kPackMaxNameLength)
        throw FormatError("the name '" + name + "' is " + std::to_string(name.size()) +
                          " bytes long; records hold at most " +
                          std::to_string(kPackMaxNameLength));
    if (name.find('\0') != std::string::npos)
        throw FormatError("an entry's name holds a zero byte");
}

}  // namespace

std::string BuildArchive(const std::vector<Entry>& entries) {
    std::uint64_t total = kPackHeaderSize + std::uint64_t{kPackRecordSize} * entries.size();
    for (const Entry& entry : entries) {
        CheckName(entry.name);
        total += entry.data.size();
    }
    if (total > UINT32_MAX) throw FormatError("the archive would reach 4 GiB; offsets cannot");

    std::string archive(kPackHeaderSize + kPackRecordSize * entries.size(), '\0');
    std::memcpy(archive.data(), kPackMagic, sizeof kPackMagic);
    WriteLittleEndian32(Bytes(archive) + sizeof kPackMagic, static_cast<DWORD>(entries.size()));
    archive.reserve(total);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PackRecord record{entries[i].name, static_cast<DWORD>(archive.size()),
                                static_cast<DWORD>(entries[i].data.size())};
        EncodePackRecord(record, Bytes(archive) + kPackHeaderSize + i * kPackRecordSize);
        archive += entries[i].data;
    }
    return archive;
}

std::vector<Entry> ParseArchive(std::string_view archive) {
    if (archive.size() < kPackHeaderSize ||
        std::memcmp(archive.data(), kPackMagic, sizeof kPackMagic) != 0)
        throw FormatError("not a pack archive (no \"vornpack\" header)");
    const DWORD count = ReadLittleEndian32(Bytes(archive) + sizeof kPackMagic);
    if (kPackHeaderSize + std::uint64_t{kPackRecordSize} * count > archive.size())
        throw FormatError("the directory of " + std::to_string(count) +
                          " records reaches past the end of the archive");
    std::vector<Entry> entries;
    entries.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        const PackRecord record =
            DecodePackRecord(Bytes(archive) + kPackHeaderSize + std::size_t{i} * kPackRecordSize);
        if (std::uint64_t{record.offset} + record.size > archive.size())
            throw FormatError("record " + std::to_string(i) + " ('" + record.name +
                              "') reaches past the end of the archive");
        entries.push_back({record.name, std::string(archive.substr(record.offset, record.size))});
    }
    return entries;
}

std::string ScrambleImage(std::string_view plain) {
    std::string image(kScrambleMarker, sizeof kScrambleMarker);
    image += plain;
    ScrambleContent(Bytes(image) + sizeof kScrambleMarker, plain.size());
    return image;
}

std::string UnscrambleImage(std::string_view image) {
    if (!HasScrambleMarker(Bytes(image), image.size()))
        throw FormatError("not a scrambled image (no \"VPK1\" marker)");
    std::string plain(image.substr(sizeof kScrambleMarker));
    UnscrambleContent(Bytes(plain), plain.size());
    return plain;
}

}  // namespace vorn::pack

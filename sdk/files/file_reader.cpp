// The file reader: plain files, pack archive entries and scrambled images.
#include "files/file_reader.h"

#include <cstring>

#include "files/pack_format.h"
#include "files/path.h"
#include "files/scramble.h"
#include "platform/windows.h"

namespace {

using namespace vorn::files;

HANDLE OpenForReading(const std::string& name) {
    return CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool ReadExactly(HANDLE file, void* buffer, DWORD size) {
    DWORD read = 0;
    return ReadFile(file, buffer, size, &read, nullptr) && read == size;
}

// The result of a failed step of an archive lookup, after closing the archive.
int CloseAndFail(HANDLE archive, int result) {
    CloseHandle(archive);
    return result;
}

// Whether the entry lies inside the archive. When the archive's size cannot be read,
// the one read of the entry is left to tell.
bool EntryFits(HANDLE archive, const PackRecord& record) {
    DWORD high = 0;
    const DWORD size = GetFileSize(archive, &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) return true;
    const std::uint64_t archiveSize = (static_cast<std::uint64_t>(high) << 32) | size;
    return std::uint64_t{record.offset} + record.size <= archiveSize;
}

// Finds the file `full` in the archive of its folder. On success (0) the archive is
// open at the entry's data, with the entry's size. Otherwise returns 1 (not found)
// or 4 (the entry reaches past the end of the archive), with the archive closed.
int OpenArchiveEntry(const std::string& full, HANDLE& archive, DWORD& size) {
    // A full path without a separator has no folder, hence no archive.
    const std::string::size_type split = FindLastSeparator(full);
    if (split == std::string::npos) return 1;
    std::string name = full.substr(split + 1);
    archive = OpenForReading(full.substr(0, split) + ".dat");
    if (archive == INVALID_HANDLE_VALUE) return 1;

    BYTE header[kPackHeaderSize];
    if (!ReadExactly(archive, header, sizeof kPackMagic) ||
        std::memcmp(header, kPackMagic, sizeof kPackMagic) != 0)
        return CloseAndFail(archive, 1);
    if (!ReadExactly(archive, header + sizeof kPackMagic, kPackCountSize))
        return CloseAndFail(archive, 1);
    const DWORD count = ReadLittleEndian32(header + sizeof kPackMagic);
    ToLowerString(name);
    for (DWORD i = 0; i < count; ++i) {
        BYTE bytes[kPackRecordSize];
        if (!ReadExactly(archive, bytes, kPackRecordSize)) return CloseAndFail(archive, 1);
        PackRecord record = DecodePackRecord(bytes);
        ToLowerString(record.name);
        if (record.name != name) continue;
        if (!EntryFits(archive, record)) return CloseAndFail(archive, 4);
        LONG high = 0;  // offsets are unsigned: past 2 GiB they need the high half
        if (SetFilePointer(archive, static_cast<LONG>(record.offset), &high, FILE_BEGIN) ==
                INVALID_SET_FILE_POINTER &&
            GetLastError() != ERROR_SUCCESS)
            return CloseAndFail(archive, 1);
        size = record.size;
        return 0;
    }
    return CloseAndFail(archive, 1);
}

}  // namespace

CFileReader::~CFileReader() { Close(); }

int CFileReader::Read(const std::string& fileName) {
    m_strFileName = fileName;
    Close();
    const std::string full = MakeFullPath(fileName);

    DWORD size = 0;
    HANDLE file = OpenForReading(full);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD high = 0;
        size = GetFileSize(file, &high);
        if (size == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) {
            CloseHandle(file);
            return 2;
        }
        if (high != 0) {  // no 32-bit block size can hold it
            CloseHandle(file);
            return 3;
        }
    } else if (const int result = OpenArchiveEntry(full, file, size); result != 0) {
        return result;
    }

    auto* block = static_cast<BYTE*>(GlobalAlloc(GMEM_FIXED | GMEM_NOCOMPACT, size));
    if (!block) {
        CloseHandle(file);
        return 3;
    }
    // One read of the whole content; a short read means the file is not what its size
    // or its record says.
    if (!ReadExactly(file, block, size)) {
        GlobalFree(block);
        CloseHandle(file);
        return 4;
    }
    if (!CloseHandle(file)) {
        GlobalFree(block);
        return 5;
    }
    m_lpBuffer = block;
    m_dwSize = size;
    m_bScrambled = HasScrambleMarker(block, size);
    if (m_bScrambled)
        UnscrambleContent(block + sizeof kScrambleMarker, size - sizeof kScrambleMarker);
    return 0;
}

void CFileReader::Close() {
    if (m_lpBuffer) GlobalFree(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_dwSize = 0;
    m_bScrambled = false;
}

std::string CFileReader::GetSuffix() const {
    const std::string::size_type dot = m_strFileName.rfind('.');
    return dot == std::string::npos ? std::string() : m_strFileName.substr(dot + 1);
}

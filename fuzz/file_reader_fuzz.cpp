// Fuzzes the file reader with arbitrary archives and images: the input is written both
// as the pack archive data.dat and as the plain file plain.bin, and a few names are
// read from them. Whatever the reader returns for the first record must agree with
// what the archive tool's parser finds there.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "archive.h"
#include "files/file_reader.h"
#include "files/path.h"
#include "files/scramble.h"

namespace {

// The run's own temporary folder, also the base folder; removed at exit (it is never
// destroyed itself, so that the removal can still use it).
const std::string& Folder() {
    static const std::string* folder = [] {
        auto* path =
            new std::string((std::filesystem::temp_directory_path() / "vorn-fuzz-XXXXXX").string());
        if (!mkdtemp(path->data())) std::abort();
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        SetBaseFolder(path->c_str());
        return path;
    }();
    return *folder;
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

// Reads a name and touches every byte of what came back, so that a block shorter than
// its size is caught by the sanitizer.
int ReadAll(CFileReader& reader, const std::string& name, std::string* content = nullptr) {
    const int result = reader.Read(name);
    if (result != 0) return result;
    const std::string bytes(reinterpret_cast<const char*>(reader.GetMemory()), reader.GetSize());
    if (content) *content = bytes;
    return result;
}

// A record name that names the record itself when appended to "data/".
bool PlainName(const std::string& name) { return name.find_first_of("/\\:") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& folder = Folder();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Write(folder + "/data.dat", bytes);
    Write(folder + "/plain.bin", bytes);

    CFileReader reader;
    std::string content;
    if (ReadAll(reader, "plain.bin", &content) != 0 || content.size() > size) std::abort();
    ReadAll(reader, "data/a.bmp");

    try {
        const auto entries = vorn::pack::ParseArchive(bytes);
        if (entries.empty() || !PlainName(entries[0].name)) return 0;
        std::string expected = entries[0].data;
        if (vorn::files::HasScrambleMarker(reinterpret_cast<const BYTE*>(expected.data()),
                                           expected.size()))
            expected = vorn::pack::UnscrambleImage(expected);
        if (ReadAll(reader, "data/" + entries[0].name, &content) != 0 || content != expected)
            std::abort();
    } catch (const vorn::pack::FormatError&) {
        // The reader must still end cleanly on it (above); nothing to compare.
    }
    return 0;
}

// vornpack: the command-line tool for pack archives and scrambled images.
//
//   vornpack create ARCHIVE.dat FILE...
//   vornpack list ARCHIVE.dat
//   vornpack extract ARCHIVE.dat [NAME...] [-C DIR]
//   vornpack scramble IN OUT
//   vornpack unscramble IN OUT
//
// Host file names are UTF-8; record names are stored in Shift-JIS, as the SDK looks
// them up.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "archive.h"
#include "files/path.h"
#include "platform/text/sjis.h"

namespace {

namespace fs = std::filesystem;
using vorn::pack::Entry;
using vorn::pack::FormatError;

constexpr const char* kUsage =
    "usage: vornpack create ARCHIVE.dat FILE...\n"
    "       vornpack list ARCHIVE.dat\n"
    "       vornpack extract ARCHIVE.dat [NAME...] [-C DIR]\n"
    "       vornpack scramble IN OUT\n"
    "       vornpack unscramble IN OUT\n"
    "\n"
    "create     packs the files under their base names (at most 31 bytes in Shift-JIS)\n"
    "list       prints each record's name and size\n"
    "extract    writes the named records (all when none is named) into DIR (default: .)\n"
    "scramble   writes IN as a scrambled image (\"VPK1\" + content)\n"
    "unscramble writes the plain content of a scrambled image\n";

// A failure of the command that the user can act on; exits with status 1.
struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string ReadHostFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw CommandError("cannot open " + path.string());
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) throw CommandError("cannot read " + path.string());
    return all.str();
}

void WriteHostFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw CommandError("cannot write " + path.string());
}

std::string RecordNameOf(const fs::path& file) {
    const std::string utf8 = file.filename().string();
    const std::string sjis = vorn::platform::Utf8ToSjis(utf8);
    if (vorn::platform::SjisToUtf8(sjis) != utf8)
        throw CommandError("the name " + utf8 + " has characters that Shift-JIS cannot hold");
    return sjis;
}

std::string Lower(std::string name) {
    ToLowerString(name);
    return name;
}

int Create(const std::vector<std::string>& args) {
    if (args.size() < 2) throw std::invalid_argument("create needs an archive and files");
    std::vector<Entry> entries;
    std::set<std::string>
        seen;  // lookups ignore case: a second "A.bmp" beside "a.bmp" is unreachable
    for (std::size_t i = 1; i < args.size(); ++i) {
        Entry entry{RecordNameOf(args[i]), ReadHostFile(args[i])};
        if (!seen.insert(Lower(entry.name)).second)
            throw CommandError("two files share the record name " +
                               fs::path(args[i]).filename().string());
        entries.push_back(std::move(entry));
    }
    WriteHostFile(args[0], vorn::pack::BuildArchive(entries));
    return 0;
}

int List(const std::vector<std::string>& args) {
    if (args.size() != 1) throw std::invalid_argument("list needs one archive");
    const std::string archive = ReadHostFile(args[0]);
    for (const Entry& entry : vorn::pack::ParseArchive(archive))
        std::cout << vorn::platform::SjisToUtf8(entry.name) << '\t' << entry.data.size() << '\n';
    return 0;
}

// The host file name of a record, refusing names that would leave the folder.
fs::path SafeHostName(const std::string& recordName) {
    const std::string utf8 = vorn::platform::SjisToUtf8(recordName);
    if (utf8.empty() || utf8 == "." || utf8 == ".." ||
        utf8.find_first_of("/\\") != std::string::npos)
        throw CommandError("the record name '" + utf8 + "' is not a plain file name");
    return utf8;
}

int Extract(const std::vector<std::string>& args) {
    fs::path folder = ".";
    std::vector<std::string> names;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-C") {
            if (++i == args.size()) throw std::invalid_argument("-C needs a folder");
            folder = args[i];
        } else {
            names.push_back(args[i]);
        }
    }
    if (args.empty()) throw std::invalid_argument("extract needs an archive");
    const std::string archive = ReadHostFile(args[0]);
    const std::vector<Entry> entries = vorn::pack::ParseArchive(archive);
    // Like the SDK: letters compare without regard to case and the first record wins.
    std::set<std::string> wanted;
    for (const std::string& name : names) wanted.insert(Lower(RecordNameOf(name)));
    std::set<std::string> written;
    for (const Entry& entry : entries) {
        const std::string key = Lower(entry.name);
        if ((!wanted.empty() && !wanted.contains(key)) || !written.insert(key).second) continue;
        WriteHostFile(folder / SafeHostName(entry.name), entry.data);
    }
    for (const std::string& key : wanted)
        if (!written.contains(key))
            throw CommandError("no record " + vorn::platform::SjisToUtf8(key) + " in " + args[0]);
    return 0;
}

int Transform(const std::vector<std::string>& args, bool scramble) {
    if (args.size() != 2) throw std::invalid_argument("needs an input and an output file");
    const std::string in = ReadHostFile(args[0]);
    WriteHostFile(args[1],
                  scramble ? vorn::pack::ScrambleImage(in) : vorn::pack::UnscrambleImage(in));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty() || all[0] == "--help" || all[0] == "-h") {
        std::cout << kUsage;
        return all.empty() ? 2 : 0;
    }
    const std::string& command = all[0];
    const std::vector<std::string> args(all.begin() + 1, all.end());
    try {
        if (command == "create") return Create(args);
        if (command == "list") return List(args);
        if (command == "extract") return Extract(args);
        if (command == "scramble") return Transform(args, true);
        if (command == "unscramble") return Transform(args, false);
        throw std::invalid_argument("unknown command '" + command + "'");
    } catch (const std::invalid_argument& e) {
        std::cerr << "vornpack: " << e.what() << "\n" << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "vornpack: " << e.what() << "\n";
        return 1;
    }
}

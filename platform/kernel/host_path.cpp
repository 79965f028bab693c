// Shift-JIS system names to host paths, with the case-insensitive lookup that game data
// written on case-insensitive file systems relies on.
#include "platform/kernel/host_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

#include "platform/text/sjis.h"

namespace vorn::platform {
namespace {

bool IsSeparator(unsigned char c) { return c == '\\' || c == '/'; }

// A byte that can follow a lead byte as the second half of a double-byte character.
bool IsSjisTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

bool IsAsciiLetter(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

unsigned char FoldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(static_cast<unsigned char>(a[i])) !=
            FoldAscii(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool Exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The one entry of `folder` whose name equals `name` without regard to case, or an
// empty string when there is none or more than one.
std::string FindUniqueCaseInsensitive(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return {};
    std::string found;
    int matches = 0;
    while (const dirent* entry = readdir(dir)) {
        if (EqualIgnoringAsciiCase(entry->d_name, name)) {
            found = entry->d_name;
            ++matches;
        }
    }
    closedir(dir);
    return matches == 1 ? found : std::string();
}

// Splits a Shift-JIS name into its components (UTF-8), telling whether it is rooted.
std::vector<std::string> SplitSystemName(std::string_view name, bool& rooted) {
    rooted = false;
    if (name.size() >= 2 && IsAsciiLetter(static_cast<unsigned char>(name[0])) && name[1] == ':')
        name.remove_prefix(2);
    if (!name.empty() && IsSeparator(static_cast<unsigned char>(name[0]))) rooted = true;

    std::vector<std::string> components;
    size_t start = 0;
    size_t i = 0;
    auto flush = [&] {
        if (i > start) components.push_back(SjisToUtf8(name.substr(start, i - start)));
        start = i + 1;
    };
    while (i < name.size()) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (IsSjisLeadByte(c) && i + 1 < name.size() &&
            IsSjisTrailByte(static_cast<unsigned char>(name[i + 1]))) {
            i += 2;
        } else if (IsSeparator(c)) {
            flush();
            ++i;
        } else {
            ++i;
        }
    }
    flush();
    return components;
}

}  // namespace

std::string HostPath(const char* sjisName) {
    if (!sjisName) return {};
    bool rooted = false;
    const std::vector<std::string> components = SplitSystemName(sjisName, rooted);
    std::string path = rooted ? "/" : "";
    bool searching = true;  // once a folder is missing, nothing below it can be found
    for (const std::string& component : components) {
        const std::string folder = path;
        if (!path.empty() && path.back() != '/') path += '/';
        std::string chosen = component;
        if (searching && component != "." && component != ".." && !Exists(path + component)) {
            std::string match = FindUniqueCaseInsensitive(folder, component);
            if (match.empty())
                searching = false;
            else
                chosen = std::move(match);
        }
        path += chosen;
    }
    return path;
}

std::string SystemPathOfHost(std::string_view hostPath) {
    std::string result;
    size_t start = 0;
    while (start <= hostPath.size()) {
        size_t end = hostPath.find('/', start);
        if (end == std::string_view::npos) end = hostPath.size();
        if (end > start) {
            if (!result.empty() || start > 0) result += '\\';
            result += Utf8ToSjis(hostPath.substr(start, end - start));
        }
        start = end + 1;
    }
    if (result.empty() && !hostPath.empty() && hostPath[0] == '/') result = "\\";
    return result;
}

}  // namespace vorn::platform

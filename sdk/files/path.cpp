// The base folder and the path rules.
#include "files/path.h"

namespace {

std::string g_baseFolder;

struct Separators {
    std::string::size_type last = std::string::npos;
    std::string::size_type secondLast = std::string::npos;
};

// The last two separators from `start` on, skipping the trail byte of every lead byte.
Separators FindLastTwoSeparators(const std::string& path, std::string::size_type start) {
    Separators found;
    for (auto i = start; i < path.size(); ++i) {
        if (vorn::files::IsPathLeadByte(static_cast<unsigned char>(path[i]))) {
            ++i;  // the trail byte goes with it
        } else if (vorn::files::IsPathSeparator(path[i])) {
            found.secondLast = found.last;
            found.last = i;
        }
    }
    return found;
}

}  // namespace

namespace vorn::files {

std::string::size_type FindLastSeparator(const std::string& path, std::string::size_type start) {
    return FindLastTwoSeparators(path, start).last;
}

}  // namespace vorn::files

void SetBaseFolder(const char* text) {
    g_baseFolder = text ? text : "";
    if (!g_baseFolder.empty() && g_baseFolder[0] == '"') {
        g_baseFolder.erase(0, 1);
        if (g_baseFolder.find('.') != std::string::npos) {
            GetParentPath(g_baseFolder);
            return;
        }
    }
    if (g_baseFolder.empty()) return;
    // A final 0x5C byte may be the trail of a double-byte character: only a real
    // separator at the end counts.
    if (vorn::files::FindLastSeparator(g_baseFolder) + 1 != g_baseFolder.size())
        g_baseFolder += '\\';
}

const std::string& GetBaseFolder() { return g_baseFolder; }

std::string MakeFullPath(const std::string& path) {
    // The host's full paths have no drive letter: a name that begins at the root is
    // as full as one with a drive letter (and a network name's two backslashes begin
    // at the root too).
    if (!path.empty() && vorn::files::IsPathSeparator(path[0])) return path;
    if (path.find(':') != std::string::npos) return path;
    std::string base = g_baseFolder;
    std::string::size_type rest = 0;
    while (path.size() - rest >= 3 && path[rest] == '.' && path[rest + 1] == '.' &&
           vorn::files::IsPathSeparator(path[rest + 2])) {
        GetParentPath(base);  // at a root the base simply stays
        rest += 3;
    }
    return base + path.substr(rest);
}

int GetParentPath(std::string& path) {
    const Separators found = FindLastTwoSeparators(path, path.starts_with("\\\\") ? 2 : 0);
    if (found.secondLast == std::string::npos) return 1;
    path.erase((found.last + 1 == path.size() ? found.secondLast : found.last) + 1);
    return 0;
}

void ToLowerString(std::string& text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

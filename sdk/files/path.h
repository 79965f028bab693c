// Paths and the base folder: every relative data-file name is resolved against one
// process-wide folder, set once at start-up from the current folder.
//
// Paths are Shift-JIS byte strings with backslashes or slashes between folders. The
// path rules treat bytes 0x80..0xA0 and 0xE0..0xFF as lead bytes of double-byte
// characters, so a trail byte with the backslash code never counts as a separator.
#pragma once

#include <string>

// Sets the base folder from a folder name (or from a program path in double quotes,
// which gives the program's folder). The folder keeps a separator at its end; one
// backslash is appended when it has none. An empty or null text leaves the base
// folder empty, so that names resolve against the current folder.
void SetBaseFolder(const char* text);

// The base folder as last set (empty before the first SetBaseFolder).
const std::string& GetBaseFolder();

// The full path of a file name: names that begin with a separator or contain a ':'
// are already full and come back unchanged; any other name is appended to the base
// folder after its leading parent steps ("..\" or "../") have each cut one folder off
// the base (never above its root).
std::string MakeFullPath(const std::string& path);

// Cuts the last component off a path in place, leaving it ending with a separator:
// C:/a/b/ and C:/a/b.bmp both become C:/a/. Returns 0 when it cut, 1 when the path
// holds fewer than two separators (it is then left unchanged). The leading pair of a
// network path (two backslashes) never counts.
int GetParentPath(std::string& path);

// Replaces each byte 'A'..'Z' by its lower-case letter, in place; every other byte
// (those of double-byte characters included) is left alone.
void ToLowerString(std::string& text);

namespace vorn::files {

// A byte that begins a double-byte character for the path rules.
inline bool IsPathLeadByte(unsigned char c) { return (c >= 0x80 && c <= 0xA0) || c >= 0xE0; }

inline bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

// The position of the last separator of a path that is not the trail byte of a
// double-byte character, scanning from `start`; npos when there is none.
std::string::size_type FindLastSeparator(const std::string& path, std::string::size_type start = 0);

}  // namespace vorn::files

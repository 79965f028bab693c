// The mapping between the system's file names (Shift-JIS, backslash or slash between
// folders, an optional drive letter) and the host's (UTF-8, slash). Internal to the
// platform layer; every operation that takes a file name goes through it.
#pragma once

#include <string>
#include <string_view>

namespace vorn::platform {

// The host path for a Shift-JIS name. A backslash or slash byte separates folders
// unless it trails a lead byte (then it is part of a double-byte character), so no
// backslash ever reaches a host name. A leading separator, or a drive letter with a
// colon and a separator, means the host root; a drive letter without a separator is
// dropped (the name is then relative to the current folder). Each component that does
// not exist as written is replaced by the one entry of its folder whose name matches
// it without regard to ASCII letter case; with no such entry or more than one, the
// component stays as written (so opening it fails, or creating it makes a new entry).
// "." and ".." pass through unchanged. A null or empty name gives an empty path.
std::string HostPath(const char* sjisName);

// A host path presented to the system: Shift-JIS with a backslash between folders
// ("/work/x" -> "\work\x", "/" -> "\"). Characters with no Shift-JIS form become '?'.
std::string SystemPathOfHost(std::string_view hostPath);

}  // namespace vorn::platform

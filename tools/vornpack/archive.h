// Building and taking apart pack archives and scrambled images in memory. The layout
// and the transform are the file reader's own (files/pack_format.h, files/scramble.h).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::pack {

struct Entry {
    std::string name;  // the record name: Shift-JIS, no folder, 1..31 bytes
    std::string data;  // the entry's bytes
};

// A problem with the input: a name the format cannot hold, a damaged archive, an image
// without its marker. The message says what and where.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of an archive holding the entries in order: the header, the directory,
// then each entry's data. Throws FormatError for an empty name, a name longer than 31
// bytes or holding a zero byte, or an archive of 4 GiB or more.
std::string BuildArchive(const std::vector<Entry>& entries);

// The entries of an archive, in directory order. Throws FormatError when the magic is
// wrong or the directory or an entry reaches past the end.
std::vector<Entry> ParseArchive(std::string_view archive);

// The scrambled image of plain content ("VPK1" and the scrambled bytes), and back.
// UnscrambleImage throws FormatError when the image lacks the marker.
std::string ScrambleImage(std::string_view plain);
std::string UnscrambleImage(std::string_view image);

}  // namespace vorn::pack

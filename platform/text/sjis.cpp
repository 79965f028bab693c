#include "platform/text/sjis.h"

#include <iconv.h>

#include <cerrno>

namespace vorn::platform {
namespace {

// Converts with iconv, replacing what does not convert. `skip` is how many input bytes
// an unconvertible sequence is taken to be (the lead byte and its trail for Shift-JIS).
std::string Convert(const char* to, const char* from, std::string_view in, const char* replacement,
                    bool sjisInput) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    out.reserve(in.size() * 2 + 4);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[256];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (a sequence cut at the end): replace one character.
        out.append(replacement);
        size_t skip = 1;
        if (sjisInput) {
            if (IsSjisLeadByte(static_cast<unsigned char>(*src)) && srcLeft >= 2) skip = 2;
        } else {
            // Skip the whole UTF-8 sequence.
            while (skip < srcLeft && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80) ++skip;
        }
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
    return Convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD", true);
}

std::string Utf8ToSjis(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8, "?", false); }

}  // namespace vorn::platform

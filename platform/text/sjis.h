// Conversions between the system's Shift-JIS (code page 932) texts and the host's
// UTF-8. Internal to the platform layer.
#pragma once

#include <string>
#include <string_view>

namespace vorn::platform {

// Shift-JIS to UTF-8. Bytes that do not decode become U+FFFD, so the result is always
// valid UTF-8.
std::string SjisToUtf8(std::string_view sjis);

// UTF-8 to Shift-JIS. Characters with no Shift-JIS form become '?'.
std::string Utf8ToSjis(std::string_view utf8);

// A byte that begins a double-byte character (0x81..0x9F, 0xE0..0xFC in the strict
// code page; the SDK's path rules treat 0x80..0xA0 and 0xE0..0xFF as lead bytes).
inline bool IsSjisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace vorn::platform

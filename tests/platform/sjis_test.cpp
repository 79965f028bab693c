#include <gtest/gtest.h>

#include "platform/text/sjis.h"

using vorn::platform::SjisToUtf8;
using vorn::platform::Utf8ToSjis;

// Literals are compiled to Shift-JIS; the expected UTF-8 is spelled out in bytes.
TEST(Sjis, RoundTripsTextWithBackslashTrailBytes) {
    const std::string sjis = "表データ";
    ASSERT_EQ(sjis.substr(0, 2), std::string("\x95\x5C"));
    const std::string utf8 = SjisToUtf8(sjis);
    EXPECT_EQ(utf8, "\xE8\xA1\xA8\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF");
    EXPECT_EQ(Utf8ToSjis(utf8), sjis);
}

TEST(Sjis, ReplacesWhatDoesNotConvert) {
    EXPECT_EQ(SjisToUtf8(std::string("a\x81")), "a\xEF\xBF\xBD");        // cut lead byte
    EXPECT_EQ(Utf8ToSjis("a\xF0\x9F\x98\x80" "b"), "a?b");                // no Shift-JIS form
}

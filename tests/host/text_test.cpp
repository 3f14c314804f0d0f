#include <gtest/gtest.h>

#include "tools/host/text.h"

namespace {
using namespace morvik::host;

struct TextCase {
    const char* name;
    std::string utf8;
    std::u16string utf16;
};

class TextRoundTrip : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextRoundTrip, ConvertsBothWays)
{
    const TextCase& text = GetParam();
    EXPECT_EQ(toUtf16(text.utf8), text.utf16);
    EXPECT_EQ(toUtf8(text.utf16.c_str(), text.utf16.size() + 1), text.utf8);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextRoundTrip,
                         ::testing::Values(TextCase{"ascii", "tk MORVIK Gate", u"tk MORVIK Gate"},
                                           TextCase{"two_byte", "50 %, 8000 Hz, \xC2\xB5s",
                                                    u"50 %, 8000 Hz, \u00B5s"},
                                           TextCase{"three_byte", "\xE2\x86\x92 dB", u"\u2192 dB"},
                                           TextCase{"surrogate_pair", "\xF0\x9D\x84\x9E", u"\U0001D11E"},
                                           TextCase{"empty", "", u""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Text, BrokenInputBecomesReplacementCharacters)
{
    EXPECT_EQ(toUtf16("a\xFF"
                      "b"),
              u"a\uFFFDb");
    EXPECT_EQ(toUtf16("\xE2\x86"), u"\uFFFD\uFFFD");
    const char16_t loneSurrogate[] = {u'a', 0xD800, u'b', 0};
    EXPECT_EQ(toUtf8(loneSurrogate),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(Text, UnterminatedFieldsStopAtTheirEnd)
{
    const char16_t wide[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(toUtf8(wide), "abc");
    const char narrow[3] = {'x', 'y', 'z'};
    EXPECT_EQ(boundedText(narrow), "xyz");
    const char terminated[8] = "xy";
    EXPECT_EQ(boundedText(terminated), "xy");
}

TEST(Text, CopyToString128CutsAndTerminates)
{
    Steinberg::String128 target;
    copyToString128(std::u16string(300, u'x'), target);
    EXPECT_EQ(std::u16string(target), std::u16string(127, u'x'));
    copyToString128(u"short", target);
    EXPECT_EQ(std::u16string(target), u"short");
}

}  // namespace

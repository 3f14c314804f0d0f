// Conversions into the fixed-size text fields of the factory records.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>

#include "sdk/vst3/factory/fixedtext.h"

namespace Steinberg {
namespace {

struct Utf8Case {
    const char* name;
    std::string source;
    std::size_t destSize;
    std::u16string expected;
};

void PrintTo(const Utf8Case& row, std::ostream* out)
{
    *out << row.name;
}

class Utf8ToUtf16 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToUtf16, ConvertsWholeCharactersAndTerminates)
{
    const Utf8Case& c = GetParam();
    std::u16string dest(c.destSize + 1, u'#');  // one guard unit past the field
    FixedText::utf8ToUtf16(dest.data(), c.destSize, c.source.data(), c.source.size());
    EXPECT_EQ(std::u16string(dest.c_str()), c.expected);
    EXPECT_EQ(dest[c.destSize], u'#');
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8ToUtf16,
    ::testing::Values(Utf8Case{"Ascii", "Gate", 8, u"Gate"},
                      Utf8Case{"TwoAndThreeByte", "Größe €", 16, u"Größe €"},
                      Utf8Case{"FourByteBecomesSurrogatePair", "\xF0\x9D\x84\x9E", 4, u"\U0001D11E"},
                      Utf8Case{"CutToTheField", "abcdef", 4, u"abc"},
                      Utf8Case{"SurrogatePairIsNotSplit", "a\xF0\x9D\x84\x9E", 3, u"a"},
                      Utf8Case{"StrayByte",
                               "a\xFF"
                               "b",
                               8, u"a\uFFFDb"},
                      Utf8Case{"Overlong", "\xC0\xAF", 8, u"\uFFFD"},
                      Utf8Case{"EncodedSurrogate", "\xED\xA0\x80", 8, u"\uFFFD"},
                      Utf8Case{"SequenceCutShort", "x\xE2\x82", 8, u"x\uFFFD"},
                      Utf8Case{"StopsAtTheTerminator", std::string("ab\0cd", 5), 8, u"ab"}),
    [](const auto& info) { return std::string(info.param.name); });

// A field filled to its last byte has no terminator; nothing past it may be read.
TEST(FixedText, ReadsNoFurtherThanTheSourceField)
{
    const auto field = std::make_unique<char8[]>(3);
    std::copy_n("abc", 3, field.get());
    char16 wide[8];
    FixedText::utf8ToUtf16(wide, std::size(wide), field.get(), 3);
    EXPECT_EQ(std::u16string(wide), u"abc");
    char8 narrow[8];
    FixedText::copyUtf8(narrow, sizeof(narrow), field.get(), 3);
    EXPECT_STREQ(narrow, "abc");
}

TEST(Utf16ToUtf8, ConvertsAndReplacesLoneSurrogates)
{
    char8 dest[16];
    const char16 text[] = u"Größe \U0001D11E";
    FixedText::utf16ToUtf8(dest, sizeof(dest), text, std::size(text));
    EXPECT_STREQ(dest, "Größe \xF0\x9D\x84\x9E");

    const char16 lone[] = {u'a', char16{0xD800}, u'b', char16{0xDC00}, 0};
    FixedText::utf16ToUtf8(dest, sizeof(dest), lone, std::size(lone));
    EXPECT_STREQ(dest,
                 "a\xEF\xBF\xBD"
                 "b\xEF\xBF\xBD");
}

TEST(Utf16ToUtf8, NeverCutsACharacter)
{
    char8 dest[4];
    const char16 text[] = u"a€";  // '€' takes three bytes, one more than is left
    FixedText::utf16ToUtf8(dest, sizeof(dest), text, std::size(text));
    EXPECT_STREQ(dest, "a");
}

TEST(CopyUtf8, CutsAtACharacterBoundary)
{
    char8 dest[3];
    const char8 text[] = "a\xC3\xA9z";  // "aéz"
    FixedText::copyUtf8(dest, sizeof(dest), text, sizeof(text));
    EXPECT_STREQ(dest, "a");

    char8 fits[4];
    FixedText::copyUtf8(fits, sizeof(fits), text, sizeof(text));
    EXPECT_STREQ(fits, "a\xC3\xA9");
}

}  // namespace
}  // namespace Steinberg

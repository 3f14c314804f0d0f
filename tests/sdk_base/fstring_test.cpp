#include "sdk/vst3/base/fstring.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace Steinberg {
namespace {

std::u16string u16(const char16* text)
{
    return text ? std::u16string(text) : std::u16string();
}

// What snprintf("%.*lf") gives in the "C" locale.
std::u16string printfText(double value, int precision)
{
    char buffer[512];
    std::snprintf(buffer, sizeof(buffer), "%.*lf", precision, value);
    std::u16string out;
    for (const char* p = buffer; *p; ++p)
        out.push_back(static_cast<char16>(*p));
    return out;
}

// --- String ---------------------------------------------------------------

TEST(String, WideToUtf8InPlace)
{
    String text(u"Gr\u00FC\u00DFe \u20AC \U0001F600");
    EXPECT_TRUE(text.isWideString());
    EXPECT_EQ(text.length(), 10);  // the emoji is two units
    EXPECT_EQ(u16(text.text16()), u"Gr\u00FC\u00DFe \u20AC \U0001F600");
    EXPECT_STREQ(text.text8(), "");  // not narrow yet
    ASSERT_TRUE(text.toMultiByte(kCP_Utf8));
    EXPECT_FALSE(text.isWideString());
    EXPECT_STREQ(text.text8(),
                 "Gr\xC3\xBC\xC3\x9F"
                 "e \xE2\x82\xAC \xF0\x9F\x98\x80");
    EXPECT_EQ(text.length(), 16);
    EXPECT_TRUE(text.toMultiByte());  // already narrow

    ASSERT_TRUE(text.toWideString());
    EXPECT_EQ(u16(text.text16()), u"Gr\u00FC\u00DFe \u20AC \U0001F600");
}

TEST(String, NarrowAndNull)
{
    String narrow("Level");
    EXPECT_FALSE(narrow.isWideString());
    EXPECT_STREQ(narrow.text8(), "Level");
    EXPECT_EQ(narrow.length(), 5);
    EXPECT_EQ(u16(narrow.text16()), u"");

    String none(static_cast<const char16*>(nullptr));
    EXPECT_TRUE(none.isEmpty());
    ASSERT_TRUE(none.toMultiByte());
    EXPECT_STREQ(none.text8(), "");

    String empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_STREQ(empty.text8(), "");
}

TEST(String, AsciiCodePageAndUnsupportedOnes)
{
    String text(u"a\u00E9b");
    EXPECT_FALSE(text.toMultiByte(kCP_ShiftJIS));
    EXPECT_TRUE(text.isWideString());
    ASSERT_TRUE(text.toMultiByte(kCP_US_ASCII));
    EXPECT_STREQ(text.text8(), "a?b");
}

TEST(String, InvalidUtf16BecomesReplacementCharacter)
{
    const char16 lone[] = {u'a', 0xD800, u'b', 0};
    String text(lone);
    ASSERT_TRUE(text.toMultiByte());
    EXPECT_STREQ(text.text8(),
                 "a\xEF\xBF\xBD"
                 "b");
}

// --- free helpers ----------------------------------------------------------

TEST(CopyHelpers, AsciiToUtf16CutsTerminatesAndZeroFills)
{
    char16 field[6];
    std::fill(std::begin(field), std::end(field), u'#');
    copyAsciiToUtf16(field, 6, "Reverb");
    EXPECT_EQ(u16(field), u"Rever");
    copyAsciiToUtf16(field, 6, "ab");
    EXPECT_EQ(u16(field), u"ab");
    for (int i = 2; i < 6; ++i)
        EXPECT_EQ(field[i], 0);
    copyAsciiToUtf16(field, 6, nullptr);
    EXPECT_EQ(field[0], 0);
    copyAsciiToUtf16(field, 6, "\xC3\xA9!");
    EXPECT_EQ(u16(field),
              u"?"
              u"?!");

    str8ToStr16(field, "Morvik", 4);
    EXPECT_EQ(u16(field), u"Mor");
    char16 big[16];
    str8ToStr16(big, "Morvik");
    EXPECT_EQ(u16(big), u"Morvik");
}

TEST(CopyHelpers, Utf8ToUtf16NeverSplitsASurrogatePair)
{
    struct Character {
        std::string utf8;
        std::u16string utf16;
    };
    // High units 0xD800 (the lowest), 0xD83D and 0xDBFF (the highest).
    for (const Character& c :
         {Character{"\xF0\x90\x80\x80", u"\U00010000"}, Character{"\xF0\x9F\x98\x80", u"\U0001F600"},
          Character{"\xF4\x8F\xBF\xBF", u"\U0010FFFF"}}) {
        SCOPED_TRACE(testing::Message() << "high unit 0x" << std::hex << static_cast<int>(c.utf16[0]));
        const std::string text = "ab" + c.utf8;
        char16 field[4];
        copyUtf8ToUtf16(field, 4, text.c_str());  // the character needs units 2 and 3
        EXPECT_EQ(u16(field), u"ab");
        char16 wider[5];
        copyUtf8ToUtf16(wider, 5, text.c_str());
        EXPECT_EQ(u16(wider), u"ab" + c.utf16);
    }
    char16 wider[5];
    copyUtf8ToUtf16(wider, 5, "\xC3\xA9\xFF");
    EXPECT_EQ(u16(wider), u"\u00E9\uFFFD");
}

TEST(CopyHelpers, Utf16ToAscii)
{
    char out[4];
    copyUtf16ToAscii(out, 4, u"d\u00E9cay");
    EXPECT_STREQ(out, "d?c");
    EXPECT_EQ(strlen16(u"hello"), 5);
    EXPECT_EQ(strlen16(nullptr), 0);
}

// --- UString ---------------------------------------------------------------

TEST(UString, AssignCutsAtTheBufferEnd)
{
    char16 buffer[5];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    UString text(buffer, 5);
    text.assign(u"abcdefgh");
    EXPECT_EQ(u16(buffer), u"abcd");
    EXPECT_EQ(buffer[4], 0);
    EXPECT_EQ(text.getLength(), 4);
    EXPECT_EQ(text.getSize(), 5);

    text.assign(u"xy");
    EXPECT_EQ(u16(text), u"xy");
    text.assign(u"abcdef", 3);  // at most 3 units of the source
    EXPECT_EQ(u16(text), u"abc");
    text.assign(static_cast<const char16*>(nullptr));
    EXPECT_EQ(text.getLength(), 0);
}

TEST(UString, AppendCutsAtTheBufferEnd)
{
    char16 buffer[6];
    UString text(buffer, 6);
    text.assign(u"ab").append(u"cd");
    EXPECT_EQ(u16(text), u"abcd");
    text.append(u"efgh");
    EXPECT_EQ(u16(text), u"abcde");
    EXPECT_EQ(buffer[5], 0);
    text.append(u"z");
    EXPECT_EQ(u16(text), u"abcde");

    char16 other[8];
    UString copy(other, 8);
    copy.assign(text);
    EXPECT_EQ(u16(other), u"abcde");
}

TEST(UString, UnterminatedBufferIsTerminatedAtItsEnd)
{
    char16 buffer[3] = {u'a', u'b', u'c'};
    UString text(buffer, 3);
    EXPECT_EQ(text.getLength(), 3);
    text.append(u"d");
    EXPECT_EQ(u16(buffer), u"ab");
}

TEST(UString, NoBufferIsHarmless)
{
    UString none(nullptr, 10);
    EXPECT_EQ(none.getSize(), 0);
    none.assign(u"abc").append(u"d").fromAscii("x");
    EXPECT_FALSE(none.printFloat(1.0));
    EXPECT_FALSE(none.printInt(1));
    double d = 3;
    EXPECT_FALSE(none.scanFloat(d));
    EXPECT_EQ(d, 3);
    char16 buffer[2] = {u'q', u'q'};
    UString zero(buffer, 0);
    zero.assign(u"abc");
    EXPECT_EQ(buffer[0], u'q');
}

TEST(UString, AsciiInAndOut)
{
    char16 buffer[8];
    UString text(buffer, 8);
    text.fromAscii("Hello, world");
    EXPECT_EQ(u16(text), u"Hello, ");
    text.fromAscii("abcdef", 2);
    EXPECT_EQ(u16(text), u"ab");

    char out[4];
    text.assign(u"x\u00E9yz");
    text.toAscii(out, 4);
    EXPECT_STREQ(out, "x?y");

    char16 copy[3];
    text.copyTo(copy, 3);
    EXPECT_EQ(u16(copy), u"x\u00E9");
}

TEST(UString, PrintFloatRoundsAsPrintf)
{
    char16 buffer[64];
    UString text(buffer, 64);
    struct Case {
        double value;
        int32 precision;
        const char16* expected;
    };
    const Case cases[] = {
        {2.5, 0, u"2"},
        {3.5, 0, u"4"},
        {0.125, 2, u"0.12"},
        {0.375, 2, u"0.38"},
        {-0.00096, 2, u"-0.00"},
        {15.811, 1, u"15.8"},
        {1.0, 4, u"1.0000"},
        {-0.0, 1, u"-0.0"},
        {0.1, 20, u"0.10000000000000000555"},
        {1e21, 0, u"1000000000000000000000"},
        {123.456, 4, u"123.4560"},
        {0.05, 1, u"0.1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " / " << c.precision);
        ASSERT_TRUE(text.printFloat(c.value, c.precision));
        EXPECT_EQ(u16(text), c.expected);
        EXPECT_EQ(u16(text), printfText(c.value, c.precision));
    }
    ASSERT_TRUE(text.printFloat(0.5));  // default precision 4
    EXPECT_EQ(u16(text), u"0.5000");
    ASSERT_TRUE(text.printFloat(0.5, -1));  // as printf: 6
    EXPECT_EQ(u16(text), printfText(0.5, -1));
}

TEST(UString, PrintFloatMatchesPrintfOnManyValues)
{
    char16 buffer[400];
    UString text(buffer, 400);
    const double values[] = {0.0,   1.0 / 3, 2.0 / 3, 1e-7,     -1e-7,     0.045,  0.055,  1.005,
                             2.675, 1e300,   -1e300,  5e-324,   12345.678, 0.9999, 99.995, 1e15,
                             1e16,  -2.5,    -3.5,    0.000005, 1e-5,      9.5,    10.5};
    for (double value : values)
        for (int32 precision : {0, 1, 2, 3, 4, 6, 10, 17}) {
            SCOPED_TRACE(testing::Message() << value << " / " << precision);
            ASSERT_TRUE(text.printFloat(value, precision));
            EXPECT_EQ(u16(text), printfText(value, precision));
        }
}

TEST(UString, PrintFloatSpecialValues)
{
    char16 buffer[16];
    UString text(buffer, 16);
    for (double value :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()}) {
        ASSERT_TRUE(text.printFloat(value, 2));
        EXPECT_EQ(u16(text), printfText(value, 2));
    }
}

TEST(UString, PrintFloatThatDoesNotFitIsCutAndAnswersFalse)
{
    char16 buffer[5];
    UString text(buffer, 5);
    EXPECT_TRUE(text.printFloat(1.5, 2));  // "1.50": 4 units + terminator
    EXPECT_EQ(u16(text), u"1.50");
    EXPECT_FALSE(text.printFloat(12.5, 2));
    EXPECT_EQ(u16(text), u"12.5");
    EXPECT_FALSE(text.printFloat(1.0, 100000));
    EXPECT_EQ(u16(text), u"1.00");
}

TEST(UString, PrintFloatIgnoresTheLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    bool switched = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (std::setlocale(LC_NUMERIC, name)) {
            switched = true;
            break;
        }
    char16 buffer[16];
    UString text(buffer, 16);
    ASSERT_TRUE(text.printFloat(1.25, 2));
    EXPECT_EQ(u16(text), u"1.25");
    text.assign(u"2.5");
    double d = 0;
    ASSERT_TRUE(text.scanFloat(d));
    EXPECT_EQ(d, 2.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!switched)
        GTEST_SKIP() << "no comma-decimal locale (scripts/install-deps.sh makes one); C locale only";
}

TEST(UString, ScanFloat)
{
    char16 buffer[32];
    UString text(buffer, 32);
    struct Case {
        const char16* text;
        double expected;
    };
    const Case good[] = {
        {u"1.5", 1.5},        {u"  -2.25", -2.25},   {u"\t+3", 3.0},      {u".5", 0.5},
        {u"-.5", -0.5},       {u"12.5 dB", 12.5},    {u"1e3", 1000.0},    {u"2.5E-1", 0.25},
        {u"7.", 7.0},         {u"0", 0.0},           {u"1e", 1.0},        {u"3,5", 3.0},
        {u"-0", -0.0},        {u"\n 42x", 42.0},     {u"0x10", 0.0},      {u"1e-400", 0.0},
        {u"-1e-400", -0.0},   {u"0.0000e-999", 0.0}, {u"5e-324", 5e-324}, {u"100e-330", 0.0},
        {u"0.001e-322", 0.0}, {u"0.001e311", 1e308},

    };
    for (const Case& c : good) {
        SCOPED_TRACE(testing::Message() << std::string(c.text, c.text + strlen16(c.text)));
        text.assign(c.text);
        double value = -99;
        ASSERT_TRUE(text.scanFloat(value));
        EXPECT_EQ(value, c.expected);
        EXPECT_EQ(std::signbit(value), std::signbit(c.expected));
    }
}

TEST(UString, ScanFloatFailuresLeaveTheValueAlone)
{
    char16 buffer[32];
    UString text(buffer, 32);
    for (const char16* bad :
         {u"", u"   ", u"abc", u"-", u"+", u".", u"-.", u"+-1", u"--1", u"inf", u"nan", u"-inf", u"dB 12",
          u"\u00E912", u"1e999", u"-1e999", u"1000e306", u"0.01e311"}) {
        SCOPED_TRACE(testing::Message() << std::string(bad, bad + strlen16(bad)));
        text.assign(bad);
        double value = 0.75;
        EXPECT_FALSE(text.scanFloat(value));
        EXPECT_EQ(value, 0.75);
    }
}

TEST(UString, PrintAndScanInt)
{
    char16 buffer[32];
    UString text(buffer, 32);
    ASSERT_TRUE(text.printInt(-9223372036854775807LL - 1));
    EXPECT_EQ(u16(text), u"-9223372036854775808");
    int64 value = 0;
    ASSERT_TRUE(text.scanInt(value));
    EXPECT_EQ(value, std::numeric_limits<int64>::min());

    ASSERT_TRUE(text.printInt(0));
    EXPECT_EQ(u16(text), u"0");

    text.assign(u"  +42 Hz");
    ASSERT_TRUE(text.scanInt(value));
    EXPECT_EQ(value, 42);
    text.assign(u"-7.9");
    ASSERT_TRUE(text.scanInt(value));
    EXPECT_EQ(value, -7);

    for (const char16* bad : {u"", u"x1", u"+-3", u"-", u"99999999999999999999"}) {
        text.assign(bad);
        value = 5;
        EXPECT_FALSE(text.scanInt(value));
        EXPECT_EQ(value, 5);
    }

    char16 small[3];
    UString tiny(small, 3);
    EXPECT_FALSE(tiny.printInt(12345));
    EXPECT_EQ(u16(small), u"12");
    EXPECT_TRUE(tiny.printInt(-1));
}

TEST(UString, UString128OwnsItsBuffer)
{
    UString128 a;
    EXPECT_EQ(a.getSize(), 128);
    EXPECT_EQ(a.getLength(), 0);
    a.printFloat(0.5, 1);
    UString128 b(a);
    EXPECT_NE(static_cast<const char16*>(a), static_cast<const char16*>(b));
    EXPECT_EQ(u16(b), u"0.5");
    a.assign(u"changed");
    EXPECT_EQ(u16(b), u"0.5");
    b = a;
    EXPECT_EQ(u16(b), u"changed");

    UString128 fromWide(u"wide");
    EXPECT_EQ(u16(fromWide), u"wide");
    UString128 fromAscii("ascii");
    EXPECT_EQ(u16(fromAscii), u"ascii");

    std::u16string longText(300, u'x');
    UString128 cut(longText.c_str());
    EXPECT_EQ(cut.getLength(), 127);
}

}  // namespace
}  // namespace Steinberg

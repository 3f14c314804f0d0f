// Text helpers: String (a small owned narrow or UTF-16 text), UString (number
// printing and scanning over a caller's fixed UTF-16 buffer) and free copy
// helpers for fixed-size char16 fields.
//
// All number formatting and parsing here is locale-independent (it behaves as in
// the "C" locale whatever setlocale() was called with).
#pragma once

#include <cstddef>
#include <string>

#include "sdk/vst3/interfaces/types.h"

namespace Steinberg {

// Code pages for String::toMultiByte / toWideString. Only kCP_Utf8 and
// kCP_US_ASCII are converted as named; kCP_ANSI (= kCP_Default) means UTF-8 here
// (Linux). The others are refused.
enum MBCodePage : uint32 {
    kCP_ANSI = 0,
    kCP_MAC_ROMAN = 2,
    kCP_ANSI_WEL = 1252,
    kCP_MAC_CEE = 10029,
    kCP_Utf8 = 65001,
    kCP_ShiftJIS = 932,
    kCP_US_ASCII = 20127,
    kCP_Default = kCP_ANSI,
};

// Number of units before the terminating zero (0 for null).
int32 strlen16(const char16* text);

// ---------------------------------------------------------------------------
// Code points, for every conversion here and in the factory's fixed texts.
// A decoder reads the code point at text[position] of a text of `length` units
// and moves `position` past it. Malformed input reads as kReplacementCharacter:
// a unit that cannot start a character takes only itself; a sequence cut short,
// or broken by a unit that cannot continue it, takes the units before that unit;
// an overlong form, an encoded surrogate or a value beyond U+10FFFF takes its
// whole sequence.
// ---------------------------------------------------------------------------

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

char32_t decodeUtf8(const char8* text, std::size_t length, std::size_t& position);
char32_t decodeUtf16(const char16* text, std::size_t length, std::size_t& position);
// Write a code point's units and answer how many: 1 to 4 bytes, 1 or 2 units.
int32 encodeUtf8(char32_t codePoint, char8 (&units)[4]);
int32 encodeUtf16(char32_t codePoint, char16 (&units)[2]);
// Decode the character at text[position] and encode it the other way; answer its units.
int32 nextAsUtf16(const char8* text, std::size_t length, std::size_t& position, char16 (&units)[2]);
int32 nextAsUtf8(const char16* text, std::size_t length, std::size_t& position, char8 (&units)[4]);

// ---------------------------------------------------------------------------
// Free copy helpers. `dstSize` is the destination's size in units including the
// terminator; the result is always zero-terminated (when dstSize > 0) and the
// rest of the destination is filled with zeros, so fixed-size info fields have
// no stray bytes. A null `src` copies as the empty text.
// ---------------------------------------------------------------------------

// Bytes 0..127 are copied as they are, any other byte becomes '?'.
void copyAsciiToUtf16(char16* dst, int32 dstSize, const char8* src);
// Decodes UTF-8 (invalid sequences become U+FFFD); never splits a surrogate pair
// at the cut.
void copyUtf8ToUtf16(char16* dst, int32 dstSize, const char8* src);
// UTF-16 to ASCII: units above 127 become '?'.
void copyUtf16ToAscii(char8* dst, int32 dstSize, const char16* src);
// Widening copy as in the SDK, but bounded: `dstSize` as above; -1 means the
// caller guarantees room for the whole text and its terminator (no zero fill).
// Same byte mapping as copyAsciiToUtf16.
void str8ToStr16(char16* dst, const char8* src, int32 dstSize = -1);

// UTF conversions used by String (invalid input becomes U+FFFD).
std::string utf16ToUtf8(const char16* text, int32 length = -1);
std::u16string utf8ToUtf16(const char8* text, int32 length = -1);

// ---------------------------------------------------------------------------
// String: owns either narrow (UTF-8 / ASCII) or wide (UTF-16) text.
// ---------------------------------------------------------------------------
class String {
public:
    String() = default;
    String(const char8* text);   // narrow; null is the empty text
    String(const char16* text);  // wide; null is the empty text
    String(const String&) = default;
    String(String&&) noexcept = default;
    String& operator=(const String&) = default;
    String& operator=(String&&) noexcept = default;

    String& assign(const char8* text);
    String& assign(const char16* text);

    bool isWideString() const { return wide; }
    bool isEmpty() const { return length() == 0; }
    // Units of the current form: bytes when narrow, char16 units when wide.
    int32 length() const;

    // The narrow text; "" while the String is wide (call toMultiByte first).
    const char8* text8() const;
    // The wide text; u"" while the String is narrow (call toWideString first).
    const char16* text16() const;

    // Converts wide text to narrow in place (a narrow String stays as it is).
    // kCP_Utf8 / kCP_ANSI: UTF-8. kCP_US_ASCII: units above 127 become '?'.
    // False (and unchanged) for other code pages.
    bool toMultiByte(uint32 codePage = kCP_Utf8);
    // Converts narrow text to wide in place (a wide String stays as it is).
    // kCP_Utf8 / kCP_ANSI: decodes UTF-8. kCP_US_ASCII: bytes above 127 become '?'.
    bool toWideString(uint32 codePage = kCP_Utf8);

    friend bool operator==(const String& a, const String& b)
    {
        return a.wide == b.wide && a.narrowText == b.narrowText && a.wideText == b.wideText;
    }

private:
    bool wide = false;
    std::string narrowText;
    std::u16string wideText;
};

// ---------------------------------------------------------------------------
// UString: a view on a caller's UTF-16 buffer of `size` units (terminator
// included). Every operation keeps the buffer zero-terminated within `size`,
// cutting text that does not fit. A null buffer or size <= 0 makes every write a
// no-op (and answers false where an answer is given).
// Construction does not touch the buffer.
// ---------------------------------------------------------------------------
class UString {
public:
    UString(char16* buffer, int32 size) : thisBuffer(buffer), thisSize(buffer && size > 0 ? size : 0) {}

    // Capacity in units (terminator included).
    int32 getSize() const { return thisSize; }
    // Units before the terminator (searching at most getSize() units).
    int32 getLength() const;
    operator const char16*() const { return thisBuffer; }

    // Copies `src`: at most `srcSize` units (-1: up to its terminator), stopping
    // early at a zero unit, and cut to getSize() - 1. Null `src` assigns "".
    UString& assign(const char16* src, int32 srcSize = -1);
    UString& assign(const UString& src) { return assign(static_cast<const char16*>(src), src.getLength()); }
    // Appends in the same way after the current text.
    UString& append(const char16* src, int32 srcSize = -1);
    UString& append(const UString& src) { return append(static_cast<const char16*>(src), src.getLength()); }
    // Copies into `dst` (dstSize units, terminator included), cut to fit.
    const UString& copyTo(char16* dst, int32 dstSize) const;

    // Copies ASCII text (at most srcSize bytes, -1: to its terminator); bytes
    // above 127 become '?'.
    UString& fromAscii(const char8* src, int32 srcSize = -1);
    UString& assign(const char8* src, int32 srcSize = -1) { return fromAscii(src, srcSize); }
    // Copies out as ASCII into `dst` (dstSize bytes, terminator included), cut to
    // fit; units above 127 become '?'.
    const UString& toAscii(char8* dst, int32 dstSize) const;

    // Writes `value` exactly as snprintf("%.*lf", precision, value) would in the
    // "C" locale (precision < 0 means 6). True when the whole text fit; otherwise
    // the buffer holds the text cut to fit and the answer is false.
    bool printFloat(double value, int32 precision = 4);
    // Reads a decimal number (optional sign, digits with an optional fraction and
    // exponent) after optional white space; text after it is ignored ("12.5 dB"
    // reads 12.5). False, with `value` untouched, when there is no number there
    // ("inf" and "nan" are not numbers here; "0x10" reads as 0) or its magnitude
    // is too large for a double. One too small for a double reads as 0 (keeping
    // its sign), as with strtod.
    bool scanFloat(double& value) const;
    // Writes `value` in decimal. True when it fit (otherwise cut, false).
    bool printInt(int64 value);
    // Reads an optionally signed decimal integer after optional white space;
    // false (value untouched) when there is none or it does not fit in int64.
    bool scanInt(int64& value) const;

protected:
    char16* thisBuffer;
    int32 thisSize;
};

// A UString with its own buffer of `maxSize` units (initially "").
template <int32 maxSize>
class UStringBuffer : public UString {
public:
    UStringBuffer() : UString(data, maxSize) { data[0] = 0; }
    explicit UStringBuffer(const char16* src, int32 srcSize = -1) : UStringBuffer() { assign(src, srcSize); }
    explicit UStringBuffer(const char8* asciiSrc, int32 srcSize = -1) : UStringBuffer()
    {
        fromAscii(asciiSrc, srcSize);
    }
    UStringBuffer(const UStringBuffer& other) : UStringBuffer() { UString::assign(other); }
    UStringBuffer& operator=(const UStringBuffer& other)
    {
        if (this != &other)
            UString::assign(other);
        return *this;
    }

private:
    char16 data[maxSize];
};

using UString128 = UStringBuffer<128>;
using UString256 = UStringBuffer<256>;

}  // namespace Steinberg

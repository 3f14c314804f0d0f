#include "sdk/vst3/base/fstring.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>
#include <type_traits>
#include <utility>

namespace Steinberg {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The same ASCII character in the other width; '?' for anything beyond ASCII.
char16 asciiCounterpart(char8 c)
{
    const auto byte = static_cast<uint8>(c);
    return static_cast<char16>(byte < 0x80 ? byte : '?');
}

char8 asciiCounterpart(char16 unit)
{
    return static_cast<char8>(unit < 0x80 ? unit : '?');
}

// Copies src up to its terminator, each unit as its ASCII counterpart, cut to
// dstSize - 1 units, and zero-fills the rest of dst.
template <class Dst, class Src>
void copyAsAscii(Dst* dst, int32 dstSize, const Src* src)
{
    if (!dst || dstSize <= 0)
        return;
    int32 i = 0;
    if (src)
        for (; i < dstSize - 1 && src[i] != 0; ++i)
            dst[i] = asciiCounterpart(src[i]);
    for (; i < dstSize; ++i)
        dst[i] = 0;
}

// Copies the first `length` units of text into dst as `convert` gives them, cut
// to dstSize - 1 units and terminated.
template <class Dst, class Convert>
void copyOut(const char16* text, int32 length, Dst* dst, int32 dstSize, Convert convert)
{
    if (!dst || dstSize <= 0)
        return;
    const int32 count = length < dstSize - 1 ? length : dstSize - 1;
    for (int32 i = 0; i < count; ++i)
        dst[i] = convert(text[i]);
    dst[count] = 0;
}

int32 strlen8(const char8* text)
{
    int32 n = 0;
    if (text)
        while (text[n])
            ++n;
    return n;
}

// Copies UTF-16 units into the destination, zero-terminated and zero-filled.
void copyUnits(char16* dst, int32 dstSize, const char16* src, int32 count)
{
    if (!dst || dstSize <= 0)
        return;
    int32 i = 0;
    for (; i < count && i < dstSize - 1; ++i)
        dst[i] = src[i];
    for (; i < dstSize; ++i)
        dst[i] = 0;
}

// The UString's first units as ASCII, for number parsing; stops at the first
// unit that cannot be part of a number.
std::string asciiPrefix(const char16* text, int32 size)
{
    std::string out;
    if (!text)
        return out;
    for (int32 i = 0; i < size && text[i] != 0 && text[i] < 0x80; ++i)
        out.push_back(static_cast<char>(text[i]));
    return out;
}

// Moves `from` into `to` in the other width for the code page (see
// String::toMultiByte); false, with both unchanged, for a code page not
// converted here.
template <class From, class To>
bool convertText(From& from, To& to, uint32 codePage)
{
    To converted;
    switch (codePage) {
        case kCP_Utf8:
        case kCP_ANSI:
            if constexpr (std::is_same_v<From, std::u16string>)
                converted = utf16ToUtf8(from.data(), static_cast<int32>(from.size()));
            else
                converted = utf8ToUtf16(from.data(), static_cast<int32>(from.size()));
            break;
        case kCP_US_ASCII:
            for (const auto unit : from)
                converted.push_back(asciiCounterpart(unit));
            break;
        default:
            return false;
    }
    to = std::move(converted);
    from.clear();
    return true;
}

// A whole text of `length` units in the other encoding, `next` converting one
// character at a time.
template <class Out, class In, std::size_t MaxUnits>
Out transcoded(const In* text, int32 length,
               int32 (*next)(const In*, std::size_t, std::size_t&, typename Out::value_type (&)[MaxUnits]))
{
    Out out;
    const auto count = static_cast<std::size_t>(length);
    for (std::size_t position = 0; position < count;) {
        typename Out::value_type units[MaxUnits];
        out.append(units, static_cast<std::size_t>(next(text, count, position, units)));
    }
    return out;
}

// For a decimal number in [first, last) that is out of the range of double:
// true when it is too small (rather than too large). Compares the position of its
// leading non-zero digit, plus the exponent, with 0.
bool isUnderflow(const char* first, const char* last)
{
    const char* p = first;
    if (p < last && *p == '-')
        ++p;
    int64 magnitude = 0;  // decimal exponent of the leading non-zero digit
    bool found = false;
    int64 zerosAfterPoint = 0;
    bool afterPoint = false;
    int64 integerDigits = 0;
    for (; p < last && (isDigit(*p) || *p == '.'); ++p) {
        if (*p == '.') {
            afterPoint = true;
            continue;
        }
        if (!found && *p == '0') {
            if (afterPoint)
                ++zerosAfterPoint;
            continue;
        }
        if (!found) {
            found = true;
            if (afterPoint)
                magnitude = -(zerosAfterPoint + 1);
        }
        if (!afterPoint)
            ++integerDigits;
    }
    if (!found)
        return true;  // all zeros cannot overflow
    if (integerDigits > 0)
        magnitude = integerDigits - 1;
    int64 exponent = 0;
    if (p < last && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = false;
        if (p < last && (*p == '+' || *p == '-'))
            negative = *p++ == '-';
        for (; p < last && isDigit(*p); ++p)
            if (exponent < 100000000)
                exponent = exponent * 10 + (*p - '0');
        if (negative)
            exponent = -exponent;
    }
    return magnitude + exponent < 0;
}

}  // namespace

int32 strlen16(const char16* text)
{
    int32 n = 0;
    if (text)
        while (text[n])
            ++n;
    return n;
}

char32_t decodeUtf8(const char8* text, std::size_t length, std::size_t& position)
{
    const auto lead = static_cast<uint8>(text[position++]);
    if (lead < 0x80)
        return lead;

    // The lead byte tells the length of the sequence and the smallest code
    // point that needs that length (anything below is an overlong form).
    int extraBytes = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        extraBytes = 1;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extraBytes = 2;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extraBytes = 3;
        smallest = 0x10000;
    } else {
        return kReplacementCharacter;
    }
    char32_t codePoint = lead & (0x3F >> extraBytes);
    for (int i = 0; i < extraBytes; ++i) {
        if (position >= length || (static_cast<uint8>(text[position]) & 0xC0) != 0x80)
            return kReplacementCharacter;
        codePoint = (codePoint << 6) | (static_cast<uint8>(text[position++]) & 0x3F);
    }
    const bool overlong = codePoint < smallest;
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF)
        return kReplacementCharacter;
    return codePoint;
}

char32_t decodeUtf16(const char16* text, std::size_t length, std::size_t& position)
{
    const char16 first = text[position++];
    if (first < 0xD800 || first > 0xDFFF)
        return first;
    if (first >= 0xDC00 || position >= length)
        return kReplacementCharacter;
    const char16 second = text[position];
    if (second < 0xDC00 || second > 0xDFFF)
        return kReplacementCharacter;
    ++position;
    return 0x10000 + ((static_cast<char32_t>(first) - 0xD800) << 10) + (second - 0xDC00);
}

int32 encodeUtf8(char32_t codePoint, char8 (&units)[4])
{
    if (codePoint < 0x80) {
        units[0] = static_cast<char8>(codePoint);
        return 1;
    }
    if (codePoint < 0x800) {
        units[0] = static_cast<char8>(0xC0 | (codePoint >> 6));
        units[1] = static_cast<char8>(0x80 | (codePoint & 0x3F));
        return 2;
    }
    if (codePoint < 0x10000) {
        units[0] = static_cast<char8>(0xE0 | (codePoint >> 12));
        units[1] = static_cast<char8>(0x80 | ((codePoint >> 6) & 0x3F));
        units[2] = static_cast<char8>(0x80 | (codePoint & 0x3F));
        return 3;
    }
    units[0] = static_cast<char8>(0xF0 | (codePoint >> 18));
    units[1] = static_cast<char8>(0x80 | ((codePoint >> 12) & 0x3F));
    units[2] = static_cast<char8>(0x80 | ((codePoint >> 6) & 0x3F));
    units[3] = static_cast<char8>(0x80 | (codePoint & 0x3F));
    return 4;
}

int32 encodeUtf16(char32_t codePoint, char16 (&units)[2])
{
    if (codePoint < 0x10000) {
        units[0] = static_cast<char16>(codePoint);
        return 1;
    }
    const char32_t offset = codePoint - 0x10000;
    units[0] = static_cast<char16>(0xD800 + (offset >> 10));
    units[1] = static_cast<char16>(0xDC00 + (offset & 0x3FF));
    return 2;
}

int32 nextAsUtf16(const char8* text, std::size_t length, std::size_t& position, char16 (&units)[2])
{
    return encodeUtf16(decodeUtf8(text, length, position), units);
}

int32 nextAsUtf8(const char16* text, std::size_t length, std::size_t& position, char8 (&units)[4])
{
    return encodeUtf8(decodeUtf16(text, length, position), units);
}

std::string utf16ToUtf8(const char16* text, int32 length)
{
    return text ? transcoded<std::string>(text, length < 0 ? strlen16(text) : length, nextAsUtf8)
                : std::string();
}

std::u16string utf8ToUtf16(const char8* text, int32 length)
{
    return text ? transcoded<std::u16string>(text, length < 0 ? strlen8(text) : length, nextAsUtf16)
                : std::u16string();
}

void copyAsciiToUtf16(char16* dst, int32 dstSize, const char8* src)
{
    copyAsAscii(dst, dstSize, src);
}

void copyUtf8ToUtf16(char16* dst, int32 dstSize, const char8* src)
{
    if (!dst || dstSize <= 0)
        return;
    std::u16string wide = utf8ToUtf16(src);
    int32 count =
        static_cast<int32>(wide.size() < static_cast<size_t>(dstSize - 1) ? wide.size() : dstSize - 1);
    // Do not leave half a surrogate pair at the cut.
    if (count > 0 && count < static_cast<int32>(wide.size()) && wide[count - 1] >= 0xD800 &&
        wide[count - 1] <= 0xDBFF)
        --count;
    copyUnits(dst, dstSize, wide.data(), count);
}

void copyUtf16ToAscii(char8* dst, int32 dstSize, const char16* src)
{
    copyAsAscii(dst, dstSize, src);
}

void str8ToStr16(char16* dst, const char8* src, int32 dstSize)
{
    if (!dst)
        return;
    if (dstSize >= 0) {
        copyAsciiToUtf16(dst, dstSize, src);
        return;
    }
    int32 i = 0;
    if (src)
        for (; src[i] != 0; ++i)
            dst[i] = asciiCounterpart(src[i]);
    dst[i] = 0;
}

// ---------------------------------------------------------------------------
// String

String::String(const char8* text)
{
    assign(text);
}

String::String(const char16* text)
{
    assign(text);
}

String& String::assign(const char8* text)
{
    wide = false;
    wideText.clear();
    narrowText = text ? text : "";
    return *this;
}

String& String::assign(const char16* text)
{
    wide = true;
    narrowText.clear();
    wideText = text ? std::u16string(text) : std::u16string();
    return *this;
}

int32 String::length() const
{
    return static_cast<int32>(wide ? wideText.size() : narrowText.size());
}

const char8* String::text8() const
{
    return wide ? "" : narrowText.c_str();
}

const char16* String::text16() const
{
    return wide ? wideText.c_str() : u"";
}

bool String::toMultiByte(uint32 codePage)
{
    if (wide && !convertText(wideText, narrowText, codePage))
        return false;
    wide = false;
    return true;
}

bool String::toWideString(uint32 codePage)
{
    if (!wide && !convertText(narrowText, wideText, codePage))
        return false;
    wide = true;
    return true;
}

// ---------------------------------------------------------------------------
// UString

int32 UString::getLength() const
{
    int32 n = 0;
    while (n < thisSize && thisBuffer[n] != 0)
        ++n;
    return n;
}

UString& UString::assign(const char16* src, int32 srcSize)
{
    if (thisSize <= 0)
        return *this;
    thisBuffer[0] = 0;
    return append(src, srcSize);
}

UString& UString::append(const char16* src, int32 srcSize)
{
    if (thisSize <= 0)
        return *this;
    int32 at = getLength();
    if (at >= thisSize)
        at = thisSize - 1;  // an unterminated buffer: terminate it at the end
    if (src) {
        for (int32 i = 0; (srcSize < 0 || i < srcSize) && src[i] != 0 && at < thisSize - 1; ++i)
            thisBuffer[at++] = src[i];
    }
    thisBuffer[at] = 0;
    return *this;
}

const UString& UString::copyTo(char16* dst, int32 dstSize) const
{
    copyOut(thisBuffer, getLength(), dst, dstSize, [](char16 unit) { return unit; });
    return *this;
}

UString& UString::fromAscii(const char8* src, int32 srcSize)
{
    if (thisSize <= 0)
        return *this;
    int32 at = 0;
    if (src)
        for (int32 i = 0; (srcSize < 0 || i < srcSize) && src[i] != 0 && at < thisSize - 1; ++i)
            thisBuffer[at++] = asciiCounterpart(src[i]);
    thisBuffer[at] = 0;
    return *this;
}

const UString& UString::toAscii(char8* dst, int32 dstSize) const
{
    copyOut(thisBuffer, getLength(), dst, dstSize, [](char16 unit) { return asciiCounterpart(unit); });
    return *this;
}

bool UString::printFloat(double value, int32 precision)
{
    if (thisSize <= 0)
        return false;
    if (precision < 0)
        precision = 6;  // as printf: a negative precision is taken as omitted
    std::string text;
    if (std::isnan(value) || std::isinf(value)) {
        // printf's forms: "inf", "-inf", "nan", "-nan".
        text = std::signbit(value) ? "-" : "";
        text += std::isnan(value) ? "nan" : "inf";
    } else {
        // std::to_chars with a precision is specified as printf("%.*f") in the "C"
        // locale. Digits beyond 1100 are all zeros for a double; add them by hand.
        const int32 digits = precision > 1100 ? 1100 : precision;
        char buffer[1500];
        const auto result =
            std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, digits);
        if (result.ec != std::errc())
            return false;
        text.assign(buffer, result.ptr);
        if (precision > digits) {
            const auto pad = static_cast<size_t>(precision - digits);
            if (pad > static_cast<size_t>(thisSize))
                text.append(static_cast<size_t>(thisSize), '0');  // cut anyway
            else
                text.append(pad, '0');
        }
    }
    fromAscii(text.c_str(), static_cast<int32>(text.size() < 0x7FFFFFFF ? text.size() : 0x7FFFFFFF));
    return text.size() < static_cast<size_t>(thisSize);
}

bool UString::scanFloat(double& value) const
{
    const std::string text = asciiPrefix(thisBuffer, thisSize);
    size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool plus = false;
    if (i < text.size() && text[i] == '+') {
        plus = true;
        ++i;
    }
    // A number starts with a digit, or with '.' followed by a digit (after an optional '-').
    size_t j = i;
    if (!plus && j < text.size() && text[j] == '-')
        ++j;
    const bool starts = (j < text.size() && isDigit(text[j])) ||
        (j + 1 < text.size() && text[j] == '.' && isDigit(text[j + 1]));
    if (!starts)
        return false;
    double parsed = 0.0;
    const char* first = text.data() + i;
    const auto result = std::from_chars(first, text.data() + text.size(), parsed, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range && isUnderflow(first, result.ptr)) {
        value = *first == '-' ? -0.0 : 0.0;  // as strtod: too small reads as zero
        return true;
    }
    if (result.ec != std::errc())
        return false;
    value = parsed;
    return true;
}

bool UString::printInt(int64 value)
{
    if (thisSize <= 0)
        return false;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    const auto length = static_cast<int32>(result.ptr - buffer);
    fromAscii(buffer, length);
    return length < thisSize;
}

bool UString::scanInt(int64& value) const
{
    const std::string text = asciiPrefix(thisBuffer, thisSize);
    size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    if (i < text.size() && text[i] == '+') {
        ++i;
        if (i < text.size() && text[i] == '-')
            return false;
    }
    int64 parsed = 0;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), parsed, 10);
    if (result.ec != std::errc())
        return false;
    value = parsed;
    return true;
}

}  // namespace Steinberg

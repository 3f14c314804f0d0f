#include "sdk/vst3/factory/fixedtext.h"

#include <algorithm>

namespace Steinberg::FixedText {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

std::size_t terminatedLength(const char8* text, std::size_t size)
{
    return static_cast<std::size_t>(std::find(text, text + size, char8{0}) - text);
}

std::size_t terminatedLength(const char16* text, std::size_t size)
{
    return static_cast<std::size_t>(std::find(text, text + size, char16{0}) - text);
}

// Reads one code point at text[position]; advances position past it.
char32_t decodeUtf8(const char8* text, std::size_t length, std::size_t& position)
{
    const auto lead = static_cast<unsigned char>(text[position++]);
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
        return kReplacement;
    }
    char32_t codePoint = lead & (0x3F >> extraBytes);

    for (int i = 0; i < extraBytes; ++i) {
        if (position >= length || !isContinuation(static_cast<unsigned char>(text[position])))
            return kReplacement;
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[position++]) & 0x3F);
    }
    const bool overlong = codePoint < smallest;
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF)
        return kReplacement;
    return codePoint;
}

char32_t decodeUtf16(const char16* text, std::size_t length, std::size_t& position)
{
    const char16 first = text[position++];
    if (first < 0xD800 || first > 0xDFFF)
        return first;
    if (first >= 0xDC00 || position >= length)
        return kReplacement;
    const char16 second = text[position];
    if (second < 0xDC00 || second > 0xDFFF)
        return kReplacement;
    ++position;
    return 0x10000 + ((static_cast<char32_t>(first) - 0xD800) << 10) + (second - 0xDC00);
}

}  // namespace

void copyUtf8(char8* dest, std::size_t destSize, const char8* source, std::size_t sourceSize)
{
    if (!dest || destSize == 0)
        return;
    const std::size_t available = source ? terminatedLength(source, sourceSize) : 0;
    std::size_t length = std::min(available, destSize - 1);
    // Cutting inside a multi-byte sequence would leave a broken character behind.
    if (length < available)
        while (length > 0 && isContinuation(static_cast<unsigned char>(source[length])))
            --length;
    std::copy(source, source + length, dest);
    std::fill(dest + length, dest + destSize, char8{0});
}

void utf8ToUtf16(char16* dest, std::size_t destSize, const char8* source, std::size_t sourceSize)
{
    if (!dest || destSize == 0)
        return;
    const std::size_t length = source ? terminatedLength(source, sourceSize) : 0;
    std::size_t written = 0;
    for (std::size_t position = 0; position < length;) {
        const char32_t codePoint = decodeUtf8(source, length, position);
        const std::size_t units = codePoint >= 0x10000 ? 2 : 1;
        if (written + units > destSize - 1)
            break;
        if (units == 1) {
            dest[written++] = static_cast<char16>(codePoint);
        } else {
            const char32_t offset = codePoint - 0x10000;
            dest[written++] = static_cast<char16>(0xD800 + (offset >> 10));
            dest[written++] = static_cast<char16>(0xDC00 + (offset & 0x3FF));
        }
    }
    std::fill(dest + written, dest + destSize, char16{0});
}

void utf16ToUtf8(char8* dest, std::size_t destSize, const char16* source, std::size_t sourceSize)
{
    if (!dest || destSize == 0)
        return;
    const std::size_t length = source ? terminatedLength(source, sourceSize) : 0;
    std::size_t written = 0;
    for (std::size_t position = 0; position < length;) {
        const char32_t codePoint = decodeUtf16(source, length, position);
        char8 bytes[4];
        std::size_t count = 0;
        if (codePoint < 0x80) {
            bytes[count++] = static_cast<char8>(codePoint);
        } else if (codePoint < 0x800) {
            bytes[count++] = static_cast<char8>(0xC0 | (codePoint >> 6));
            bytes[count++] = static_cast<char8>(0x80 | (codePoint & 0x3F));
        } else if (codePoint < 0x10000) {
            bytes[count++] = static_cast<char8>(0xE0 | (codePoint >> 12));
            bytes[count++] = static_cast<char8>(0x80 | ((codePoint >> 6) & 0x3F));
            bytes[count++] = static_cast<char8>(0x80 | (codePoint & 0x3F));
        } else {
            bytes[count++] = static_cast<char8>(0xF0 | (codePoint >> 18));
            bytes[count++] = static_cast<char8>(0x80 | ((codePoint >> 12) & 0x3F));
            bytes[count++] = static_cast<char8>(0x80 | ((codePoint >> 6) & 0x3F));
            bytes[count++] = static_cast<char8>(0x80 | (codePoint & 0x3F));
        }
        if (written + count > destSize - 1)
            break;
        std::copy(bytes, bytes + count, dest + written);
        written += count;
    }
    std::fill(dest + written, dest + destSize, char8{0});
}

}  // namespace Steinberg::FixedText

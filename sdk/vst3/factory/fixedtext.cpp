#include "sdk/vst3/factory/fixedtext.h"

#include <algorithm>

#include "sdk/vst3/base/fstring.h"

namespace Steinberg::FixedText {
namespace {

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

// Copies whole characters while they fit before the terminator, then zero-fills.
template <class Dest, class Source, std::size_t MaxUnits>
void copyCharacters(Dest* dest, std::size_t destSize, const Source* source, std::size_t sourceSize,
                    int32 (*next)(const Source*, std::size_t, std::size_t&, Dest (&)[MaxUnits]))
{
    if (!dest || destSize == 0)
        return;
    const std::size_t length = source ? terminatedLength(source, sourceSize) : 0;
    std::size_t written = 0;
    for (std::size_t position = 0; position < length;) {
        Dest units[MaxUnits];
        const auto count = static_cast<std::size_t>(next(source, length, position, units));
        if (written + count > destSize - 1)
            break;
        std::copy(units, units + count, dest + written);
        written += count;
    }
    std::fill(dest + written, dest + destSize, Dest{0});
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
    copyCharacters(dest, destSize, source, sourceSize, nextAsUtf16);
}

void utf16ToUtf8(char8* dest, std::size_t destSize, const char16* source, std::size_t sourceSize)
{
    copyCharacters(dest, destSize, source, sourceSize, nextAsUtf8);
}

}  // namespace Steinberg::FixedText

#include "tools/host/text.h"

#include <algorithm>

namespace morvik::host {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t codePoint)
{
    if (codePoint < 0x10000) {
        out += static_cast<char16_t>(codePoint);
    } else {
        codePoint -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
        out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    }
}

// Length of the UTF-8 sequence a lead byte starts, or 0 for a byte that cannot lead.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

}  // namespace

std::string toUtf8(const Steinberg::char16* text, std::size_t maxLength)
{
    std::string out;
    if (!text)
        return out;
    for (std::size_t i = 0; i < maxLength && text[i] != 0; ++i) {
        char32_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < maxLength && isLowSurrogate(text[i + 1])) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            unit = kReplacement;
        }
        appendUtf8(out, unit);
    }
    return out;
}

std::u16string toUtf16(std::string_view utf8)
{
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = sequenceLength(lead);
        if (length == 0 || i + length > utf8.size()) {
            appendUtf16(out, kReplacement);
            ++i;
            continue;
        }
        char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = valid && (next & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        appendUtf16(out, valid && codePoint <= 0x10FFFF ? codePoint : kReplacement);
        i += valid ? length : 1;
    }
    return out;
}

std::string_view boundedText(const char* text, std::size_t capacity)
{
    if (!text)
        return {};
    const char* end = std::find(text, text + capacity, '\0');
    return std::string_view(text, static_cast<std::size_t>(end - text));
}

void copyToString128(std::u16string_view text, Steinberg::String128 target)
{
    if (!target)
        return;
    constexpr std::size_t kCapacity = 128;
    const std::size_t length = std::min(text.size(), kCapacity - 1);
    std::copy_n(text.data(), length, target);
    target[length] = 0;
}

std::string resultText(Steinberg::tresult result)
{
    switch (result) {
        case Steinberg::kNoInterface:
            return "kNoInterface";
        case Steinberg::kResultOk:
            return "kResultOk";
        case Steinberg::kResultFalse:
            return "kResultFalse";
        case Steinberg::kInvalidArgument:
            return "kInvalidArgument";
        case Steinberg::kNotImplemented:
            return "kNotImplemented";
        case Steinberg::kInternalError:
            return "kInternalError";
        case Steinberg::kNotInitialized:
            return "kNotInitialized";
        case Steinberg::kOutOfMemory:
            return "kOutOfMemory";
        default:
            return "result " + std::to_string(result);
    }
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix)
{
    return suffix.size() <= text.size() &&
        equalIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace morvik::host

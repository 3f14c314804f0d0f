#include "tools/render/sound_file.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string_view>

namespace morvik::render {
namespace {

struct ShortName {
    int format;
    std::string_view name;
};

// The extensible WAV header is a detail of how the file is laid out, not another container.
constexpr ShortName kContainers[] = {
    {SF_FORMAT_WAV, "WAV"},   {SF_FORMAT_WAVEX, "WAV"}, {SF_FORMAT_W64, "Wave64"}, {SF_FORMAT_RF64, "RF64"},
    {SF_FORMAT_AIFF, "AIFF"}, {SF_FORMAT_CAF, "CAF"},   {SF_FORMAT_AU, "AU"},      {SF_FORMAT_RAW, "raw"},
    {SF_FORMAT_FLAC, "FLAC"}, {SF_FORMAT_OGG, "Ogg"},   {SF_FORMAT_MPEG, "MPEG"},
};

constexpr ShortName kSampleFormats[] = {
    {SF_FORMAT_PCM_S8, "8-bit integer"},  {SF_FORMAT_PCM_U8, "8-bit unsigned integer"},
    {SF_FORMAT_PCM_16, "16-bit integer"}, {SF_FORMAT_PCM_24, "24-bit integer"},
    {SF_FORMAT_PCM_32, "32-bit integer"}, {SF_FORMAT_FLOAT, "32-bit float"},
    {SF_FORMAT_DOUBLE, "64-bit float"},
};

// SFC_GET_FORMAT_INFO looks a major format or a subtype up by its value.
std::optional<std::string> libraryName(int format)
{
    SF_FORMAT_INFO info{};
    info.format = format;
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof(info)) != 0 || !info.name)
        return std::nullopt;
    return info.name;
}

template <std::size_t Count>
std::string nameOf(int format, const ShortName (&shortNames)[Count])
{
    for (const ShortName& entry : shortNames)
        if (entry.format == format)
            return std::string(entry.name);
    return libraryName(format).value_or("unknown");
}

std::uint32_t littleEndian32(const unsigned char* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace

std::string soundFormatName(int format)
{
    return nameOf(format & SF_FORMAT_TYPEMASK, kContainers) + ", " +
        nameOf(format & SF_FORMAT_SUBMASK, kSampleFormats);
}

std::optional<std::size_t> wavAnnouncedFrames(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    unsigned char riff[12];
    if (!file.read(reinterpret_cast<char*>(riff), sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return std::nullopt;

    std::uint32_t blockAlign = 0;
    unsigned char chunk[8];
    while (file.read(reinterpret_cast<char*>(chunk), sizeof chunk)) {
        const std::uint32_t size = littleEndian32(chunk + 4);
        if (std::memcmp(chunk, "data", 4) == 0) {
            if (blockAlign == 0 || size == 0 || size == 0xFFFFFFFFu)
                return std::nullopt;
            return size / blockAlign;
        }
        std::uint32_t skipped = 0;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 14) {
            unsigned char format[14];
            if (!file.read(reinterpret_cast<char*>(format), sizeof format))
                return std::nullopt;
            blockAlign = format[12] | format[13] << 8;
            skipped = sizeof format;
        }
        // Chunks are padded to an even size.
        file.seekg(static_cast<std::streamoff>(size) - skipped + (size & 1), std::ios::cur);
    }
    return std::nullopt;
}

}  // namespace morvik::render

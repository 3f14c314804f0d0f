#include "tools/render/sound_format_name.h"

#include <sndfile.h>

#include <optional>
#include <string_view>

namespace morvik::render {
namespace {

struct ShortName {
    int format;
    std::string_view name;
};

// The extensible WAV header is a detail of how the file is laid out, not another container.
constexpr ShortName kContainers[] = {
    {SF_FORMAT_WAV, "WAV"},    {SF_FORMAT_WAVEX, "WAV"}, {SF_FORMAT_W64, "Wave64"}, {SF_FORMAT_RF64, "RF64"},
    {SF_FORMAT_AIFF, "AIFF"},  {SF_FORMAT_CAF, "CAF"},   {SF_FORMAT_AU, "AU"},      {SF_FORMAT_RAW, "raw"},
    {SF_FORMAT_FLAC, "FLAC"},  {SF_FORMAT_OGG, "Ogg"},   {SF_FORMAT_MPEG, "MPEG"},
};

constexpr ShortName kSampleFormats[] = {
    {SF_FORMAT_PCM_S8, "8-bit integer"},   {SF_FORMAT_PCM_U8, "8-bit unsigned integer"},
    {SF_FORMAT_PCM_16, "16-bit integer"},  {SF_FORMAT_PCM_24, "24-bit integer"},
    {SF_FORMAT_PCM_32, "32-bit integer"},  {SF_FORMAT_FLOAT, "32-bit float"},
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

}  // namespace

std::string soundFormatName(int format)
{
    return nameOf(format & SF_FORMAT_TYPEMASK, kContainers) + ", " + nameOf(format & SF_FORMAT_SUBMASK, kSampleFormats);
}

}  // namespace morvik::render

#include "tools/render/wav_header.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace morvik::render {
namespace {

std::uint32_t littleEndian32(const unsigned char* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace

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

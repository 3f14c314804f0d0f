// A picture of a window, as the X server returned it, with the pixel look-ups
// tests need and a PNG writer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace morvik::host {

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, row by row

    // From an X image in Z format with 32 bits per pixel (depths 24 and 32);
    // empty for any other layout.
    static Screenshot fromZPixmap(int width, int height, int depth, const uint8_t* data, std::size_t length);

    bool empty() const { return pixels.empty(); }
    uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // How many pixels differ from `colour`.
    std::size_t countDifferentFrom(uint32_t colour) const;
    // False when the file cannot be written.
    bool writePng(const std::filesystem::path& file) const;
};

}  // namespace morvik::host

// Decoding JPEG files with libjpeg.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An 8-bit RGB image, rows top to bottom, 3 bytes a pixel.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

// Decodes the JPEG file at `path`. Throws ToolkitError naming the file and
// libjpeg's complaint when it cannot be opened or decoded; never exits.
RgbImage decodeJpegFile(const std::string& path);

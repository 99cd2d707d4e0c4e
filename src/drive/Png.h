// PNG images of the program's windows, for the documentation's screenshots:
// 24-bit colour, compressed with a small deflate of our own (fixed codes,
// no dependencies).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orr::drive {

// `rgb` holds `height` rows from the top, each `width` pixels of red,
// green, blue. The result is the whole file.
std::string encodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace orr::drive

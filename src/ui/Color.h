// Colours as the forms name them: an RGB value (red in the low byte, as
// RGB(r, g, b) builds it) or one of the system's colours (high bit set, the
// low byte the system colour's number), resolved when drawn.
#pragma once

#include <cstdint>

namespace orr::ui {

using Color = std::uint32_t;

constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

constexpr bool isSystemColor(Color c) { return (c & 0x80000000u) != 0; }
constexpr int systemColorIndex(Color c) { return static_cast<int>(c & 0xFFu); }

namespace color {
inline constexpr Color black = rgb(0, 0, 0);
inline constexpr Color white = rgb(255, 255, 255);
inline constexpr Color windowBackground = 0x80000005u;
inline constexpr Color windowText = 0x80000008u;
inline constexpr Color buttonFace = 0x8000000Fu;
inline constexpr Color buttonText = 0x80000012u;
}  // namespace color

}  // namespace orr::ui

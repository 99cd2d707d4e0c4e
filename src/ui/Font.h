// A control's font: face name, size in points, weight and underline.
#pragma once

#include <string>

namespace orr::ui {

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;
    bool bold = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace orr::ui

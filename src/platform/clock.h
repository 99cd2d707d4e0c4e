// The current local date and time, and the system's formats for them.
#pragma once

#include "filesystem.h"

#include <string>

namespace orr::platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() = 0;
};

class Locale {
public:
    virtual ~Locale() = default;
    // The general date format: short date, then the time; the time is left
    // out when it is exactly midnight.
    virtual std::string generalDate(const DateTime& t) = 0;
    virtual std::string decimalSeparator() = 0;
};

}  // namespace orr::platform

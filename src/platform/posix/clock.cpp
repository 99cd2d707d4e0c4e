// Local time from the C library; the formats of the en-US locale, the one
// this program's texts are written for.
#include "platform/services.h"

#include <ctime>

namespace orr::platform {
namespace {

class LocalClock final : public Clock {
public:
    DateTime now() override {
        const std::time_t t = std::time(nullptr);
        struct tm local = {};
        ::localtime_r(&t, &local);
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour,        local.tm_min,     local.tm_sec};
    }
};

class UsLocale final : public Locale {
public:
    // "M/D/YYYY h:mm:ss AM", or "M/D/YYYY" at midnight.
    std::string generalDate(const DateTime& t) override {
        std::string out = std::to_string(t.month) + '/' + std::to_string(t.day) + '/' +
                          twoDigits(t.year / 100) + twoDigits(t.year % 100);
        if (t.hour == 0 && t.minute == 0 && t.second == 0) return out;
        const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
        out += ' ' + std::to_string(hour12) + ':' + twoDigits(t.minute) + ':' + twoDigits(t.second);
        out += t.hour < 12 ? " AM" : " PM";
        return out;
    }

    std::string decimalSeparator() override { return "."; }

private:
    static std::string twoDigits(int v) {
        return std::string{static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
    }
};

}  // namespace

std::unique_ptr<Clock> makeClock() { return std::make_unique<LocalClock>(); }
std::unique_ptr<Locale> makeLocale() { return std::make_unique<UsLocale>(); }

}  // namespace orr::platform

#include "platform/services.h"
#include "system_time.h"

#include <windows.h>

namespace orr::platform {
namespace {

class SystemClock final : public Clock {
public:
    DateTime now() override {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return win32::dateTime(st);
    }
};

// The user's own formats, as the system's date and number functions give them.
class SystemLocale final : public Locale {
public:
    std::string generalDate(const DateTime& t) override {
        SYSTEMTIME st = win32::systemTime(t);
        char date[128] = {}, time[128] = {};
        if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date))
            return {};
        if (t.hour == 0 && t.minute == 0 && t.second == 0) return date;
        if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time)) return date;
        return std::string(date) + ' ' + time;
    }

    std::string decimalSeparator() override {
        char sep[8] = {};
        if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, sizeof sep)) return ".";
        return sep;
    }
};

}  // namespace

std::unique_ptr<Clock> makeClock() { return std::make_unique<SystemClock>(); }
std::unique_ptr<Locale> makeLocale() { return std::make_unique<SystemLocale>(); }

}  // namespace orr::platform

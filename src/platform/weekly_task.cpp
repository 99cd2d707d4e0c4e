#include "weekly_task.h"

#include "ascii.h"
#include "windows_path.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

namespace orr::platform {
namespace {

// Reserved in a task's name: the scheduler keeps each task as a file of
// that name, and "\" separates its folders.
bool reservedInName(char c) {
    return static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

// The folder as the name sees it: "\" for "/", no closing separator, ASCII
// letters in lower case.
std::string nameKey(std::string_view folder) {
    std::string key(folder);
    std::replace(key.begin(), key.end(), '/', '\\');
    return ascii::lower(withoutClosingSeparator(std::move(key)));
}

// FNV-1a: short, stable on every system and compiler.
std::uint32_t hash32(std::string_view bytes) {
    std::uint32_t h = 2166136261u;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

// The readable part's length, kept well under the name's limit (the task's
// file path must fit MAX_PATH), never cutting a UTF-8 sequence.
constexpr std::size_t kReadable = 120;

}  // namespace

Weekday weekdayOf(const DateTime& date) {
    using namespace std::chrono;
    const year_month_day ymd{year{date.year}, month{static_cast<unsigned>(date.month)},
                             day{static_cast<unsigned>(date.day)}};
    return static_cast<Weekday>(weekday{sys_days{ymd}}.c_encoding());
}

const char* weekdayName(Weekday day) {
    static constexpr const char* kNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
    return kNames[static_cast<int>(day)];
}

std::string weeklyTaskName(std::string_view folder) {
    const std::string key = nameKey(folder);
    std::string readable = key;
    if (readable.size() > kReadable) {
        std::size_t cut = kReadable;
        while (cut > 0 && (static_cast<unsigned char>(readable[cut]) & 0xC0) == 0x80) --cut;
        readable.resize(cut);
    }
    std::replace_if(readable.begin(), readable.end(), reservedInName, '_');
    char hash[9];
    std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(hash32(key)));
    return "Orrindale weekly backup " + readable + " #" + hash;
}

std::string weeklyTaskArguments(std::string_view folder) {
    // CommandLineToArgvW: backslashes before a quote are halved, so those
    // that end the folder are doubled; a quote inside is escaped.
    std::string out = "/backup \"";
    std::size_t backslashes = 0;
    for (const char c : folder) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + '"';
}

std::optional<bool> ScriptedWeeklyTasks::exists(std::string_view folder) {
    if (!working) return std::nullopt;
    return tasks.contains(weeklyTaskName(folder));
}

TaskChange ScriptedWeeklyTasks::add(std::string_view folder, const DateTime& from) {
    if (!working) return TaskChange::failed;
    tasks[weeklyTaskName(folder)] = {std::string(folder), from, program_, weeklyTaskArguments(folder)};
    return TaskChange::done;
}

TaskChange ScriptedWeeklyTasks::remove(std::string_view folder) {
    if (!working) return TaskChange::failed;
    return tasks.erase(weeklyTaskName(folder)) ? TaskChange::done : TaskChange::absent;
}

}  // namespace orr::platform

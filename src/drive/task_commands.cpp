// `tasks` scripts and shows the weekly backups the program sees: what the
// backup wizard's Finish panel sets, on every layer alike.
#include "Commands.h"

#include "Value.h"

#include <cstdio>
#include <optional>
#include <utility>

namespace orr::drive {
namespace {

constexpr const char* kUsage =
    "usage: tasks, tasks add \"FOLDER\" \"YYYY-MM-DD HH:MM\", tasks none, tasks failing or tasks working";

std::optional<platform::DateTime> startTime(const std::string& text) {
    platform::DateTime t;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute, &rest) != 5 ||
        t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59)
        return std::nullopt;
    return t;
}

bool isWord(const Line& line, std::size_t i) { return line.tokens[i].kind == Token::Kind::word; }

bool isText(const Line& line, std::size_t i) {
    return line.tokens[i].kind == Token::Kind::value && std::holds_alternative<std::string>(line.tokens[i].value);
}

void check(const Line& line) {
    const auto& t = line.tokens;
    if (t.size() == 1) return;
    if (t.size() == 2 && isWord(line, 1) &&
        (t[1].word == "none" || t[1].word == "failing" || t[1].word == "working"))
        return;
    if (t.size() == 4 && isWord(line, 1) && t[1].word == "add" && isText(line, 2) && isText(line, 3) &&
        startTime(std::get<std::string>(t[3].value)))
        return;
    throw UsageError(kUsage);
}

// One line a task, by name: its day and time, from when, and its command.
void list(Session& s) {
    const auto& tasks = s.weeklyTasks().tasks;
    if (tasks.empty()) s.out() << "tasks: none\n";
    for (const auto& [name, task] : tasks) {
        char when[40];
        std::snprintf(when, sizeof when, "%s %02d:%02d from %04d-%02d-%02d",
                      platform::weekdayName(platform::weekdayOf(task.from)), task.from.hour, task.from.minute,
                      task.from.year, task.from.month, task.from.day);
        s.out() << "task " << formatValue(name) << ' ' << when << ": " << formatValue(task.program) << ' '
                << task.arguments << '\n';
    }
}

void run(Session& s, const Line& line) {
    auto& tasks = s.weeklyTasks();
    const auto& t = line.tokens;
    if (t.size() == 1) return list(s);
    if (t[1].word == "none") tasks.tasks.clear();
    else if (t[1].word == "failing") tasks.working = false;
    else if (t[1].word == "working") tasks.working = true;
    else {
        // Scripted before the program runs: even while `failing`.
        const bool working = std::exchange(tasks.working, true);
        const platform::TaskChange added =
            tasks.add(std::get<std::string>(t[2].value), *startTime(std::get<std::string>(t[3].value)));
        tasks.working = working;
        if (added != platform::TaskChange::done) throw UsageError("tasks add: the task was not added");
    }
}

}  // namespace

void addTaskCommands(CommandTable& commands) { commands.add("tasks", Command{check, run}); }

}  // namespace orr::drive

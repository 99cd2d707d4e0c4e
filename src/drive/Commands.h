// The driver's commands by their first word. Each command checks its line
// before the script runs (UsageError when it cannot) and runs it later.
#pragma once

#include "Calls.h"
#include "Script.h"
#include "Session.h"
#include "platform/error.h"

#include <functional>
#include <map>
#include <ostream>
#include <string>

namespace orr::drive {

struct Command {
    std::function<void(const Line&)> check;
    std::function<void(Session&, const Line&)> run;
    // Gives the program input (a click, typing, a key): the program gets
    // control back after it. The lines between two such commands (dumps,
    // answers, queued clicks) run together, before the program moves on.
    bool input = false;
    // Sets the lines after it aside instead of running (`wait`); the runner
    // does its work, `run` is not called.
    bool holdsLines = false;
};

class CommandTable {
public:
    void add(std::string word, Command c) { commands_[std::move(word)] = std::move(c); }
    const Command* find(const std::string& word) const {
        auto it = commands_.find(word);
        return it == commands_.end() ? nullptr : &it->second;
    }

private:
    std::map<std::string, Command> commands_;
};

// A failure that passed to the caller, as the transcript shows it:
// "! error N: DESCRIPTION", and "(source S)" when another component raised it.
void printError(std::ostream& out, const RunError& e);

// `call NAME ARG...` and `answer ok|yes|no`.
void addCallCommands(CommandTable& commands, const CallTable& calls);
// start, click, type, key, queue click, dump, shot, association, picker, open.
void addUiCommands(CommandTable& commands);
// `tree "PATH"` and `remove "PATH"`, through the platform's file service.
void addFileCommands(CommandTable& commands);
// `running "PATH"`, `running unreadable "NAME"` and `running none`.
void addProcessCommands(CommandTable& commands);
// `tasks` and its forms: the weekly backups, scripted and listed.
void addTaskCommands(CommandTable& commands);

}  // namespace orr::drive

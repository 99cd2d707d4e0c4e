// The command line of orrindale(.exe): what to do, read from the words it
// was started with. Options are spelt "/backup" or "--backup", in any
// letter case; each value is the word after its option.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orr::cli {

enum class Action { backup, verify, list, unschedule, help };

struct Arguments {
    Action action = Action::help;
    std::string target;  // backup, unschedule: the backup folder; verify: the .BAK file
    std::string game;    // --game: the game folder to back up ("": the first found)
    std::string prefix;  // --prefix: the Wine or Proton prefix ("": the default)
    bool steam = false;  // --steam: the Legacy Collection in Steam's Proton prefix
};

struct Parsed {
    std::optional<Arguments> arguments;
    std::string error;  // why the words were refused, when they were
};

// `prefixes`: whether --prefix and --steam are known (the POSIX program,
// which works on a prefix; Windows has real drives). /unschedule is known
// only without them: on Linux the schedule is the user's own timer.
Parsed parse(const std::vector<std::string>& words, bool prefixes);

// How to start the program, for the console.
std::string usage(bool prefixes);

}  // namespace orr::cli

#include "Arguments.h"

#include "platform/ascii.h"

namespace orr::cli {
namespace {

// "/backup" and "--backup" both give "backup"; anything else is no option.
std::optional<std::string> optionName(const std::string& word) {
    std::string name;
    if (word.rfind("--", 0) == 0) name = word.substr(2);
    else if (word.size() > 1 && word[0] == '/') name = word.substr(1);
    else return std::nullopt;
    for (char& c : name) c = ascii::lower(c);
    return name;
}

constexpr const char* kOneAction = "Give only one of /backup, /verify, /list and /unschedule.";

}  // namespace

Parsed parse(const std::vector<std::string>& words, bool prefixes) {
    Arguments a;
    std::optional<Action> action;
    bool gameGiven = false, prefixGiven = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto name = optionName(words[i]);
        if (!name) return {{}, "\"" + words[i] + "\" is not an option."};
        const auto value = [&](std::string& into) -> bool {
            if (i + 1 >= words.size() || words[i + 1].empty()) return false;
            into = words[++i];
            return true;
        };
        const auto act = [&](Action chosen) {
            const bool first = !action;
            action = chosen;
            return first;
        };
        if (*name == "backup" || *name == "verify") {
            if (!act(*name == "backup" ? Action::backup : Action::verify)) return {{}, kOneAction};
            if (!value(a.target)) return {{}, words[i] + " needs a folder or file after it."};
        } else if (!prefixes && *name == "unschedule") {
            if (!act(Action::unschedule)) return {{}, kOneAction};
            if (!value(a.target)) return {{}, words[i] + " needs the backup folder after it."};
        } else if (*name == "list") {
            if (!act(Action::list)) return {{}, kOneAction};
        } else if (*name == "?" || *name == "help") {
            return {Arguments{}, {}};
        } else if (*name == "game") {
            if (gameGiven || !value(a.game)) return {{}, "/game needs one game folder after it."};
            gameGiven = true;
        } else if (prefixes && *name == "prefix") {
            if (prefixGiven || !value(a.prefix)) return {{}, "--prefix needs one folder after it."};
            prefixGiven = true;
        } else if (prefixes && *name == "steam") {
            a.steam = true;
        } else {
            return {{}, "\"" + words[i] + "\" is not an option."};
        }
    }
    if (!action)
        return {{}, prefixes ? "Say what to do: --backup, --verify or --list."
                             : "Say what to do: /backup, /verify, /list or /unschedule."};
    a.action = *action;
    if (gameGiven && a.action != Action::backup) return {{}, "/game goes with /backup only."};
    if (a.steam && (gameGiven || prefixGiven))
        return {{}, "--steam finds the game and its prefix itself: give no /game or --prefix with it."};
    return {a, {}};
}

std::string usage(bool prefixes) {
    const char* p = prefixes ? "--" : "/";
    const std::string dash(p);
    std::string text = "Usage:\n"
                       "  orrindale " + dash + "backup FOLDER [" + dash + "game GAME_FOLDER]\n"
                       "      Backs up the game into FOLDER, with no window.\n"
                       "  orrindale " + dash + "verify FOLDER" + (prefixes ? "/" : "\\") + "Sims_YYYY.MM.DD.BAK\n"
                       "      Checks a backup's files against its list of files.\n"
                       "  orrindale " + dash + "list\n"
                       "      Lists the installs of the game found.\n";
    if (!prefixes)
        text += "  orrindale /unschedule FOLDER\n"
                "      Removes the weekly backup to FOLDER from the Task Scheduler.\n";
    if (prefixes)
        text += "Where the game is:\n"
                "  --prefix DIR   the Wine or Proton prefix (else $WINEPREFIX, else ~/.wine)\n"
                "  --steam        the Legacy Collection in Steam, run through Proton\n"
                "Linux folders (/home/deck/backups) are reached through the prefix's Z: drive.\n";
    text += "Exit codes: 0 done; 1 the backup or the check found failed or damaged files;\n"
            "  2 refused before anything was written (or no backup to check); 3 a wrong command line.\n";
    return text;
}

}  // namespace orr::cli

// `running` scripts the processes the program sees: the game's executable
// started from a path, one whose path cannot be read, or none at all.
#include "Commands.h"

#include "platform/windows_path.h"

#include <optional>

namespace orr::drive {
namespace {

constexpr const char* kUsage = "usage: running \"PATH\", running unreadable \"NAME\" or running none";

// The process a `running` line adds; nothing for `running none`.
std::optional<platform::RunningImage> imageOf(const Line& line) {
    const auto& tokens = line.tokens;
    if (tokens.size() == 2 && tokens[1].kind == Token::Kind::word && tokens[1].word == "none")
        return std::nullopt;
    if (tokens.size() == 2 && tokens[1].kind == Token::Kind::value) {
        const std::string path = textArg(line, 1, "the executable's path");
        if (!platform::isFullPath(path) || platform::lastLevel(path).empty())
            throw UsageError("running wants an executable's full path, not " + formatValue(path));
        return platform::RunningImage{platform::lastLevel(path), path};
    }
    if (tokens.size() == 3 && tokens[1].kind == Token::Kind::word && tokens[1].word == "unreadable" &&
        tokens[2].kind == Token::Kind::value) {
        const std::string name = textArg(line, 2, "the executable's name");
        if (name.empty() || name.find_first_of("\\/") != std::string::npos)
            throw UsageError("running unreadable wants an executable's name, not " + formatValue(name));
        return platform::RunningImage{name, ""};
    }
    throw UsageError(kUsage);
}

}  // namespace

void addProcessCommands(CommandTable& commands) {
    commands.add("running", Command{[](const Line& line) { imageOf(line); },
                                    [](Session& s, const Line& line) {
                                        auto& images = s.processes().images;
                                        if (auto image = imageOf(line)) images.push_back(std::move(*image));
                                        else images.clear();
                                    }});
}

}  // namespace orr::drive

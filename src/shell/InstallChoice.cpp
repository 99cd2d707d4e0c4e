#include "InstallChoice.h"

#include "Program.h"

namespace orr {
namespace {

std::string entry(const GameFolder& g) { return g.edition + ": " + (g.folder.empty() ? g.userDataHome : g.folder); }

}  // namespace

InstallChoice::InstallChoice(Program& program, ui::Label& label, ui::ComboBox& list, ui::CommandButton& other)
    : program_(program), label_(label), list_(list) {
    other.setCaption("Other game folder...");
    list_.Click = [this] { chosen(); };
    other.Click = [this] { pickFolder(); };
}

void InstallChoice::show() {
    const GameSearch& game = program_.game;
    list_.clear();
    int selected = -1;
    for (std::size_t i = 0; i < game.installs.size(); ++i) {
        list_.addItem(entry(game.installs[i]));
        if (game.found && game.installs[i].folders() == game.found->folders()) selected = static_cast<int>(i);
    }
    list_.setListIndex(selected);
    list_.setVisible(game.installs.size() > 1);
    label_.setCaption(game.caption());
}

void InstallChoice::chosen() {
    const int i = list_.listIndex();
    if (i < 0 || static_cast<std::size_t>(i) >= program_.game.installs.size()) return;
    program_.game.found = program_.game.installs[static_cast<std::size_t>(i)];
    label_.setCaption(program_.game.caption());
}

// A folder holding neither Sims.exe nor GameData is no game folder: said,
// and nothing changes.
void InstallChoice::pickFolder() {
    const auto folder = program_.dialogs.pickFolder(
        {"Game Folder", "Select the folder The Sims is installed in:", program_.gameFolder().folder});
    if (!folder) return;
    const auto install = installIn(program_.services.files, gamePlaces(program_.registry, program_.folders), *folder);
    if (!install) {
        program_.services.messages.show(kNotAGameFolderText, "Orrindale", platform::MsgButtons::ok,
                                        platform::MsgIcon::exclamation);
        return;
    }
    GameSearch& game = program_.game;
    std::erase_if(game.installs, [&](const GameFolder& g) { return g.folders() == install->folders(); });
    game.installs.insert(game.installs.begin(), *install);
    game.found = *install;
    show();
}

}  // namespace orr

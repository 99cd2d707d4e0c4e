// The backup wizard on every toolkit available here: its panels, the step
// machine with its button rows and rail, the checks at Step 2, a whole
// backup from one Next, Select, Copy to Clipboard and the ways out.
#include "backup/Descriptor.h"
#include "backup/frmBackup.h"
#include "gamedata/gamedata_fixture.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "ui/program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orr {
namespace {

using ui::Key;
using ui::Rect;

constexpr ui::Color kGreen = ui::rgb(0, 255, 0);
constexpr ui::Color kGrey = ui::rgb(128, 128, 128);
constexpr ui::Color kRed = ui::rgb(255, 0, 0);
constexpr const char* kNotAFolder = "This is not a valid folder please select another folder";

// Back, Cancel, Finish, Next: enabled or not.
struct Row {
    bool back, cancel, finish, next;
    friend bool operator==(const Row&, const Row&) = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << "Back " << r.back << " Cancel " << r.cancel << " Finish " << r.finish << " Next " << r.next;
}

// What the wizard shows at one moment.
struct Seen {
    int step;
    Row row;
};

class BackupWizard : public ::testing::TestWithParam<std::string>, public test::ProgramFixture {
protected:
    void SetUp() override {
        if (!start(GetParam())) GTEST_SKIP() << "no desktop to show windows on";
        startProgram(*program);
        ASSERT_TRUE(gui->click(program->mainMenu().Command4));
        ASSERT_TRUE(wizard().visible());
    }

    frmBackup& wizard() { return program->backupWizard(); }
    int step() const { return program->backupStep; }

    Row row() {
        frmBackup& w = wizard();
        return {w.cmdBack.enabled(), w.cmdCancel.enabled(), w.cmdFinish.enabled(), w.cmdNext.enabled()};
    }

    void next() { ASSERT_TRUE(gui->click(wizard().cmdNext)); }
    void back() { ASSERT_TRUE(gui->click(wizard().cmdBack)); }

    // The step is shown everywhere at once: the rail's highlight, the panel
    // in front and the program-wide step.
    void expectShowing(int current) {
        frmBackup& w = wizard();
        EXPECT_EQ(step(), current);
        EXPECT_EQ(w.fraSteps.frontIndex(), current);
        for (int i = 0; i <= 5; ++i) {
            const ui::Color expected = i == current ? kGreen : i == 5 ? kRed : kGrey;
            EXPECT_EQ(w.shpSteps(i).fillColor(), expected) << "marker " << i << " at step " << current;
            EXPECT_EQ(w.lblSteps(i).fontBold(), i == current) << "label " << i << " at step " << current;
        }
    }

    // Makes a folder (and its missing levels) for real.
    void makeFolder(const std::string& path) {
        std::string level;
        for (std::size_t at = path.find('\\', 3); ; at = path.find('\\', at + 1)) {
            level = path.substr(0, at);
            if (!files().exists(level)) {
                ASSERT_EQ(files().makeDirectory(level), platform::Status::ok) << level;
            }
            if (at == std::string::npos) break;
        }
    }
    void writeFile(const std::string& path, const std::string& bytes) {
        makeFolder(path.substr(0, path.find_last_of('\\')));
        auto out = files().openOutput(path);
        out->write(bytes);
        out->close();
    }

    // Start to Step 2.
    void toStep2() {
        next();
        next();
        ASSERT_EQ(step(), 2);
    }

    // The descriptors a backup left in `folder`.
    std::vector<std::string> descriptorsIn(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& e : files().list(folder + "\\Sims_*.BAK")) names.push_back(e.name);
        return names;
    }

    std::string game(const std::string& relative) const {
        return std::string(ClsSims::kGameFolder) + "\\" + relative;
    }

    // Removes a game folder that an aborted run left and the one made here.
    std::optional<test::GameFolderGuard> gameFolder;
    void makeGame() {
        gameFolder.emplace(files());
        writeFile(game("UserData\\Characters\\User00001.iff"), "character");
        writeFile(game("Downloads\\Sofa.far"), "sofa");
        writeFile(game("GameData\\Skins\\B001.bmp"), "skin");
        writeFile(game("ExpansionShared\\SkinsBuy\\Shirt.bmp"), "shirt");
    }

    void TearDown() override {
        program.reset();  // the wizard's windows go before the game folder
        gameFolder.reset();
    }
};

TEST_P(BackupWizard, LoadsAtStartWithTheRailThePanelsAndTheButtonRow) {
    frmBackup& w = wizard();
    EXPECT_FALSE(w.titleBar());
    EXPECT_EQ(w.borderStyle(), ui::BorderStyle::fixedDialog);
    EXPECT_EQ(w.startPosition(), ui::StartPosition::windowsDefault);
    EXPECT_EQ(w.clientWidth(), 566);
    EXPECT_EQ(w.clientHeight(), 306);

    // The rail: six labels and markers on a black strip.
    EXPECT_EQ(w.picWiz.bounds().width, 145);
    EXPECT_EQ(w.picWiz.bounds().height, 265);
    EXPECT_EQ(w.picWiz.backColor(), ui::color::black);
    const std::array<const char*, 6> steps{"Start", "Step 1", "Step 2", "Step 3", "Step 4", "Finish"};
    ASSERT_EQ(w.lblSteps.count(), 6);
    ASSERT_EQ(w.shpSteps.count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(w.lblSteps(i).caption(), steps[static_cast<std::size_t>(i)]);
        EXPECT_EQ(w.lblSteps(i).foreColor(), ui::color::white);
        EXPECT_TRUE(w.shpSteps(i).filled());
        EXPECT_EQ(w.shpSteps(i).bounds().width, 17);
        EXPECT_EQ(w.shpSteps(i).bounds().height, 17);
    }

    // Six borderless panels at one place right of the rail.
    ASSERT_EQ(w.fraSteps.count(), 6);
    for (int i = 0; i < 6; ++i) {
        const ui::Frame& panel = w.fraSteps(i);
        EXPECT_EQ(panel.bounds(), w.fraSteps(0).bounds());
        EXPECT_FALSE(panel.border());
        EXPECT_EQ(panel.backColor(), i == 0 || i == 5 ? ui::color::white : ui::rgb(192, 192, 192));
    }
    EXPECT_EQ(w.fraSteps(0).bounds().width, 425);
    EXPECT_EQ(w.fraSteps(0).bounds().height, 257);
    EXPECT_GE(w.fraSteps(0).bounds().left, w.picWiz.bounds().width);

    // Every text of every panel, top to bottom.
    const std::vector<std::vector<std::string>> texts{
        {"Welcome to Deve Vozuvi", "Save your Sims customizations",
         "Click Next to start backing up your customized settings and files"},
        {"Step 1", "We will now begin backing up your Sims customizations",
         "Click Next to continue backing up or Cancel to quit"},
        {"Step 2", "Select a folder to backup the Sims customizations", "Please select a folder where to back up to:",
         "Click Next to continue backing up or Cancel to quit"},
        {"Step 3", "Backing up animation, floors, lights, roofs, skins, textures, user objects and walls",
         "Click Cancel to quit"},
        {"Step 4", "Backing up characters houses and neighbourhoods",
         "Click Next to continue backing up or Cancel to quit"},
        {"Deve Vozuvi", "Congratulations", "Backup of Sims customization is complete.",
         "It is highly recommended to copy the folder:",
         " to a CD, DVD or another type of removable device for safe storage."}};
    for (int i = 0; i < 6; ++i) {
        std::vector<const ui::Label*> labels;
        for (ui::Control* c : w.controls())
            if (auto* l = dynamic_cast<const ui::Label*>(c); l && c->container() == &w.fraSteps(i))
                labels.push_back(l);
        std::stable_sort(labels.begin(), labels.end(),
                         [](auto* a, auto* b) { return a->bounds().top < b->bounds().top; });
        std::vector<std::string> captions;
        for (auto* l : labels) captions.push_back(l->caption());
        EXPECT_EQ(captions, texts[static_cast<std::size_t>(i)]) << "panel " << i;
    }
    for (const ui::Label* title : {&w.Label3, &w.Label6, &w.Label10, &w.Label13}) EXPECT_TRUE(title->fontBold());
    EXPECT_EQ(w.lblHead.font(), (ui::Font{"Arial", 18, false, false}));
    EXPECT_EQ(w.Label16.font(), (ui::Font{"Arial", 24, false, false}));
    EXPECT_EQ(w.Label1.font(), (ui::Font{"Arial", 9.75, false, false}));
    for (const ui::Label* head : {&w.lblHead, &w.Label16}) {
        EXPECT_EQ(head->foreColor(), ui::color::white);
        EXPECT_EQ(head->backColor(), ui::color::black);
    }

    // Step 2's folder box with Select to its right; Finish's path display.
    EXPECT_EQ(w.text1.bounds().width, 225);
    EXPECT_EQ(w.text1.bounds().height, 25);
    EXPECT_FALSE(w.text1.multiLine());
    EXPECT_EQ(w.btnSelect.container(), w.text1.container());
    EXPECT_EQ(w.btnSelect.caption(), "Select");
    EXPECT_GE(w.btnSelect.bounds().left, w.text1.bounds().left + 225);
    EXPECT_EQ(w.txtPath.container(), &w.fraSteps(5));
    EXPECT_EQ(w.txtPath.bounds().width, 353);
    EXPECT_EQ(w.txtPath.bounds().height, 97);
    EXPECT_TRUE(w.txtPath.multiLine());
    EXPECT_EQ(w.txtPath.backColor(), ui::rgb(224, 224, 224));
    EXPECT_EQ(w.Command1.container(), &w.fraSteps(5));
    EXPECT_EQ(w.Command1.caption(), "Copy to Clipboard");

    // The button row, left to right, below the bar; Esc is Cancel's.
    const std::vector<std::pair<ui::CommandButton*, std::string>> buttons{
        {&w.cmdCancel, "Cancel"}, {&w.cmdBack, "< &Back"}, {&w.cmdNext, "&Next >"}, {&w.cmdFinish, "&Finish"}};
    int left = 0;
    for (const auto& [b, caption] : buttons) {
        EXPECT_EQ(b->caption(), caption);
        EXPECT_EQ(b->bounds().width, 65);
        EXPECT_EQ(b->bounds().height, 25);
        EXPECT_GT(b->bounds().left, left);
        left = b->bounds().left;
        EXPECT_GT(b->bounds().top, w.Line2.y1());
    }
    EXPECT_EQ(w.cancelButton(), &w.cmdCancel);

    // Load state.
    expectShowing(0);
    EXPECT_EQ(row(), (Row{false, true, false, true}));
    EXPECT_EQ(w.text1.text(), "");

    if (auto client = test::nativeClientArea(w)) {
        EXPECT_EQ(*client, (Rect{0, 0, 566, 306}));
        EXPECT_EQ(test::nativePlace(w.picWiz), w.picWiz.bounds());
        EXPECT_EQ(test::nativePlace(w.cmdFinish), w.cmdFinish.bounds());
    }
}
TEST_P(BackupWizard, NextAndBackSetTheButtonsByTheStepTheyLeave) {
    program->backupFolder = "C:\\untouched";
    // Next at Start leaves the load row: Back stays disabled on Step 1.
    next();
    expectShowing(1);
    EXPECT_EQ(row(), (Row{false, true, false, true}));
    // Next at Step 1: Back on.
    next();
    expectShowing(2);
    EXPECT_EQ(row(), (Row{true, true, false, true}));
    // Back from Step 2 keeps Back on, so Step 1 can go back to Start.
    back();
    expectShowing(1);
    EXPECT_EQ(row(), (Row{true, true, false, true}));
    // Back at Step 1: Start, Back off.
    back();
    expectShowing(0);
    EXPECT_EQ(row(), (Row{false, true, false, true}));
    // And round again: Step 1 reached from Start has Back off once more.
    next();
    expectShowing(1);
    EXPECT_EQ(row(), (Row{false, true, false, true}));

    // None of these moves ran a copy, wrote a descriptor or said anything.
    EXPECT_TRUE(copies->copies.empty());
    EXPECT_EQ(program->backupFolder, "C:\\untouched");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(wizard().txtPath.text(), "C:\\untouched");  // every Next shows the folder
}

TEST_P(BackupWizard, Step2RefusesAnEmptyBoxAndAnythingButAnExistingFolder) {
    toStep2();
    frmBackup& w = wizard();
    program->backupFolder = "C:\\earlier";

    next();
    const std::string file = root.path("notes.txt");
    writeFile(file, "not a folder");
    for (const std::string& refused : {root.path("missing"), file}) {
        ASSERT_TRUE(gui->type(w.text1, refused));
        next();
        EXPECT_EQ(w.text1.text(), "") << refused;
    }

    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Please enter a path into the Folder selection box",
                                                          kNotAFolder, kNotAFolder}));
    for (const auto& m : messages.shown) {
        EXPECT_EQ(m.caption, "Orrindale");
        EXPECT_EQ(m.buttons, platform::MsgButtons::ok);
        EXPECT_EQ(m.icon, platform::MsgIcon::none);
    }
    // Still at Step 2 with its row, and nothing went anywhere.
    expectShowing(2);
    EXPECT_EQ(row(), (Row{true, true, false, true}));
    EXPECT_EQ(program->backupFolder, "C:\\earlier");
    EXPECT_TRUE(copies->copies.empty());
}

TEST_P(BackupWizard, OneNextAtStep2BacksUpIntoTheTypedFolderAndEndsAtFinish) {
    makeGame();
    const std::string folder = root.path("Backups");
    makeFolder(folder);
    frmBackup& w = wizard();

    // What the wizard shows as each copy starts.
    std::vector<Seen> seen;
    copies->onCopy = [&](const ui::RecordingCopy::Copy&) { seen.push_back({step(), row()}); };

    toStep2();
    ASSERT_TRUE(gui->type(w.text1, folder));
    next();

    // Finish, with only Finish and Cancel to press and the folder shown.
    expectShowing(5);
    EXPECT_EQ(row(), (Row{false, true, true, false}));
    EXPECT_EQ(w.txtPath.text(), folder);
    EXPECT_EQ(program->backupFolder, folder);
    EXPECT_TRUE(messages.shown.empty());

    // The sets went into the typed folder: three at Step 3, the expansion
    // folder at Step 4, every button but Cancel locked meanwhile.
    std::vector<std::string> sources;
    for (const auto& c : copies->copies) {
        sources.push_back(c.source);
        EXPECT_EQ(c.destination, folder);
    }
    EXPECT_EQ(sources, (std::vector<std::string>{game("UserData"), game("Downloads"), game("GameData"),
                                                 game("ExpansionShared")}));
    ASSERT_EQ(seen.size(), 4u);
    const Row locked{false, true, false, false};
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].step, i < 3 ? 3 : 4) << "copy " << i;
        EXPECT_EQ(seen[i].row, locked) << "copy " << i;
    }
    EXPECT_EQ(files().readFile(folder + "\\UserData\\Characters\\User00001.iff"), "character");
    EXPECT_EQ(files().readFile(folder + "\\ExpansionShared\\SkinsBuy\\Shirt.bmp"), "shirt");

    // One descriptor of today's date naming the folder.
    const auto now = program->services.clock.now();
    const std::string descriptor = descriptor::fileName(folder, now);
    ASSERT_EQ(descriptorsIn(folder), (std::vector<std::string>{descriptor.substr(folder.size() + 1)}));
    EXPECT_EQ(files().readFile(descriptor), "[Backup]\r\nVersion=Sims\r\nBackup_Location=" + folder + "\r\n");

    // Finish ends the program.
    EXPECT_THROW(gui->click(w.cmdFinish), ui::ProgramEnded);
    EXPECT_TRUE(gui->ended());
    EXPECT_FALSE(w.loaded());
}

TEST_P(BackupWizard, SelectPutsThePickedFolderWithoutItsSpacesIntoTheBox) {
    toStep2();
    frmBackup& w = wizard();

    // Cancelled with no folder chosen yet: the typed text stays.
    ASSERT_TRUE(gui->type(w.text1, "typed"));
    ASSERT_TRUE(gui->click(w.btnSelect));
    EXPECT_EQ(w.text1.text(), "typed");
    EXPECT_EQ(program->backupFolder, "");

    // A path with surrounding spaces comes back without them.
    dialogs.folderAnswers.push_back("  C:\\Backups\\Sims one  ");
    ASSERT_TRUE(gui->click(w.btnSelect));
    EXPECT_EQ(program->backupFolder, "C:\\Backups\\Sims one");
    EXPECT_EQ(w.text1.text(), "C:\\Backups\\Sims one");

    // Cancelled after a choice: the chosen folder replaces what was typed.
    ASSERT_TRUE(gui->type(w.text1, "typed again"));
    ASSERT_TRUE(gui->click(w.btnSelect));
    EXPECT_EQ(w.text1.text(), "C:\\Backups\\Sims one");

    ASSERT_EQ(dialogs.folderRequests.size(), 3u);
    for (const auto& r : dialogs.folderRequests) {
        EXPECT_EQ(r.title, "Quillvault Folder");
        EXPECT_EQ(r.prompt, "Select or create a new folder to backup to:");
        EXPECT_EQ(r.initialFolder, "c:\\test");
    }
    EXPECT_TRUE(messages.shown.empty());
    expectShowing(2);
}

TEST_P(BackupWizard, CopyToClipboardPutsTheShownPathThereAndSaysSo) {
    frmBackup& w = wizard();
    clipboard.setText("something else");
    w.txtPath.setText("D:\\Backups\\Sims 2026");
    ASSERT_TRUE(gui->click(w.Command1));
    EXPECT_EQ(clipboard.text(), "D:\\Backups\\Sims 2026");
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Path has been copied to clipboard"}));
    EXPECT_EQ(messages.shown[0].caption, "Orrindale");
}

TEST_P(BackupWizard, EscPressesCancelWhichEndsTheProgram) {
    next();
    EXPECT_THROW(gui->key(wizard(), {Key::escape}), ui::ProgramEnded);
    EXPECT_TRUE(gui->ended());
    EXPECT_FALSE(wizard().loaded());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(BackupWizard, CancelClickedDuringTheCopyEndsTheProgramBeforeTheDescriptor) {
    makeGame();
    const std::string folder = root.path("Backups");
    makeFolder(folder);
    frmBackup& w = wizard();
    // The user clicks Cancel while GameData is being copied; the click waits
    // for the next yield, in Next's move to Step 4.
    copies->onCopy = [&](const ui::RecordingCopy::Copy& c) {
        if (c.source == game("GameData")) gui->queueClick(w.cmdCancel);
    };
    toStep2();
    ASSERT_TRUE(gui->type(w.text1, folder));
    EXPECT_THROW(next(), ui::ProgramEnded);

    EXPECT_TRUE(gui->ended());
    EXPECT_EQ(step(), 3);
    EXPECT_EQ(copies->copies.back().source, game("GameData"));
    EXPECT_TRUE(descriptorsIn(folder).empty());
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Toolkits, BackupWizard, ::testing::ValuesIn(test::uiBackendNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orr

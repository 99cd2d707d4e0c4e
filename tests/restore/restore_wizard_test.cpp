// The restore wizard on every toolkit available here: its panels, the
// step machine with its button table and rail, the checks of Step 1, Back,
// Select, a whole restore from one Next, and the ways out.
#include "gamedata/gamedata_fixture.h"
#include "restore/frmRestore.h"
#include "ui/program_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
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
constexpr const char* kGame = ClsSims::kGameFolder;
const std::string kNotABackup = "This is Not a Deve vozuvi, please select a Deve vozuvi";
const std::string kNoFolder = "The backup folder named in this file does not exist";
const ui::KeyPress altF4{Key::f4, 0, false, true};

// Back, Next, Finish, Cancel: enabled or not.
struct Row {
    bool back, next, finish, cancel;
    friend bool operator==(const Row&, const Row&) = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << "Back " << r.back << " Next " << r.next << " Finish " << r.finish << " Cancel " << r.cancel;
}

// What the wizard shows at one moment of a run.
struct Seen {
    int step;
    Row row;
    std::string copied;  // the folder being copied then
};

// Bytes a text-mode copy or a trimming reader would spoil.
const std::string kBinary = std::string("IFF\0\x01\xff\r\n\n\r tail ", 16);

class RestoreWizard : public ::testing::TestWithParam<std::string>, public test::ProgramFixture {
protected:
    void SetUp() override {
        if (!start(GetParam())) GTEST_SKIP() << "no desktop to show windows on";
        // The menu shows the wizard modal; its own tests cover that. Shown
        // modeless here, the test itself is the user.
        wizard().show();
        ASSERT_TRUE(wizard().visible());
    }

    frmRestore& wizard() { return program->restoreWizard(); }

    Row row() {
        frmRestore& w = wizard();
        return {w.cmdBack.enabled(), w.cmdNext.enabled(), w.cmdFinish.enabled(), w.cmdCancel.enabled()};
    }

    void next() { ASSERT_TRUE(gui->click(wizard().cmdNext)); }
    void choose(const std::string& path) { ASSERT_TRUE(gui->type(wizard().text1, path)); }

    // The step shows everywhere at once: the rail, the panel in front and
    // the step the driver's dump reads.
    void expectShowing(int current) {
        frmRestore& w = wizard();
        EXPECT_EQ(w.step(), current);
        EXPECT_EQ(w.wizardStep(), current);
        EXPECT_EQ(w.fraSteps.frontIndex(), current);
        EXPECT_EQ(w.frontIndex("fraSteps"), current);
        for (int i = 0; i <= 5; ++i) {
            const ui::Color expected = i == current ? kGreen : i == 5 ? kRed : kGrey;
            EXPECT_EQ(w.shpSteps(i).fillColor(), expected) << "marker " << i << " at step " << current;
            EXPECT_EQ(w.lblSteps(i).fontBold(), i == current) << "label " << i << " at step " << current;
        }
    }

    void folder(const std::string& path) {
        if (files().exists(path)) return;
        folder(path.substr(0, path.find_last_of('\\')));
        ASSERT_EQ(files().makeDirectory(path), platform::Status::ok) << path;
    }
    void file(const std::string& path, const std::string& bytes) {
        folder(path.substr(0, path.find_last_of('\\')));
        auto out = files().openOutput(path);
        out->write(bytes);
        out->close();
    }
    // A descriptor as a backup writes it (or spoilt, for the checks).
    std::string descriptor(const std::string& path, const std::string& location) {
        file(path, "[Backup]\r\nVersion=Sims\r\nBackup_Location=" + location + "\r\n");
        return path;
    }

    // A backup folder as a backup leaves it: two user-data folders,
    // Downloads, GameData, and ExpansionShared with more than SkinsBuy.
    std::string makeBackup(const std::string& backup) {
        file(backup + "\\UserData\\Characters\\User00001.iff", kBinary + "one");
        file(backup + "\\UserData\\Houses\\House01.iff", kBinary + "house");
        file(backup + "\\UserData2\\Neighborhood.iff", kBinary + "hood");
        file(backup + "\\Downloads\\skin.bmp", kBinary + "skin");
        file(backup + "\\GameData\\UserObjects\\obj.iff", kBinary + "object");
        file(backup + "\\ExpansionShared\\SkinsBuy\\buy.cmx", kBinary + "buy");
        file(backup + "\\ExpansionShared\\Other\\stays.txt", "stays in the backup");
        return descriptor(backup + "\\Sims_2026.12.05.BAK", backup);
    }

    std::optional<test::GameFolderGuard> game;
};

TEST_P(RestoreWizard, LoadsOnStartWithItsPanelsRailAndButtons) {
    frmRestore& w = wizard();
    EXPECT_FALSE(w.titleBar());
    EXPECT_EQ(w.borderStyle(), ui::BorderStyle::fixedDialog);
    EXPECT_EQ(w.startPosition(), ui::StartPosition::windowsDefault);
    EXPECT_EQ(w.clientWidth(), 566);
    EXPECT_EQ(w.clientHeight(), 306);
    expectShowing(0);
    EXPECT_EQ(row(), (Row{false, true, false, true}));
    EXPECT_EQ(w.cancelButton(), &w.cmdCancel);
    EXPECT_EQ(w.activeControl(), &w.cmdNext);

    // The rail: markers at fixed tops, Step 1 to 4 indented, a white line.
    EXPECT_EQ(w.picWiz.bounds().width, 145);
    EXPECT_EQ(w.picWiz.bounds().height, 265);
    EXPECT_EQ(w.picWiz.backColor(), ui::color::black);
    const int tops[] = {8, 32, 64, 96, 128, 160};
    const char* captions[] = {"Start", "Step 1", "Step 2", "Step 3", "Step 4", "Finish"};
    const int outerMarker = w.shpSteps(0).bounds().left, outerLabel = w.lblSteps(0).bounds().left;
    for (int i = 0; i <= 5; ++i) {
        const bool inner = i >= 1 && i <= 4;
        const Rect marker = w.shpSteps(i).bounds();
        EXPECT_EQ(marker, (Rect{outerMarker + (inner ? 16 : 0), tops[i], 17, 17})) << i;
        EXPECT_TRUE(w.shpSteps(i).filled());
        EXPECT_EQ(w.shpSteps(i).container(), &w.picWiz);
        const ui::Label& label = w.lblSteps(i);
        EXPECT_EQ(label.caption(), captions[i]);
        EXPECT_EQ(label.bounds().left, outerLabel + (inner ? 8 : 0)) << i;
        EXPECT_GT(label.bounds().left, marker.left + marker.width) << "label beside its marker " << i;
        EXPECT_EQ(label.foreColor(), ui::color::white);
        EXPECT_EQ(label.font().name, "MS Sans Serif");
        EXPECT_EQ(label.font().size, 8.25);
        EXPECT_EQ(label.container(), &w.picWiz);
    }
    EXPECT_EQ(w.Line1.container(), &w.picWiz);
    EXPECT_EQ(w.Line1.borderColor(), ui::color::white);
    EXPECT_EQ(w.Line1.x1(), w.Line1.x2());
    EXPECT_LE(w.Line1.y1(), tops[0] + 17);
    EXPECT_GE(w.Line1.y2(), tops[5]);

    // The panels: stacked at one place right of the rail, inside the window.
    for (int i = 0; i <= 5; ++i) {
        const ui::Frame& panel = w.fraSteps(i);
        EXPECT_EQ(panel.bounds(), w.fraSteps(0).bounds());
        EXPECT_EQ(panel.bounds().width, 425);
        EXPECT_EQ(panel.bounds().height, 257);
        EXPECT_FALSE(panel.border());
        EXPECT_EQ(panel.caption(), "");
        EXPECT_EQ(panel.backColor(), i == 0 || i == 5 ? ui::color::white : ui::rgb(192, 192, 192)) << i;
    }
    // They meet the rail; what the window cuts off on the right stays empty.
    EXPECT_EQ(w.fraSteps(0).bounds().left, w.picWiz.bounds().width);
    for (ui::Control* c : w.controls()) {
        if (c->container() && c->container()->name() == "fraSteps") {
            EXPECT_LE(w.fraSteps(0).bounds().left + c->bounds().left + c->bounds().width, 566) << c->name();
        }
    }

    struct Text {
        const ui::Label& label;
        int panel;
        std::string caption;
        ui::Font font;
    };
    const ui::Font sans{"MS Sans Serif", 9.75, false, false};
    const ui::Font heading{"MS Sans Serif", 9.75, true, false};
    const ui::Font arial{"Arial", 8.25, false, false};
    const Text texts[] = {
        {w.lblHead, 0, "Welcome to Vovu Zudarev", {"MS Sans Serif", 18, false, false}},
        {w.Label1, 0, "This wizard will restore your Sims customizations", sans},
        {w.Label2, 1, "Step 1", heading},
        {w.Label8, 1, "Please select Deve vozuvi  to restore", arial},
        {w.Label3, 2, "Step 2", heading},
        {w.Label11, 2, "Restoring customized settings...", arial},
        {w.Label4, 3, "Step 3", heading},
        {w.Label10, 3, "Restoring animation, floors, lights, roofs, skins, textures, user objects and walls", arial},
        {w.Label5, 4, "Step 4", heading},
        {w.Label9, 4, "Restoring characters and houses...", arial},
        {w.Label7, 5, "Vovu Zudarev", {"Arial", 24, false, false}},
        {w.Label6, 5, "Congratulations!", sans},
        {w.Label12, 5, "Sims customizations have been successfully restored.", arial},
        {w.Label13, 5, "Click Finish to close program", arial},
    };
    for (const Text& t : texts) {
        EXPECT_EQ(t.label.caption(), t.caption) << t.label.name();
        EXPECT_EQ(t.label.font(), t.font) << t.label.name();
        EXPECT_EQ(t.label.container(), &w.fraSteps(t.panel)) << t.label.name();
    }
    // The two bands: white on black, centred, as wide as the panel shows.
    for (const ui::Label* band : {&w.lblHead, &w.Label7}) {
        EXPECT_EQ(band->backColor(), ui::color::black) << band->name();
        EXPECT_EQ(band->foreColor(), ui::color::white) << band->name();
        EXPECT_EQ(band->alignment(), ui::Alignment::center) << band->name();
        EXPECT_EQ(band->bounds().left, 0) << band->name();
        EXPECT_EQ(band->bounds().width, 566 - w.fraSteps(0).bounds().left) << band->name();
    }
    EXPECT_EQ(w.Label12.alignment(), ui::Alignment::center);
    for (const ui::Shape* s : {&w.Shape1, &w.Shape2, &w.Shape3, &w.Shape4, &w.Shape5, &w.Shape6}) {
        EXPECT_EQ(s->shape(), ui::ShapeKind::square) << s->name();
        EXPECT_TRUE(s->filled()) << s->name();
        EXPECT_EQ(s->container(), &w.fraSteps(s->name() < "Shape4" ? 0 : 5)) << s->name();
    }

    EXPECT_EQ(w.text1.container(), &w.fraSteps(1));
    EXPECT_EQ(w.text1.text(), "");
    EXPECT_FALSE(w.text1.multiLine());
    EXPECT_FALSE(w.text1.locked());
    EXPECT_EQ(w.text1.bounds().width, 225);
    EXPECT_EQ(w.text1.bounds().height, 25);
    EXPECT_EQ(w.btnSelect.caption(), "Select");
    EXPECT_EQ(w.btnSelect.container(), &w.fraSteps(1));
    EXPECT_GE(w.btnSelect.bounds().left, w.text1.bounds().left + 225);

    // The button row, left to right, under the bar.
    const ui::CommandButton* buttons[] = {&w.cmdCancel, &w.cmdBack, &w.cmdNext, &w.cmdFinish};
    const char* buttonCaptions[] = {"Cancel", "< &Back", "&Next >", "&Finish"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(buttons[i]->caption(), buttonCaptions[i]);
        EXPECT_EQ(buttons[i]->bounds().width, 65);
        EXPECT_EQ(buttons[i]->bounds().height, 25);
        EXPECT_GT(buttons[i]->bounds().top, w.Line2.y1());
        EXPECT_LE(buttons[i]->bounds().top + 25, 306);
        if (i > 0) {
            EXPECT_GE(buttons[i]->bounds().left, buttons[i - 1]->bounds().left + 65);
        }
    }
    EXPECT_EQ(w.Line2.y1(), w.Line2.y2());
    EXPECT_GE(w.Line2.y1(), w.fraSteps(0).bounds().height);

    // The window toolkit puts the windows where the form says.
    if (auto client = test::nativeClientArea(w)) {
        EXPECT_EQ(*client, (Rect{0, 0, 566, 306}));
        EXPECT_EQ(test::nativePlace(w.picWiz), w.picWiz.bounds());
        EXPECT_EQ(test::nativePlace(w.fraSteps(3)), w.fraSteps(3).bounds());
        EXPECT_EQ(test::nativePlace(w.cmdFinish), w.cmdFinish.bounds());
        Rect box = w.text1.bounds();
        box.left += w.fraSteps(1).bounds().left;
        box.top += w.fraSteps(1).bounds().top;
        EXPECT_EQ(test::nativePlace(w.text1), box);
    }
}

TEST_P(RestoreWizard, EachCheckOfStep1ShowsItsMessageAndStaysOnStep1) {
    next();
    expectShowing(1);
    EXPECT_EQ(row(), (Row{false, true, false, true}));
    EXPECT_TRUE(messages.shown.empty());
    program->backupFolder = "before";

    const std::string gone = root.path("Gone");
    folder(gone);
    const std::string goneDescriptor = descriptor(root.path("gone.BAK"), gone);
    ASSERT_EQ(files().removeDirectory(gone), platform::Status::ok);
    folder(root.path("Backup"));
    file(root.path("Backup\\a file"), "x");

    struct Case {
        std::string why;
        std::string path;
        std::string message;
        bool cleared;
    };
    const Case cases[] = {
        {"empty", "", "Please select a file", false},
        {"spaces are not empty", "   ", "File does not exist,Please select a file", true},
        {"missing file", root.path("missing.BAK"), "File does not exist,Please select a file", true},
        {"wrong extension", (file(root.path("notes.txt"), "[Backup]\r\nVersion=Sims\r\n"), root.path("notes.txt")),
         "Please select a file that has the .BAK extension", true},
        {"no extension", (file(root.path("BAK"), "[Backup]\r\nVersion=Sims\r\n"), root.path("BAK")),
         "Please select a file that has the .BAK extension", true},
        {"a folder named *.bak", (folder(root.path("Old.bak")), root.path("Old.bak")), kNotABackup, false},
        {"lower-case Version", (file(root.path("lower.BAK"), "[Backup]\r\nVersion=sims\r\nBackup_Location=" +
                                                                 root.path("Backup") + "\r\n"),
                                root.path("lower.BAK")),
         kNotABackup, false},
        {"no Version", (file(root.path("noversion.BAK"), "[Backup]\r\nBackup_Location=C:\\\r\n"), root.path("noversion.BAK")),
         kNotABackup, false},
        {"missing section", (file(root.path("other.BAK"), "[Other]\r\nVersion=Sims\r\n"), root.path("other.BAK")),
         kNotABackup, false},
        {"missing Backup_Location", (file(root.path("nolocation.BAK"), "[Backup]\r\nVersion=Sims\r\n"),
                                     root.path("nolocation.BAK")),
         kNoFolder, false},
        {"empty Backup_Location", descriptor(root.path("empty.BAK"), ""), kNoFolder, false},
        {"vanished Backup_Location", goneDescriptor, kNoFolder, false},
        {"Backup_Location names a file", descriptor(root.path("file.BAK"), root.path("Backup\\a file")), kNoFolder,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::size_t before = messages.shown.size();
        choose(c.path);
        next();
        ASSERT_EQ(messages.shown.size(), before + 1);
        const auto& shown = messages.shown.back();
        EXPECT_EQ(shown.text, c.message);
        EXPECT_EQ(shown.caption, "Orrindale");
        EXPECT_EQ(shown.buttons, platform::MsgButtons::ok);
        EXPECT_EQ(shown.icon, platform::MsgIcon::none);
        EXPECT_EQ(wizard().text1.text(), c.cleared ? "" : c.path);
        expectShowing(1);
        // Next's row for Step 1 stands: Back is enabled now.
        EXPECT_EQ(row(), (Row{true, true, false, true}));
        EXPECT_EQ(program->backupFolder, "before");
    }
    EXPECT_TRUE(copies->copies.empty());
}

TEST_P(RestoreWizard, BackAfterAFailedCheckGoesToStartAndNextReturnsWithoutACheck) {
    next();
    next();  // empty path
    ASSERT_EQ(messages.texts(), std::vector<std::string>{"Please select a file"});
    ASSERT_TRUE(wizard().cmdBack.enabled());

    ASSERT_TRUE(gui->click(wizard().cmdBack));
    expectShowing(0);
    EXPECT_EQ(row(), (Row{false, true, false, true}));

    next();
    expectShowing(1);
    EXPECT_EQ(row(), (Row{false, true, false, true}));
    EXPECT_EQ(messages.shown.size(), 1u);
    // Back is reachable again only through another failed check.
    EXPECT_FALSE(gui->click(wizard().cmdBack));
}

TEST_P(RestoreWizard, SelectPutsTheChosenFileIntoThePathBoxAndCancelEmptiesIt) {
    next();
    const std::string chosen = root.path("Backups\\Sims_2026.12.05.BAK");
    dialogs.openAnswers.push_back(chosen);
    ASSERT_TRUE(gui->click(wizard().btnSelect));
    EXPECT_EQ(wizard().text1.text(), chosen);
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].title, "Open");
    EXPECT_EQ(ui::filterText(dialogs.openRequests[0].filter), "Backup files BAK|*.BAK");

    // No answer queued: the user cancels.
    ASSERT_TRUE(gui->click(wizard().btnSelect));
    EXPECT_EQ(wizard().text1.text(), "");
    EXPECT_EQ(dialogs.openRequests.size(), 2u);
    expectShowing(1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(RestoreWizard, CancelEscAndTheFrameEachEndTheProgram) {
    using Way = std::function<bool(frmRestore&)>;
    const std::pair<const char*, Way> ways[] = {
        {"Cancel on Step 1", [&](frmRestore& w) { return gui->click(w.cmdNext) && gui->click(w.cmdCancel); }},
        {"Esc on Start", [&](frmRestore& w) { return gui->key(w, {Key::escape}); }},
        {"Alt+F4", [&](frmRestore& w) { return gui->key(w, altF4); }},
    };
    for (const auto& [why, way] : ways) {
        SCOPED_TRACE(why);
        if (!program) {
            ASSERT_TRUE(start(GetParam()));
            wizard().show();
        }
        frmRestore& w = wizard();
        EXPECT_THROW(way(w), ui::ProgramEnded);
        EXPECT_TRUE(gui->ended());
        EXPECT_FALSE(w.loaded());
        EXPECT_TRUE(messages.shown.empty());
        // A new program on a new toolkit for the next way; the old toolkit
        // goes first, as its window classes are the new one's too.
        program.reset();
        gui.reset();
    }
}

TEST_P(RestoreWizard, AValidDescriptorRestoresEverySetThroughSteps2To4ToFinish) {
    game.emplace(files());
    game->make();
    const std::string backup = root.path("Backups\\Sims backup");
    makeBackup(backup);
    // The descriptor was moved elsewhere and its extension's case changed:
    // the backup is still read from the folder it names.
    const std::string chosen = descriptor(root.path("Moved\\sims_2026.12.05.Bak"), backup);
    const auto backupBefore = test::snapshot(files(), backup);

    // The game already holds files: one the backup replaces, two it lacks.
    const std::string g = kGame;
    file(g + "\\UserData\\Characters\\User00001.iff", "old");
    file(g + "\\UserData\\Characters\\Mine.iff", "mine");
    file(g + "\\Sims.exe", "game");

    std::vector<Seen> seen;
    copies->onCopy = [&](const ui::RecordingCopy::Copy& c) {
        seen.push_back({wizard().step(), row(), c.source.substr(c.source.find_last_of('\\') + 1)});
    };

    next();
    choose(chosen);
    next();

    EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
    expectShowing(5);
    EXPECT_EQ(row(), (Row{false, false, true, false}));
    EXPECT_EQ(program->backupFolder, backup);
    EXPECT_EQ(wizard().text1.text(), chosen);

    // User data and Downloads copy on Step 3, GameData and SkinsBuy on Step
    // 4, with only Cancel enabled throughout.
    const Row copying{false, false, false, true};
    ASSERT_EQ(seen.size(), 5u);
    std::map<std::string, int> stepOf;
    for (const Seen& s : seen) {
        EXPECT_EQ(s.row, copying) << s.copied;
        stepOf[s.copied] = s.step;
    }
    EXPECT_EQ(stepOf, (std::map<std::string, int>{
                          {"UserData", 3}, {"UserData2", 3}, {"Downloads", 3}, {"GameData", 4}, {"SkinsBuy", 4}}));
    EXPECT_EQ(seen[3].copied, "GameData");
    EXPECT_EQ(seen[4].copied, "SkinsBuy");

    // Every file is back, byte for byte; nothing of the game went; nothing
    // of ExpansionShared but SkinsBuy came; the backup is as it was.
    const std::map<std::string, std::string> expected{
        {"Downloads", "<dir>"},
        {"Downloads\\skin.bmp", kBinary + "skin"},
        {"ExpansionShared", "<dir>"},
        {"ExpansionShared\\SkinsBuy", "<dir>"},
        {"ExpansionShared\\SkinsBuy\\buy.cmx", kBinary + "buy"},
        {"GameData", "<dir>"},
        {"GameData\\UserObjects", "<dir>"},
        {"GameData\\UserObjects\\obj.iff", kBinary + "object"},
        {"Sims.exe", "game"},
        {"UserData", "<dir>"},
        {"UserData\\Characters", "<dir>"},
        {"UserData\\Characters\\Mine.iff", "mine"},
        {"UserData\\Characters\\User00001.iff", kBinary + "one"},
        {"UserData\\Houses", "<dir>"},
        {"UserData\\Houses\\House01.iff", kBinary + "house"},
        {"UserData2", "<dir>"},
        {"UserData2\\Neighborhood.iff", kBinary + "hood"},
    };
    EXPECT_EQ(test::snapshot(files(), kGame), expected);
    EXPECT_EQ(test::snapshot(files(), backup), backupBefore);

    // On Finish, Esc means nothing (Cancel is disabled); Finish ends.
    EXPECT_FALSE(gui->key(wizard(), {Key::escape}));
    EXPECT_TRUE(wizard().visible());
    EXPECT_THROW(gui->click(wizard().cmdFinish), ui::ProgramEnded);
    EXPECT_TRUE(gui->ended());
}

TEST_P(RestoreWizard, ABackupWithOnlyUserDataStillEndsOnFinishAndStaysUntouched) {
    game.emplace(files());
    game->make();
    const std::string backup = root.path("Small");
    file(backup + "\\UserData\\Characters\\User00001.iff", kBinary);
    const std::string chosen = descriptor(backup + "\\Sims_2026.12.05.BAK", backup);
    const auto backupBefore = test::snapshot(files(), backup);

    next();
    choose(chosen);
    next();

    expectShowing(5);
    EXPECT_EQ(row(), (Row{false, false, true, false}));
    EXPECT_TRUE(messages.shown.empty());
    // No folder the backup lacks is made in it, and the game gets SkinsBuy.
    EXPECT_EQ(test::snapshot(files(), backup), backupBefore);
    const std::map<std::string, std::string> expected{
        {"ExpansionShared", "<dir>"},
        {"ExpansionShared\\SkinsBuy", "<dir>"},
        {"UserData", "<dir>"},
        {"UserData\\Characters", "<dir>"},
        {"UserData\\Characters\\User00001.iff", kBinary},
    };
    EXPECT_EQ(test::snapshot(files(), kGame), expected);
}

// Next, RestoreSims (which moves the wizard once), Next, then the yields:
// a Finish click waiting from the last copy is served only by the yields
// after the last Next, which end the program from inside the first Next.
TEST_P(RestoreWizard, TheRunMovesOnBeforeAndAfterTheCopiesThenYields) {
    game.emplace(files());
    const std::string chosen = makeBackup(root.path("Backup"));
    copies->passTo(nullptr);  // the copies themselves let no events run

    std::vector<Seen> seen;
    copies->onCopy = [&](const ui::RecordingCopy::Copy& c) {
        seen.push_back({wizard().step(), row(), c.source.substr(c.source.find_last_of('\\') + 1)});
        if (seen.back().copied == "SkinsBuy") gui->queueClick(wizard().cmdFinish);
    };
    std::optional<int> stepAtEnd;
    gui->onEnd([&] { stepAtEnd = wizard().step(); });

    next();
    choose(chosen);
    bool nextReturned = false;
    EXPECT_THROW(
        {
            gui->click(wizard().cmdNext);
            nextReturned = true;
        },
        ui::ProgramEnded);
    EXPECT_FALSE(nextReturned);
    EXPECT_EQ(stepAtEnd, 5);
    ASSERT_EQ(seen.size(), 5u);
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i].step, i < 3 ? 3 : 4) << seen[i].copied;
}

INSTANTIATE_TEST_SUITE_P(Toolkits, RestoreWizard, ::testing::ValuesIn(test::uiBackendNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orr

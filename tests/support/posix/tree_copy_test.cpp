// The folder copy this layer does itself (the shell does it on Windows):
// progress and Cancel, events while it runs, one message for a failure,
// and what only a POSIX file system has (dot names, links).
#include "copy/copy_fixture.h"
#include "ui/CopyProgressForm.h"
#include "ui/headless/HeadlessGui.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace orr::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class ProgressLog : public platform::CopyProgress {
public:
    void begin(const std::string& source, const std::string& destination, std::uint64_t f,
               std::uint64_t b) override {
        log.push_back("begin " + source + " -> " + destination + " " + std::to_string(f) + " " +
                      std::to_string(b));
    }
    bool advance(const std::string& file, std::uint64_t files, std::uint64_t bytes) override {
        log.push_back(file + " " + std::to_string(files) + " " + std::to_string(bytes));
        if (onAdvance) onAdvance();
        return --goOn > 0;
    }
    void end() override { log.push_back("end"); }

    std::vector<std::string> log;
    int goOn = 1000;
    std::function<void()> onAdvance;
};

fs::path host(const TestRoot& root, const std::string& relative) {
    return fs::path(root.options().root) / "drive_c" / "t" / relative;
}

class TreeCopy : public EitherFileSystem {
protected:
    void SetUp() override {
        writeFile("S\\a.txt", "aa");
        writeFile("S\\b.txt", "bbb");
        writeFile("S\\sub\\c.txt", "c");
        makeFolder("D");
    }
};

INSTANTIATE_TEST_SUITE_P(Posix, TreeCopy, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Wrapped" : "Native"; });

TEST_P(TreeCopy, ProgressFollowsEachFileCancelStopsAtTheNextAndEventsRunMeanwhile) {
    ProgressLog progress;
    shellCopy(&progress)->copyFolder(path("S"), path("D"));
    const std::vector<std::string> all = {
        "begin " + path("S") + " -> " + path("D") + " 3 6",
        path("S\\a.txt") + " 1 2",
        path("S\\b.txt") + " 2 5",
        path("S\\sub\\c.txt") + " 3 6",
        "end",
    };
    EXPECT_EQ(progress.log, all);

    ProgressLog cancelling;
    cancelling.goOn = 1;
    makeFolder("E");
    shellCopy(&cancelling)->copyFolder(path("S"), path("E"));
    EXPECT_EQ(names("E\\S"), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(cancelling.log.back(), "end");
    EXPECT_TRUE(messages.shown.empty());

    // Without progress, events still run while the copy goes on.
    bool landed = false;
    events.onProcess = [&] { landed = exists("F\\S"); };
    makeFolder("F");
    shellCopy()->copyFolder(path("S"), path("F"));
    EXPECT_GE(events.count, 1);
    EXPECT_TRUE(landed);  // the copy had begun
    EXPECT_EQ(read("F\\S\\sub\\c.txt"), "c");
}

TEST_P(TreeCopy, AFailureShowsOneMessageAndTheCopyReturns) {
    writeFile("D\\S\\b.txt\\inside", "x");  // a folder where a file goes
    shellCopy()->copyFolder(path("S"), path("D"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Cannot copy b.txt: Access is denied.");
    EXPECT_EQ(messages.shown[0].caption, "Error Copying File or Folder");
    EXPECT_EQ(read("D\\S\\a.txt"), "aa");     // before the failure
    EXPECT_FALSE(exists("D\\S\\sub"));        // the copy stopped there
    EXPECT_EQ(read("D\\S\\b.txt\\inside"), "x");

    // A destination that is a file.
    writeFile("F", "file");
    shellCopy()->copyFolder(path("S"), path("F"));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "Cannot copy S: Access is denied.");
    EXPECT_EQ(read("F"), "file");
}

TEST_P(TreeCopy, TheProgressWindowsCancelStopsTheCopyAndWhatEndsTheProgramUnwindsThroughIt) {
    struct Ended {};
    ProgressLog progress;
    progress.onAdvance = [] { throw Ended{}; };
    EXPECT_THROW(shellCopy(&progress)->copyFolder(path("S"), path("D")), Ended);
    EXPECT_EQ(read("D\\S\\a.txt"), "aa");
    EXPECT_FALSE(exists("D\\S\\b.txt"));

    ui::HeadlessGui gui;
    ui::CopyProgressForm form(gui, 0s);
    form.begin("x", "y", 0, 0);
    gui.queueClick(form.cmdCancel);  // waits until the window is up
    auto copier = platform::makeShellCopy(files, messages, events, &form);
    makeFolder("G");
    copier->copyFolder(path("S"), path("G"));
    EXPECT_EQ(names("G\\S"), std::vector<std::string>{"a.txt"});
    EXPECT_FALSE(form.visible());

    // Cancel on another window ends the program from inside the copy.
    ui::Form wizard(gui, "frmWizard");
    ui::CommandButton cmdCancel(wizard, "cmdCancel", {0, 0, 10, 10});
    cmdCancel.Click = [&] { gui.endProgram(); };
    wizard.show();
    gui.queueClick(cmdCancel);
    makeFolder("E");
    EXPECT_THROW(copier->copyFolder(path("S"), path("E")), ui::ProgramEnded);
    EXPECT_EQ(names("E\\S"), std::vector<std::string>{"a.txt"});
}

TEST_P(TreeCopy, DotNamesAndLinkedFilesComeAlong) {
    writeFile("S\\.hidden", "dot");
    ASSERT_EQ(::symlink("a.txt", host(root, "S/link.txt").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", host(root, "S/dangling").c_str()), 0);
    shellCopy()->copyFolder(path("S"), path("D"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(read("D\\S\\.hidden"), "dot");
    EXPECT_NE(bits("D\\S\\.hidden") & platform::attr::hidden, 0u);
    EXPECT_EQ(read("D\\S\\link.txt"), "aa");
    EXPECT_FALSE(fs::is_symlink(host(root, "D/S/link.txt")));
    EXPECT_FALSE(exists("D\\S\\dangling"));
}

// On the host only: through the file-system service the listing would go
// round until the path is too long.
using HostTreeCopy = CopyTest;

TEST_F(HostTreeCopy, ALinkBackUpTheTreeIsNotFollowed) {
    writeFile("S\\sub\\f.txt", "f");
    ASSERT_EQ(::symlink("..", host(root, "S/sub/up").c_str()), 0);
    makeFolder("D");
    shellCopy()->copyFolder(path("S"), path("D"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(names("D\\S\\sub"), std::vector<std::string>{"f.txt"});
}

}  // namespace
}  // namespace orr::test

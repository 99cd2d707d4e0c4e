// The folder copy on this layer: progress and Cancel, events while it
// runs, failures that stop only their own entry, and what only a POSIX
// file system has (dot names, symbolic and hard links).
#include "copy/copy_fixture.h"
#include "platform/error.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

namespace orr::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class ProgressLog : public platform::CopyProgress {
public:
    void begin(const std::string& source, const std::string& to, std::uint64_t f, std::uint64_t b) override {
        log.push_back("begin " + source + " -> " + to + " " + std::to_string(f) + " " + std::to_string(b));
    }
    // A long wait reports the file awaited more than once: its last report
    // stands.
    bool advance(const std::string& file, std::uint64_t files, std::uint64_t bytes) override {
        if (!log.empty() && log.back().starts_with(file + " ")) log.pop_back();
        log.push_back(file + " " + std::to_string(files) + " " + std::to_string(bytes));
        if (onAdvance) onAdvance();
        return files < stopAfter;
    }
    void end() override { log.push_back("end"); }

    std::vector<std::string> log;
    std::uint64_t stopAfter = 1000;  // files done
    std::function<void()> onAdvance;
};

fs::path host(const TestRoot& root, const std::string& relative) {
    return fs::path(root.options().root) / "drive_c" / "t" / relative;
}

// What `body` answers when run as a user who is not root (root may search
// any folder): in a child process as "nobody" when this is root.
std::string asOtherUser(const std::function<std::string()>& body) {
    if (::geteuid() != 0) return body();
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string out = "cannot become nobody";
        if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
            try {
                out = body();
            } catch (...) {
                out = "threw";
            }
        }
        // A blocking write to a pipe that is being read writes it all.
        const ssize_t sent = ::write(pipeFds[1], out.data(), out.size());
        (void)sent;
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string out;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return out;
}

class TreeCopy : public CopyTest {
protected:
    void SetUp() override {
        writeFile("S\\a.txt", "aa");
        writeFile("S\\b.txt", "bbb");
        writeFile("S\\sub\\c.txt", "c");
        makeFolder("D");
    }
};

// That events run while a copy goes on, the first time before anything is
// written, is the cancel scenarios'.
TEST_F(TreeCopy, ProgressFollowsEachFileAndCancelStopsAtTheNext) {
    ProgressLog progress;
    EXPECT_TRUE(folderCopier(&progress)->copyFolder(path("S"), path("D")).completed());
    const std::vector<std::string> all = {
        "begin " + path("S") + " -> " + path("D") + " 3 12288",
        path("S\\a.txt") + " 1 2",
        path("S\\b.txt") + " 2 5",
        path("S\\sub\\c.txt") + " 3 6",
        "end",
    };
    EXPECT_EQ(progress.log, all);

    // What a cancelled copy kept is synced too: a sync that fails is told.
    ProgressLog cancelling;
    cancelling.stopAfter = 1;
    makeFolder("E");
    faults.failNth(platform::FileOp::sync, 1, platform::Status::ioError);
    const platform::CopyOutcome cancelled = folderCopier(&cancelling)->copyFolder(path("S"), path("E"));
    EXPECT_EQ(failed(cancelled), (Failed{{path("S"), platform::CopyReason::writeError}}));
    EXPECT_EQ(names("E\\S"), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(cancelling.log.back(), "end");
}

// A folder where a file goes is the copy contract's (on every layer).
TEST_F(TreeCopy, WhatIsInTheWayFailsThatEntryAloneAndTheCopyGoesOn) {
    writeFile("D\\S\\sub", "a file where a folder goes");
    writeFile("S\\z.txt", "z");
    const platform::CopyOutcome outcome = folderCopier()->copyFolder(path("S"), path("D"));
    EXPECT_EQ(failed(outcome), (Failed{{path("S\\sub"), platform::CopyReason::accessDenied}}));
    EXPECT_EQ(snapshot(files, path("D\\S")),
              (Contents{{"a.txt", "aa"}, {"b.txt", "bbb"}, {"sub", "a file where a folder goes"}, {"z.txt", "z"}}));

    // An unreadable file: the rest of its folder comes, the file is named.
    // (Root reads anything, so the refusal is made by the fault seam there.)
    ASSERT_EQ(::chmod(host(root, "S/a.txt").c_str(), 0), 0);
    if (::geteuid() == 0) faults.failNth(platform::FileOp::open, 1, platform::Status::accessDenied);
    makeFolder("U");
    const platform::CopyOutcome unreadable = folderCopier()->copyFolder(path("S"), path("U"));
    EXPECT_EQ(failed(unreadable), (Failed{{path("S\\a.txt"), platform::CopyReason::accessDenied}}));
    EXPECT_EQ(names("U\\S"), (std::vector<std::string>{"b.txt", "sub", "z.txt"}));
}

// A Cancel that ends the program from inside the copy ends it the same
// way; that the display serves it is the progress form's tests'.
TEST_F(TreeCopy, WhatEndsTheProgramUnwindsThroughTheCopyAndClearsItsFile) {
    struct Ended {};
    writeFile("S\\big.bin", std::string(3u << 20, 'b'));
    ProgressLog progress;
    progress.onAdvance = [] { throw Ended{}; };
    EXPECT_THROW(folderCopier(&progress)->copyFolder(path("S"), path("D")), Ended);
    EXPECT_EQ(snapshot(files, path("D\\S")), (Contents{{"a.txt", "aa"}}));
    // Within a large file, between its chunks: its temporary file goes.
    // On this thread, so that the end comes there and not after the file
    // is done.
    faults.keepOnOneThread();
    writeFile("B\\big.bin", std::string(3u << 20, 'b'));
    progress.onAdvance = [] { throw Ended{}; };
    makeFolder("C");
    EXPECT_THROW(folderCopier(&progress)->copyFolder(path("B"), path("C")), Ended);
    EXPECT_TRUE(names("C\\B").empty());
}

// A cancel that finds a worker stuck in a call (a drive pulled out) waits
// for it a bounded time with events running, names its file and ends; the
// copier joins the worker once the call comes back.
TEST_F(TreeCopy, ACancelGivesUpOnAWorkerThatDoesNotAnswer) {
    writeFile("S\\big.bin", std::string(1u << 20, 'b'));
    faults.hangNth(platform::FileOp::read, 1, "big.bin");
    ProgressLog progress;
    int whileStuck = 0;
    progress.onAdvance = [&] {
        if (faults.hung() == 0) return;
        progress.stopAfter = 0;
        ++whileStuck;
    };
    platform::CopyOptions options;
    options.giveUpAfter = 500ms;
    auto copier = folderCopier(&progress);
    const platform::CopyOutcome outcome = copier->copyFolder(path("S"), path("D"), options);
    EXPECT_EQ(failed(outcome), (Failed{{path("S\\big.bin"), platform::CopyReason::noAnswer}}));
    EXPECT_GE(whileStuck, 3) << "the display is served while the worker is awaited";
    EXPECT_EQ(faults.hung(), 1);

    faults.release();
    copier.reset();
    EXPECT_FALSE(exists("D\\S\\big.bin"));
    EXPECT_TRUE(temporaries("D").empty());
}

// A file the listing names but cannot ask about (in a folder that may be
// read but not searched) fails by name; it is never left out as if it were
// not there, neither by the copy nor by a listing of the folder.
TEST_F(TreeCopy, AnEntryThatCannotBeAskedAboutFailsByName) {
    ASSERT_EQ(::chmod(root.options().root.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(host(root, "D").c_str(), 0777), 0);
    ASSERT_EQ(::chmod(host(root, "S/sub").c_str(), 0644), 0);  // readable, not searchable
    const std::string seen = asOtherUser([&] {
        const platform::CopyOutcome outcome = folderCopier()->copyFolder(path("S"), path("D"));
        std::string out = describe(outcome) + "\n";
        try {
            out += "listed " + std::to_string(files.list(path("S\\sub\\*.*")).size());
        } catch (const RunError&) {
            out += "listing failed";
        }
        return out;
    });
    ::chmod(host(root, "S/sub").c_str(), 0755);
    EXPECT_EQ(seen, "\n" + path("S\\sub\\c.txt") + ": access denied\nlisting failed");
    EXPECT_EQ(snapshot(files, path("D\\S")), (Contents{{"a.txt", "aa"}, {"b.txt", "bbb"}, {"sub", "<dir>"}}));
}

TEST_F(TreeCopy, LinksAreCopiedAsLinksAndDotNamesComeAlong) {
    writeFile("S\\.hidden", "dot");
    ASSERT_EQ(::symlink("a.txt", host(root, "S/link.txt").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", host(root, "S/dangling").c_str()), 0);
    EXPECT_TRUE(folderCopier()->copyFolder(path("S"), path("D")).completed());
    EXPECT_EQ(read("D\\S\\.hidden"), "dot");
    EXPECT_NE(bits("D\\S\\.hidden") & platform::attr::hidden, 0u);
    EXPECT_EQ(fs::read_symlink(host(root, "D/S/link.txt")), "a.txt");
    EXPECT_EQ(fs::read_symlink(host(root, "D/S/dangling")), "nowhere");

    // Folders that link to each other and back up the tree copy once.
    for (int i = 0; i < 8; ++i) {
        makeFolder("L\\f" + std::to_string(i));
        for (int j = 0; j < 8; ++j)
            ASSERT_EQ(::symlink(("../f" + std::to_string(j)).c_str(),
                                host(root, "L/f" + std::to_string(i) + "/to" + std::to_string(j)).c_str()), 0);
    }
    ASSERT_EQ(::symlink("..", host(root, "L/up").c_str()), 0);
    const platform::CopyOutcome outcome = folderCopier()->copyFolder(path("L"), path("D"));
    EXPECT_TRUE(outcome.completed());
    EXPECT_EQ(outcome.files, 65u);
}

// Names that differ only in letter case are two files here: each is copied
// under its own name with its own digest, and copied again each finds its
// own. Where the destination cannot be shown to keep them apart (here the
// file that would tell cannot be made), both fail and neither is written.
TEST_F(TreeCopy, LetterCaseTwinsKeepTheirOwnBytesOrFailTogether) {
    const auto put = [&](const std::string& relative, const std::string& bytes) {
        fs::create_directories(host(root, relative).parent_path());
        std::ofstream(host(root, relative), std::ios::binary) << bytes;
    };
    put("T/Tw/Family.iff", "the first family");
    put("T/Tw/family.iff", "the second");
    auto copier = folderCopier();

    const platform::CopyOutcome outcome = copier->copyFolder(path("T\\Tw"), path("D"));
    ASSERT_TRUE(outcome.completed());
    EXPECT_EQ(read("D\\Tw\\Family.iff"), "the first family");
    EXPECT_EQ(read("D\\Tw\\family.iff"), "the second");
    ASSERT_TRUE(copier->writeManifest(path("D"), {"Tw"}, outcome.digests, path("D\\Sims.sha256")));
    EXPECT_EQ(read("D\\Sims.sha256"), platform::hexText(sha256Of("the first family")) + "  Tw/Family.iff\n" +
                                         platform::hexText(sha256Of("the second")) + "  Tw/family.iff\n");
    const platform::CopyOutcome again = copier->copyFolder(path("T\\Tw"), path("D"));
    EXPECT_EQ(again.unchanged, 2u);
    EXPECT_EQ(read("D\\Tw\\Family.iff"), "the first family");

    put("E/Tw/FAMILY.IFF", "the game's");
    faults.failNth(platform::FileOp::open, 1, platform::Status::accessDenied);
    const platform::CopyOutcome apart = folderCopier()->copyFolder(path("T\\Tw"), path("E"));
    EXPECT_EQ(failed(apart), (Failed{{path("T\\Tw\\Family.iff"), platform::CopyReason::caseTwins},
                                     {path("T\\Tw\\family.iff"), platform::CopyReason::caseTwins}}));
    EXPECT_EQ(names("E\\Tw"), std::vector<std::string>{"FAMILY.IFF"});
    EXPECT_EQ(read("E\\Tw\\FAMILY.IFF"), "the game's");
}

// The same file reached by another name (a hard link) is never written
// over; the source folder reached through a link or a mapped drive is the
// where-mapped scenario's.
TEST_F(TreeCopy, TheSourceReachedByAnotherPathIsRefused) {
    makeFolder("H\\S");
    ASSERT_EQ(::link(host(root, "S/a.txt").c_str(), host(root, "H/S/a.txt").c_str()), 0);
    const platform::CopyOutcome hard = folderCopier()->copyFolder(path("S"), path("H"));
    EXPECT_EQ(failed(hard), (Failed{{path("S\\a.txt"), platform::CopyReason::sameFile}}));
    EXPECT_EQ(read("S\\a.txt"), "aa");
}

}  // namespace
}  // namespace orr::test

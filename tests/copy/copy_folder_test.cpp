// The folder copy as the game data sets use it (MFile::CopyFolder over the
// OS's own copy): where the copy lands, merging, replacing, making what is
// missing, the copies that are refused, and what each failure leaves.
#include "copy_fixture.h"

#include "copy/file_workers.h"
#include "copy/forwarding_io.h"
#include "copy/retrying_io.h"
#include "drive/DesktopFakes.h"

namespace orr::test {
namespace {

namespace attr = platform::attr;
using platform::CopyOutcome;
using platform::CopyReason;
using platform::FileOp;
using platform::Pointer;
using platform::Status;
using Names = std::vector<std::string>;
using CopyContract = CopyTest;

// Distinct bytes, so that a file cut short or mixed up shows.
std::string pattern(std::size_t size, char seed) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>(seed + i * 7 % 251);
    return s;
}

TEST_F(CopyContract, LandsUnderItsOwnNameAndMergesWithWhatIsThere) {
    writeFile("Game\\UserData\\a.txt", "new a");
    writeFile("Game\\UserData\\Houses\\House01.iff", "house");
    writeFile("Backup\\UserData\\a.txt", "old a, longer than the new one");
    writeFile("Backup\\UserData\\only-here.txt", "stays");

    const CopyOutcome outcome = copyFolder(path("Game\\UserData"), path("Backup"));

    EXPECT_TRUE(outcome.completed());
    EXPECT_EQ(read("Backup\\UserData\\a.txt"), "new a");
    EXPECT_EQ(read("Backup\\UserData\\Houses\\House01.iff"), "house");
    EXPECT_EQ(read("Backup\\UserData\\only-here.txt"), "stays");
    EXPECT_EQ(read("Game\\UserData\\a.txt"), "new a");  // the source is untouched
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(pointer.sets, (std::vector<Pointer>{Pointer::hourglass, Pointer::normal}));

    // Folders whose names differ in letter case are the same: they keep
    // their names and nothing is doubled.
    writeFile("src\\Skins\\Sub\\new.bmp", "n");
    writeFile("dst\\SKINS\\sub\\NEW.BMP", "old");
    EXPECT_TRUE(copyFolder(path("src\\Skins"), path("dst")).completed());
    EXPECT_EQ(snapshot(files, path("dst")),
              (Contents{{"SKINS", "<dir>"}, {"SKINS\\sub", "<dir>"}, {"SKINS\\sub\\NEW.BMP", "n"}}));

}

// The copy's temporary names are its own: what a power cut left of an
// earlier copy is cleared, a user's file of any other name (an older
// "~orrindale-3.tmp" too) is copied and listed like any other, and a name
// that turns out to be taken is never removed by whoever failed to make it.
TEST_F(CopyContract, TemporaryNamesNeverTakeOrRemoveAUsersFile) {
    writeFile("src\\Set\\~orrindale-3.tmp", "a user's file");
    writeFile("src\\Set\\~zz.iff", "zz");
    writeFile("dst\\Set\\~orrindale-1.tmp", "another user's file");
    const std::string leftover = "dst\\Set\\" + platform::copyTemporaryName(0x12ab, 7);
    writeFile(leftover, "half");

    const CopyOutcome outcome = copyFolder(path("src\\Set"), path("dst"));

    ASSERT_TRUE(outcome.completed()) << describe(outcome);
    EXPECT_EQ(snapshot(files, path("dst\\Set")), (Contents{{"~orrindale-1.tmp", "another user's file"},
                                                         {"~orrindale-3.tmp", "a user's file"},
                                                         {"~zz.iff", "zz"}}));
    writeFile("dst\\~orrindale-manifest.tmp", "mine too");
    auto copier = folderCopier();
    ASSERT_TRUE(copier->writeManifest(path("dst"), {"Set"}, {}, path("dst\\Sims.sha256")));
    EXPECT_EQ(read("dst\\~orrindale-manifest.tmp"), "mine too");
    const auto line = [](const std::string& bytes, const std::string& name) {
        return platform::hexText(sha256Of(bytes)) + "  Set/" + name + "\n";
    };
    EXPECT_EQ(read("dst\\Sims.sha256"), line("another user's file", "~orrindale-1.tmp") +
                                            line("a user's file", "~orrindale-3.tmp") + line("zz", "~zz.iff"));

    const auto io = platform::makeCopyIo(files);
    std::string taken;
    ASSERT_EQ(io->native(path("dst\\Set\\~zz.iff"), taken), Status::ok);
    {
        platform::Temporary temp(*io, taken);
        EXPECT_EQ(temp.create(), Status::alreadyExists);
    }
    EXPECT_EQ(read("dst\\Set\\~zz.iff"), "zz");
    EXPECT_FALSE(platform::isCopyTemporary("~orrindale-00000000000012ab-07.tmp"));
    EXPECT_FALSE(platform::isCopyTemporary("~orrindale-00000000000012AB-7.tmp"));

    // A small file written whole: replaced, or left as it was with its
    // temporary gone; one that cannot be removed is named, and goes next time.
    RecordingFileSystem wrapped(files);
    const auto writeLog = [&](bool filled) {
        return platform::writeWhole(wrapped, path("w\\log.txt"), [&](const std::string& temp) {
            test::writeFile(wrapped, temp, filled ? "new" : "ha");
            return filled;
        });
    };
    writeFile("w\\log.txt", "old");
    EXPECT_FALSE(writeLog(false));
    EXPECT_EQ(snapshot(files, path("w")), (Contents{{"log.txt", "old"}}));
    wrapped.removalsFail = true;
    const std::string left = writeLog(false).leftover;
    EXPECT_EQ(wrapped.readFile(left), "ha");
    wrapped.removalsFail = false;
    EXPECT_TRUE(writeLog(true));
    EXPECT_EQ(snapshot(files, path("w")), (Contents{{"log.txt", "new"}}));
}

// Files are read back on a second thread, many at a time; what each file
// came to is still told in the order the files were copied.
TEST_F(CopyContract, ManyFilesCheckedMeanwhileAreReportedInTheirOrder) {
    constexpr int count = 150;
    auto name = [](int i) { return std::string(i < 10 ? "f00" : i < 100 ? "f0" : "f") + std::to_string(i); };
    for (int i = 0; i < count; ++i) writeFile("S\\" + name(i), pattern(1 + i * 997 % 70000, static_cast<char>(i)));
    writeFile("D\\S\\" + name(40) + "\\inside", "a folder in the way");
    writeFile("D\\S\\" + name(120) + "\\inside", "another");

    const CopyOutcome outcome = copyFolder(path("S"), path("D"));

    EXPECT_EQ(failed(outcome), (Failed{{path("S\\" + name(40)), CopyReason::accessDenied},
                                       {path("S\\" + name(120)), CopyReason::accessDenied}}));
    ASSERT_EQ(outcome.digests.size(), count - 2u);
    for (int i = 0, at = 0; i < count; ++i) {
        if (i == 40 || i == 120) continue;
        const std::string bytes = pattern(1 + i * 997 % 70000, static_cast<char>(i));
        EXPECT_EQ(outcome.digests[at].path, "S\\" + name(i));
        EXPECT_EQ(outcome.digests[at++].digest, sha256Of(bytes));
        EXPECT_EQ(read("D\\S\\" + name(i)), bytes) << name(i);
    }
    EXPECT_TRUE(temporaries("D").empty());
}

// Threaded, every source byte is counted once; what is cancelled or never
// taken leaves no temporary behind. That results come back in the order
// jobs went in is the many-files test's.
TEST_F(CopyContract, WorkersCountEachByteOnceAndLeaveNoTemporaryWhenCancelled) {
    const auto io = platform::makeCopyIo(files);
    std::vector<std::string> contents{pattern(3 << 20, 'a')};  // one large file first
    for (char c = 'b'; c < 'l'; ++c) contents.push_back(pattern(100 + c, c));
    std::vector<platform::FileJob> jobs;
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < contents.size(); ++i) {
        const std::string n = std::to_string(i);
        writeFile("w\\s" + n, contents[i]);
        platform::FileJob& job = jobs.emplace_back();
        ASSERT_EQ(io->native(path("w\\s" + n), job.source), Status::ok);
        ASSERT_EQ(io->native(path("w\\~orrindale-" + n + ".tmp"), job.temporary), Status::ok);
        job.size = contents[i].size();
        total += job.size;
    }
    {
        platform::FileWorkers workers(*io, 2);
        for (const auto& job : jobs) workers.submit(job);
        for (std::size_t i = 0; i < contents.size(); ++i) {
            auto r = workers.take(std::chrono::hours(1));
            ASSERT_TRUE(r && r->kind == platform::FileResult::Kind::copied);
        }
        EXPECT_EQ(workers.bytesDone(), total) << "every source byte, once";
    }
    for (const auto& job : jobs) ASSERT_EQ(io->removeFile(job.temporary), Status::ok);
    {
        platform::FileWorkers workers(*io, 2);
        for (const auto& job : jobs) workers.submit(job);
        workers.cancel();
    }
    EXPECT_TRUE(temporaries("w").empty());
}

// The attributes themselves are checked, not only that the write got
// through: root writes a read-only file anyway. A read-only copy and kept
// times are the round-trip and restore-choice scenarios'.
TEST_F(CopyContract, ReplacesReadOnlyFilesAndKeepsAttributes) {
    writeFile("src\\Set\\plain.txt", "replacement");
    writeFile("src\\Set\\hidden.txt", "h");
    ASSERT_EQ(files.setAttributes(path("src\\Set\\hidden.txt"), attr::hidden), Status::ok);
    writeFile("dst\\Set\\plain.txt", "read-only original");
    writeFile("dst\\Set\\hidden.txt", "a hidden, system original");
    ASSERT_EQ(files.setAttributes(path("dst\\Set\\plain.txt"), attr::readOnly), Status::ok);
    ASSERT_EQ(files.setAttributes(path("dst\\Set\\hidden.txt"), attr::hidden | attr::system), Status::ok);

    EXPECT_TRUE(copyFolder(path("src\\Set"), path("dst")).completed());

    EXPECT_EQ(read("dst\\Set\\plain.txt"), "replacement");
    EXPECT_EQ(bits("dst\\Set\\plain.txt") & (attr::readOnly | attr::hidden), 0u);  // the source's
    EXPECT_EQ(read("dst\\Set\\hidden.txt"), "h");
    EXPECT_EQ(bits("dst\\Set\\hidden.txt") & (attr::hidden | attr::system | attr::readOnly), attr::hidden);
    EXPECT_TRUE(temporaries("dst").empty());
}

// What the workers verified is what lands: the file stays open, shut to
// everyone else, until the copying thread renames it through its own
// stream. A rename the system refuses (a folder in the way) leaves that
// folder, the file and its bytes as they were, and no temporary behind.
TEST_F(CopyContract, AWrittenFileIsPlacedThroughItsOwnStreamOrLeftWhole) {
    writeFile("d\\source.iff", "new");
    writeFile("d\\in the way\\inside.iff", "inside");
    writeFile("d\\target.iff", "old");
    ASSERT_EQ(files.setAttributes(path("d\\target.iff"), attr::readOnly), Status::ok);
    const std::unique_ptr<platform::CopyIo> io = platform::makeCopyIo(files);
    std::string d;
    ASSERT_EQ(io->native(path("d"), d), Status::ok);
    std::unique_ptr<platform::ReadStream> source;
    ASSERT_EQ(io->openRead(io->join(d, "source.iff"), source, true), Status::ok);

    for (const char* to : {"in the way", "target.iff"}) {
        platform::Temporary temp(*io, io->join(d, platform::copyTemporaryName(1, 1)));
        ASSERT_EQ(temp.create(), Status::ok);
        ASSERT_EQ(temp.stream->write(std::string_view("new")), Status::ok);
        ASSERT_EQ(temp.stream->flush(), Status::ok);
        ASSERT_EQ(temp.stream->finish(source->meta()), Status::ok);
#ifdef _WIN32
        std::unique_ptr<platform::ReadStream> other;
        EXPECT_EQ(io->openRead(temp.path(), other, false), Status::sharingViolation) << to;
#endif
        const Status placed = temp.stream->placeOver(io->join(d, to));
        if (placed == Status::ok) temp.kept();
        EXPECT_EQ(placed == Status::ok, std::string_view(to) == "target.iff") << to;
    }
    source.reset();
    EXPECT_EQ(snapshot(files, path("d")), (Contents{{"in the way", "<dir>"},
                                                   {"in the way\\inside.iff", "inside"},
                                                   {"source.iff", "new"},
                                                   {"target.iff", "new"}}));
    EXPECT_EQ(bits("d\\target.iff") & attr::readOnly, 0u);  // the source's
}

TEST_F(CopyContract, WhatIsMissingIsMadeAndTheFolderStillLandsUnderItsName) {
    // A missing source is made, empty, and lands empty.
    makeFolder("dst");
    EXPECT_TRUE(copyFolder(path("gone\\Downloads"), path("dst")).completed());
    EXPECT_EQ(bits("gone\\Downloads") & attr::directory, attr::directory);

    // Trailing separators on either side change nothing.
    writeFile("src\\Art\\a.bmp", "a");
    copyFolder(path("src\\Art\\"), path("dst"));
    writeFile("src\\Art\\b.bmp", "b");
    copyFolder(path("src\\Art"), path("dst\\"));
    EXPECT_EQ(snapshot(files, path("dst")),
              (Contents{{"Art", "<dir>"}, {"Art\\a.bmp", "a"}, {"Art\\b.bmp", "b"}, {"Downloads", "<dir>"}}));
}

TEST_F(CopyContract, RefusesAFolderIntoItselfOrBelowItAndWritesNothing) {
    writeFile("A\\f.txt", "f");
    makeFolder("A\\sub");
    const std::string into = "Cannot copy A: the destination folder is inside the folder being copied.";

    for (const std::string& to : {path("A"), path("a\\.\\SUB\\\\deeper"), path("A\\sub\\..\\sub/x")}) {
        const CopyOutcome outcome = copyFolder(path("A"), to);
        EXPECT_EQ(report::refusalText(outcome.refusal), into) << to;
    }
    // Nothing made, nothing copied; the pointer is back each time.
    EXPECT_EQ(names("A"), (Names{"f.txt", "sub"}));
    EXPECT_TRUE(names("A\\sub").empty());
    EXPECT_EQ(pointer.current(), Pointer::normal);

    // Onto itself: into the folder that holds it.
    const CopyOutcome onto = copyFolder(path("A"), path(""));
    EXPECT_EQ(report::refusalText(onto.refusal), "Cannot copy A: the source and destination are the same folder.");
    EXPECT_EQ(read("A\\f.txt"), "f");
    EXPECT_TRUE(messages.shown.empty());
}

// The checks of a run ask where folders really are through the file
// service the run was given, a wrapped one too (tests, the driver).
TEST_F(CopyContract, WhereAPathLiesIsAskedThroughTheServiceGiven) {
    makeFolder("game\\UserData");
    makeFolder("game2");
    RecordingFileSystem wrapped(files);
    EXPECT_TRUE(platform::liesWithin(wrapped, path("game\\UserData\\not yet\\made"), path("game")));
    EXPECT_TRUE(platform::liesWithin(wrapped, path("game"), path("game")));
    EXPECT_FALSE(platform::liesWithin(wrapped, path("game2"), path("game")));
    EXPECT_FALSE(platform::liesWithin(wrapped, path("game"), path("game\\UserData")));
    EXPECT_FALSE(platform::liesWithin(wrapped, path("game\\x"), path("missing")));
    // The drive table changes between two reads (Wine refreshes its own at
    // most once a second): the answer still comes from one view of it.
    struct StaleOnce final : platform::ForwardingIo {
        using ForwardingIo::ForwardingIo;
        bool stale = true;
        platform::Status realPath(const std::string& p, std::string& out) override {
            const platform::Status s = inner().realPath(p, out);
            if (std::exchange(stale, false)) out += "-as-read-before";
            return s;
        }
    } io(platform::makeCopyIo(files));
    wrapped.io = &io;
    EXPECT_TRUE(platform::liesWithin(wrapped, path("game\\UserData"), path("game")));
}

TEST_F(CopyContract, ASourceThatCannotBeMadeIsRefused) {
    writeFile("file.txt", "not a folder");
    makeFolder("dst");
    const CopyOutcome outcome = copyFolder(path("file.txt\\sub"), path("dst"));
    EXPECT_EQ(outcome.refusal.error, platform::Status::accessDenied);  // a file stands in the way
    EXPECT_EQ(report::refusalText(outcome.refusal), "Cannot copy sub: the folder " + path("file.txt\\sub") + " cannot be made.");
    EXPECT_TRUE(names("dst").empty());
    EXPECT_EQ(read("file.txt"), "not a folder");
}

// A write, flush, close or rename that fails part-way leaves the file it
// would have replaced exactly as it was, and no temporary file; the copy
// goes on with the next file and names the failed one. The faults name the
// file they hit, so the copy keeps its worker threads.
TEST_F(CopyContract, AFailedFileLeavesItsOldTargetIntactAndTheRestIsCopied) {
    const std::string big = pattern(3u << 20, 'a');  // three chunks
    const std::string good = pattern(5000, 'g');
    writeFile("src\\Set\\big.iff", big);
    writeFile("src\\Set\\next.iff", "next");
    writeFile("dst\\Set\\big.iff", good);

    struct Case {
        FileOp op;
        int n;
        Status error;
        CopyReason reason;
        int times = 1;  // calls in a row that fail
    };
    for (const Case& c : {Case{FileOp::write, 2, Status::diskFull, CopyReason::diskFull},
                          Case{FileOp::flush, 1, Status::ioError, CopyReason::writeError},
                          Case{FileOp::close, 1, Status::ioError, CopyReason::writeError},  // times, attributes
                          Case{FileOp::rename, 1, Status::accessDenied, CopyReason::accessDenied},
                          // Held by another program through every retry.
                          Case{FileOp::open, 2, Status::sharingViolation, CopyReason::inUse, 1 + platform::kSharingRetries},
                          Case{FileOp::read, 8, Status::ioError, CopyReason::readError}}) {  // the read-back
        files.removeFile(path("dst\\Set\\next.iff"));
        for (int k = 0; k < c.times; ++k) faults.failNth(c.op, c.n + k, c.error, "BIG.IFF");
        ASSERT_FALSE(faults.needsOneThread());
        const CopyOutcome outcome = copyFolder(path("src\\Set"), path("dst"));
        EXPECT_EQ(failed(outcome), (Failed{{path("src\\Set\\big.iff"), c.reason}}));
        EXPECT_EQ(read("dst\\Set\\big.iff"), good) << static_cast<int>(c.op);
        EXPECT_EQ(read("dst\\Set\\next.iff"), "next");
        EXPECT_TRUE(temporaries("dst").empty());
        ASSERT_EQ(outcome.digests.size(), 1u);
        EXPECT_EQ(outcome.digests[0].path, "Set\\next.iff");
    }

    // Held only for a moment (twice): the retries get the file through.
    for (int k = 0; k < 2; ++k) faults.failNth(FileOp::open, 2 + k, Status::sharingViolation, "big.iff");
    faults.failNth(FileOp::rename, 1, Status::sharingViolation, "big.iff");
    files.removeFile(path("dst\\Set\\next.iff"));
    const CopyOutcome held = copyFolder(path("src\\Set"), path("dst"));
    EXPECT_TRUE(held.completed()) << describe(held);
    EXPECT_EQ(read("dst\\Set\\big.iff"), big);
    writeFile("dst\\Set\\big.iff", good);

    // A read that fails on one file: the rest of its folder still comes.
    writeFile("src\\Set\\zzz.iff", "last");
    faults.failNth(FileOp::read, 1, Status::ioError, "big.iff");
    const CopyOutcome outcome = copyFolder(path("src\\Set"), path("dst"));
    EXPECT_EQ(failed(outcome), (Failed{{path("src\\Set\\big.iff"), CopyReason::readError}}));
    EXPECT_EQ(read("dst\\Set\\big.iff"), good);
    EXPECT_EQ(read("dst\\Set\\zzz.iff"), "last");

    // Bytes that reach the medium changed are caught by the read-back.
    faults.corruptNthWrite(3, "big.iff");
    const CopyOutcome corrupted = copyFolder(path("src\\Set"), path("dst"));
    EXPECT_EQ(failed(corrupted), (Failed{{path("src\\Set\\big.iff"), CopyReason::differs}}));
    EXPECT_EQ(read("dst\\Set\\big.iff"), good);
    EXPECT_TRUE(temporaries("dst").empty());

    // A temporary file that cannot be removed stays until the next copy
    // clears it; the old file is untouched meanwhile.
    faults.failNth(FileOp::write, 1, Status::diskFull, "big.iff");
    faults.failNth(FileOp::remove, 1, Status::sharingViolation, "big.iff");
    EXPECT_EQ(copyFolder(path("src\\Set"), path("dst")).failures.size(), 1u);
    EXPECT_EQ(read("dst\\Set\\big.iff"), good);
    EXPECT_EQ(temporaries("dst").size(), 1u);

    // Everything in place but not made durable: the copy says so.
    faults.failNth(FileOp::sync, 1, Status::ioError);
    const CopyOutcome unsynced = copyFolder(path("src\\Set"), path("dst"));
    EXPECT_EQ(failed(unsynced), (Failed{{path("src\\Set"), CopyReason::writeError}}));
    EXPECT_EQ(read("dst\\Set\\big.iff"), big);
    EXPECT_TRUE(temporaries("dst").empty());

    // With nothing failing, a second copy finds every file the same and
    // writes none.
    const CopyOutcome again = copyFolder(path("src\\Set"), path("dst"));
    EXPECT_EQ(again.files, 0u);
    ASSERT_EQ(again.digests.size(), 3u);
    EXPECT_EQ(again.digests[0].path, "Set\\big.iff");
}

// A replaced file is kept, under its path, where the caller asks; added and
// identical files are not, nor anything in a folder that cannot be listed.
// A failure between keeping and replacing never leaves the destination
// without its file. A kept file that is a second name of the old one
// shares its attributes: replacing or removing one name leaves the bits of
// the other as they were.
TEST_F(CopyContract, ReplacedFilesAreKeptAndNeverLostBetweenKeepingAndReplacing) {
    writeFile("src\\Set\\sub\\a.iff", "new a");
    writeFile("src\\Set\\b.iff", "same");
    writeFile("src\\Set\\z.iff", "added");
    writeFile("src\\Set\\sub\\deeper\\c.iff", "c");
    writeFile("dst\\Set\\sub\\deeper\\c.iff", "c");
    writeFile("dst\\Set\\sub\\a.iff", "old a");
    writeFile("dst\\Set\\b.iff", "same");
    ASSERT_EQ(files.setAttributes(path("src\\Set\\sub\\a.iff"), attr::hidden), Status::ok);
    ASSERT_EQ(files.setAttributes(path("dst\\Set\\sub\\a.iff"), attr::readOnly), Status::ok);
    const auto dosBits = [&](const std::string& relative) {
        return bits(relative) & (attr::readOnly | attr::hidden | attr::system);
    };
    platform::CopyOptions keep;
    keep.keepReplacedIn = path("keep\\Set");

    // Kept by a second name (hard link), then the new file's rename fails;
    // without links, moved and moved back; the move itself fails.
    auto copier = folderCopier();
    for (const auto& [first, n] : {std::pair{FileOp::rename, 1}, {FileOp::hardLink, 1}, {FileOp::hardLink, 2}}) {
        if (first == FileOp::hardLink) faults.failNth(FileOp::hardLink, 1, Status::accessDenied, "a.iff");
        faults.failNth(FileOp::rename, n, Status::accessDenied, "a.iff");
        const CopyOutcome once = MFile::CopyFolder(services, *copier, path("src\\Set"), path("dst"), keep);
        EXPECT_EQ(failed(once), (Failed{{path("src\\Set\\sub\\a.iff"), CopyReason::accessDenied}})) << n;
        EXPECT_EQ(read("dst\\Set\\sub\\a.iff"), "old a");
        EXPECT_EQ(dosBits("dst\\Set\\sub\\a.iff"), attr::readOnly);
        EXPECT_FALSE(exists("keep\\Set\\sub\\a.iff"));
        EXPECT_TRUE(temporaries("dst").empty());
        files.removeFile(path("dst\\Set\\z.iff"));
    }

    const CopyOutcome outcome = MFile::CopyFolder(services, *copier, path("src\\Set"), path("dst"), keep);
    EXPECT_TRUE(outcome.completed()) << describe(outcome);
    EXPECT_EQ(outcome.kept, 1u);
    EXPECT_EQ(read("dst\\Set\\sub\\a.iff"), "new a");
    EXPECT_EQ(dosBits("dst\\Set\\sub\\a.iff"), attr::hidden);  // the source's
    EXPECT_EQ(read("keep\\Set\\sub\\a.iff"), "old a");
    EXPECT_EQ(dosBits("keep\\Set\\sub\\a.iff"), attr::readOnly);
    EXPECT_EQ(names("keep\\Set"), Names{"sub"});

    // A target folder that cannot be listed might hold any file: nothing
    // below it is replaced or kept, and each file that would go there is
    // named. Lists: the three source folders, then dst\Set, dst\Set\sub.
    ASSERT_EQ(files.setAttributes(path("src\\Set\\sub\\a.iff"), 0), Status::ok);  // hidden: not rewritten
    writeFile("src\\Set\\sub\\a.iff", "newer a");
    writeFile("src\\Set\\b.iff", "new b");
    writeFile("src\\Set\\sub\\deeper\\c.iff", "new c");
    keep.keepReplacedIn = path("keep2\\Set");
    faults.failNth(FileOp::list, 5, Status::accessDenied);
    const CopyOutcome unlisted = MFile::CopyFolder(services, *copier, path("src\\Set"), path("dst"), keep);
    EXPECT_EQ(failed(unlisted), (Failed{{path("src\\Set\\sub\\a.iff"), CopyReason::targetUnlisted},
                                        {path("src\\Set\\sub\\deeper\\c.iff"), CopyReason::targetUnlisted}}));
    EXPECT_EQ(read("dst\\Set\\sub\\a.iff"), "new a");
    EXPECT_EQ(read("dst\\Set\\sub\\deeper\\c.iff"), "c");
    EXPECT_EQ(read("dst\\Set\\b.iff"), "new b");
    EXPECT_EQ(snapshot(files, path("keep2\\Set")), (Contents{{"b.iff", "same"}}));
    EXPECT_TRUE(temporaries("dst").empty());
}

// A kept file never replaces one kept before it under the same name, and a
// kept file that was moved (no hard links) goes back when the new one
// cannot take its place; one that cannot go back either is named.
TEST_F(CopyContract, AKeptFileIsNeverLostWhetherItsNameIsTakenOrItCannotGoBack) {
    writeFile("src\\Set\\a.iff", "new a");
    writeFile("keep\\Set\\a.iff", "kept earlier");
    platform::CopyOptions keep;
    keep.keepReplacedIn = path("keep\\Set");
    auto copier = folderCopier();
    const auto restore = [&](const std::string& old) {
        writeFile("dst\\Set\\a.iff", old);
        return MFile::CopyFolder(services, *copier, path("src\\Set"), path("dst"), keep);
    };

    EXPECT_TRUE(restore("old a").completed());  // a second name, by hard link
    for (int n = 1; n <= 3; ++n) faults.failNth(FileOp::hardLink, n, Status::accessDenied);
    EXPECT_TRUE(restore("old a, again").completed());  // moved
    EXPECT_EQ(snapshot(files, path("keep\\Set")),
              (Contents{{"a (2).iff", "old a"}, {"a (3).iff", "old a, again"}, {"a.iff", "kept earlier"}}));
    EXPECT_EQ(read("dst\\Set\\a.iff"), "new a");

    // Neither linked nor moved (rename 1 fails), or moved and not put in
    // place (rename 2): the file stays, or goes back, and says why.
    keep.keepReplacedIn = path("keep2\\Set");
    for (int failing : {1, 2}) {
        faults.failNth(FileOp::hardLink, 1, Status::accessDenied);
        faults.failNth(FileOp::rename, failing, Status::diskFull);
        const CopyOutcome back = restore("old b");
        EXPECT_EQ(failed(back), (Failed{{path("src\\Set\\a.iff"), CopyReason::diskFull}}));
        EXPECT_EQ(read("dst\\Set\\a.iff"), "old b");
        EXPECT_TRUE(names("keep2\\Set").empty());
        EXPECT_EQ(back.kept, 0u);
        EXPECT_TRUE(back.stranded.empty());
    }

    // Nor back (3): the file is only in the keep folder, and said so.
    keep.keepReplacedIn = path("keep3\\Set");
    faults.failNth(FileOp::hardLink, 1, Status::accessDenied);
    faults.failNth(FileOp::rename, 2, Status::diskFull);
    faults.failNth(FileOp::rename, 3, Status::accessDenied);
    const CopyOutcome stranded = restore("old c");
    EXPECT_FALSE(exists("dst\\Set\\a.iff"));
    EXPECT_EQ(read("keep3\\Set\\a.iff"), "old c");
    EXPECT_EQ(stranded.kept, 1u);
    ASSERT_EQ(stranded.stranded.size(), 1u);
    EXPECT_EQ(stranded.stranded[0].path, path("dst\\Set\\a.iff"));
    EXPECT_EQ(stranded.stranded[0].keptAs, path("keep3\\Set\\a.iff"));
    EXPECT_TRUE(temporaries("dst").empty());
}

// The manifest vouches for every file below the sets, those no copy wrote
// too, and a manifest that names places outside the folder is not read at
// all. What a check finds missing or changed is the verified-backups
// scenario's.
TEST_F(CopyContract, AManifestListsEveryFileBelowTheSetsAndIsReplacedOnlyWhole) {
    writeFile("bk\\UserData\\Houses\\House01.iff", "house");
    writeFile("bk\\Downloads\\Sofa.far", "sofa");
    writeFile("bk\\Photos\\Beach.jpg", "not a set");
    auto copier = folderCopier();
    ASSERT_TRUE(copier->writeManifest(path("bk"), {"UserData", "Downloads"}, {}, path("bk\\Sims.sha256")));
    const std::string text = *read("bk\\Sims.sha256");
    auto digest = [](const std::string& bytes) { return platform::hexText(sha256Of(bytes)); };
    EXPECT_EQ(text, digest("sofa") + "  Downloads/Sofa.far\n" + digest("house") + "  UserData/Houses/House01.iff\n");
    EXPECT_EQ(copier->verify(path("bk"), path("bk\\Sims.sha256")).ok, 2u);

    // A manifest that cannot be written or put in place leaves the one
    // there as it was.
    for (FileOp op : {FileOp::write, FileOp::rename}) {
        faults.failNth(op, 1, Status::diskFull);
        EXPECT_FALSE(copier->writeManifest(path("bk"), {"Downloads"}, {}, path("bk\\Sims.sha256")));
        EXPECT_EQ(read("bk\\Sims.sha256"), text);
        EXPECT_TRUE(temporaries("bk").empty());
    }
    // Nor does one that could not list a folder of the backup (Houses).
    faults.failNth(FileOp::list, 2, Status::accessDenied);
    EXPECT_FALSE(copier->writeManifest(path("bk"), {"UserData", "Downloads"}, {}, path("bk\\Sims.sha256")));
    EXPECT_EQ(read("bk\\Sims.sha256"), text);

    writeFile("bk\\evil.sha256", text.substr(0, 64) + "  ../Game/Sims.exe\n");
    EXPECT_TRUE(copier->verify(path("bk"), path("bk\\evil.sha256")).unreadableManifest);
}

TEST_F(CopyContract, TooLittleRoomRefusesBeforeAnythingIsWritten) {
    writeFile("src\\Set\\a.iff", pattern(300000, 'a'));
    writeFile("src\\Set\\sub\\b.iff", pattern(200000, 'b'));
    makeFolder("dst");
    faults.limitFreeSpace(1500000);
    const CopyOutcome outcome = copyFolder(path("src\\Set"), path("dst"));
    // Both files in 4 KB clusters (74 and 49), the largest again, and 1 MB.
    EXPECT_EQ(outcome.refusal.need, (74u + 49u + 74u) * 4096u + (1u << 20));
    EXPECT_EQ(report::refusalText(outcome.refusal), path("").substr(0, 3) + " has 1.4 MB free; this copy needs 1.8 MB.");
    EXPECT_TRUE(names("dst").empty());

    // What replacing same-named files frees counts, once: 1.7 MB less 100 KB.
    writeFile("dst\\Set\\a.iff", pattern(100000, 'x'));
    faults.limitFreeSpace(1700000);
    EXPECT_EQ(report::refusalText(copyFolder(path("src\\Set"), path("dst")).refusal),
              path("").substr(0, 3) + " has 1.6 MB free; this copy needs 1.7 MB.");
    EXPECT_EQ(read("dst\\Set\\a.iff"), pattern(100000, 'x'));
}

// A run measures its copies before any is written: the measure writes
// nothing, and the need it gives is what the copy really checks; kept
// replaced files stay on the drive and free nothing. Copies onto one drive
// are checked together.
TEST_F(CopyContract, MeasureWritesNothingAndTellsWhatTheCopiesNeedTogether) {
    writeFile("src\\Set\\a.iff", pattern(300000, 'a'));
    writeFile("src\\Set\\sub\\b.iff", pattern(200000, 'b'));
    writeFile("src\\Other\\c.iff", pattern(100000, 'c'));
    writeFile("dst\\Set\\a.iff", pattern(100000, 'x'));
    writeFile("dst\\Set\\" + platform::copyTemporaryName(0x5eed, 1), "left by a power cut");
    platform::CopyOptions keep;
    keep.keepReplacedIn = path("keep\\Set");
    auto copier = folderCopier();
    const auto before = snapshot(files, path(""));

    const platform::RoomNeed set = copier->measure(path("src\\Set"), path("dst"));
    const platform::RoomNeed kept = copier->measure(path("src\\Set"), path("dst"), keep);
    const platform::RoomNeed other = copier->measure(path("src\\Other"), path("dst2"));

    EXPECT_TRUE(snapshot(files, path("")) == before);
    EXPECT_EQ(set.write, 303104u + 200704u);  // whole clusters
    EXPECT_EQ(set.freed, 102400u);
    EXPECT_EQ(set.largest, 303104u);
    EXPECT_EQ(kept.freed, 0u);
    EXPECT_EQ(set.volume, other.volume);
    ASSERT_TRUE(set.free && other.free);

    // Each copy needs what its measure says, to the byte.
    const auto needOf = [](platform::RoomNeed n) {
        n.free = 0;
        return platform::roomShort({n})->need;
    };
    faults.limitFreeSpace(needOf(kept) - 1);
    EXPECT_EQ(MFile::CopyFolder(services, *copier, path("src\\Set"), path("dst"), keep).result,
              CopyOutcome::Result::refused);
    faults.limitFreeSpace(needOf(set) - 1);
    EXPECT_EQ(copyFolder(path("src\\Set"), path("dst")).result, CopyOutcome::Result::refused);
    EXPECT_EQ(read("dst\\Set\\a.iff"), pattern(100000, 'x'));
    EXPECT_FALSE(exists("keep"));

    // Two copies that fit alone but not together.
    const std::uint64_t roomy = std::max(needOf(set), needOf(other));
    platform::RoomNeed one = set, two = other;
    one.free = two.free = roomy;
    EXPECT_FALSE(platform::roomShort({one}));
    EXPECT_FALSE(platform::roomShort({two}));
    const auto both = platform::roomShort({one, two});
    ASSERT_TRUE(both);
    EXPECT_EQ(both->need, needOf(set) + other.write);  // the largest file and the margin count once
    EXPECT_EQ(both->volumeText, set.volumeText);

    faults.limitFreeSpace(needOf(set));
    EXPECT_TRUE(copyFolder(path("src\\Set"), path("dst")).completed());
    EXPECT_EQ(read("dst\\Set\\sub\\b.iff"), pattern(200000, 'b'));
}

// The title, the answer as it is and Cancel are the restore-navigation scenario's.
TEST(ShowOpenDialog, AsksWithTheFilterListBuiltFromBarsAndTheDefaultExtension) {
    // Every bar becomes a NUL and one more ends the list (with the NUL that
    // ends the text as the system reads it).
    const std::string list = MFile::BuildFilter("Backup files BAK|*.BAK");
    EXPECT_EQ(std::string(list.c_str(), list.size() + 1), std::string("Backup files BAK\0*.BAK\0\0", 24));
    const std::string lone = MFile::BuildFilter("Everything");
    EXPECT_EQ(std::string(lone.c_str(), lone.size() + 1), std::string("Everything\0\0", 12));
    EXPECT_EQ(MFile::BuildFilter("A|*.a|B|*.b"), std::string("A\0*.a\0B\0*.b\0", 12));

    drive::ScriptedDialogs dialogs;
    MFile::ShowOpenDialog(dialogs, "Open", "Backup files BAK|*.BAK");
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].filter, list);
    EXPECT_EQ(dialogs.openRequests[0].defaultExtension, ".BAK");
}

}  // namespace
}  // namespace orr::test

// The folder copy as the game data sets use it (MFile::CopyFolder over the
// OS's own copy): where the copy lands, merging, replacing, making what is
// missing, the copies that are refused, and what each failure leaves.
#include "copy_fixture.h"

#include "platform/error.h"
#include "platform/file_workers.h"
#include "platform/sha256.h"
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

platform::Digest sha256Of(const std::string& bytes) {
    auto sha = platform::makeSha256();
    sha->update(bytes);
    return sha->finish();
}

TEST_F(CopyContract, LandsUnderItsOwnNameAndMergesWithWhatIsThere) {
    writeFile("Game\\UserData\\a.txt", "new a");
    writeFile("Game\\UserData\\Houses\\House01.iff", "house");
    writeFile("Backup\\UserData\\a.txt", "old a, longer than the new one");
    writeFile("Backup\\UserData\\only-here.txt", "stays");

    const CopyOutcome outcome = copyFolder(path("Game\\UserData"), path("Backup"));

    EXPECT_TRUE(outcome.completed());
    EXPECT_EQ(outcome.files, 2u);
    EXPECT_EQ(read("Backup\\UserData\\a.txt"), "new a");
    EXPECT_EQ(read("Backup\\UserData\\Houses\\House01.iff"), "house");
    EXPECT_EQ(read("Backup\\UserData\\only-here.txt"), "stays");
    EXPECT_EQ(names("Backup"), Names{"UserData"});
    EXPECT_EQ(read("Game\\UserData\\a.txt"), "new a");  // the source is untouched
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(pointer.sets, (std::vector<Pointer>{Pointer::hourglass, Pointer::normal}));

    // Folders whose names differ in letter case are the same: they keep
    // their names and nothing is doubled.
    writeFile("src\\Skins\\Sub\\new.bmp", "n");
    writeFile("dst\\SKINS\\sub\\NEW.BMP", "old");
    EXPECT_TRUE(copyFolder(path("src\\Skins"), path("dst")).completed());
    EXPECT_EQ(names("dst"), Names{"SKINS"});
    EXPECT_EQ(names("dst\\SKINS"), Names{"sub"});
    EXPECT_EQ(names("dst\\SKINS\\sub"), Names{"NEW.BMP"});
    EXPECT_EQ(read("dst\\SKINS\\sub\\NEW.BMP"), "n");

    // What a power cut left of an earlier copy is cleared.
    writeFile("dst\\SKINS\\sub\\~orrindale-7.tmp", "half");
    EXPECT_TRUE(copyFolder(path("src\\Skins"), path("dst")).completed());
    EXPECT_EQ(names("dst\\SKINS\\sub"), Names{"NEW.BMP"});
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

    ASSERT_EQ(outcome.failures.size(), 2u) << describe(outcome);
    EXPECT_EQ(outcome.failures[0].path, path("S\\" + name(40)));
    EXPECT_EQ(outcome.failures[1].path, path("S\\" + name(120)));
    ASSERT_EQ(outcome.digests.size(), count - 2u);
    for (int i = 0, at = 0; i < count; ++i) {
        if (i == 40 || i == 120) continue;
        const std::string bytes = pattern(1 + i * 997 % 70000, static_cast<char>(i));
        EXPECT_EQ(outcome.digests[at].path, "S\\" + name(i));
        EXPECT_EQ(outcome.digests[at++].digest, sha256Of(bytes));
        EXPECT_EQ(read("D\\S\\" + name(i)), bytes) << name(i);
    }
    EXPECT_EQ(outcome.files, count - 2u);
    EXPECT_TRUE(temporaries("D").empty());
}

// Threaded, results come back in the order jobs went in, whichever worker
// ends first; what is cancelled or never taken leaves no temporary behind.
TEST_F(CopyContract, WorkersAnswerInOrderAndLeaveNoTemporaryWhenCancelled) {
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
            const auto r = workers.take(std::chrono::hours(1));
            ASSERT_TRUE(r && r->kind == platform::FileResult::Kind::copied);
            EXPECT_EQ(r->digest, sha256Of(contents[i])) << i;
            EXPECT_EQ(read("w\\~orrindale-" + std::to_string(i) + ".tmp"), contents[i]);
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
// through: root writes a read-only file anyway.
TEST_F(CopyContract, ReplacesReadOnlyFilesAndKeepsAttributesAndTimes) {
    writeFile("src\\Set\\plain.txt", "replacement");
    writeFile("src\\Set\\hidden.txt", "h");
    writeFile("src\\Set\\locked.txt", "l");
    ASSERT_EQ(files.setAttributes(path("src\\Set\\hidden.txt"), attr::hidden), Status::ok);
    ASSERT_EQ(files.setAttributes(path("src\\Set\\locked.txt"), attr::readOnly), Status::ok);
    const platform::DateTime when{2003, 4, 5, 6, 7, 8};
    ASSERT_EQ(files.setModified(path("src\\Set\\plain.txt"), when), Status::ok);
    writeFile("dst\\Set\\plain.txt", "read-only original");
    writeFile("dst\\Set\\hidden.txt", "a hidden, system original");
    ASSERT_EQ(files.setAttributes(path("dst\\Set\\plain.txt"), attr::readOnly), Status::ok);
    ASSERT_EQ(files.setAttributes(path("dst\\Set\\hidden.txt"), attr::hidden | attr::system), Status::ok);

    EXPECT_TRUE(copyFolder(path("src\\Set"), path("dst")).completed());

    EXPECT_EQ(read("dst\\Set\\plain.txt"), "replacement");
    EXPECT_EQ(bits("dst\\Set\\plain.txt") & (attr::readOnly | attr::hidden), 0u);  // the source's
    EXPECT_EQ(files.modified(path("dst\\Set\\plain.txt")), when);
    EXPECT_EQ(read("dst\\Set\\hidden.txt"), "h");
    EXPECT_EQ(bits("dst\\Set\\hidden.txt") & (attr::hidden | attr::system | attr::readOnly), attr::hidden);
    EXPECT_EQ(read("dst\\Set\\locked.txt"), "l");
    EXPECT_EQ(bits("dst\\Set\\locked.txt") & (attr::readOnly | attr::hidden), attr::readOnly);
    EXPECT_TRUE(temporaries("dst").empty());
}

TEST_F(CopyContract, WhatIsMissingIsMadeAndTheFolderStillLandsUnderItsName) {
    // A missing source is made, empty, and lands empty.
    makeFolder("dst");
    EXPECT_TRUE(copyFolder(path("gone\\Downloads"), path("dst")).completed());
    EXPECT_EQ(bits("gone\\Downloads") & attr::directory, attr::directory);
    EXPECT_EQ(bits("dst\\Downloads") & attr::directory, attr::directory);
    EXPECT_TRUE(names("dst\\Downloads").empty());

    // A missing destination is made and the folder lands inside it: a
    // restore into a game without ExpansionShared must still put SkinsBuy
    // under its own name.
    writeFile("src\\Music\\song.mp3", "la");
    EXPECT_TRUE(copyFolder(path("src\\Music"), path("new\\deeper")).completed());
    EXPECT_EQ(read("new\\deeper\\Music\\song.mp3"), "la");
    EXPECT_FALSE(exists("new\\deeper\\song.mp3"));

    // Trailing separators on either side change nothing.
    writeFile("src\\Art\\a.bmp", "a");
    copyFolder(path("src\\Art\\"), path("dst"));
    writeFile("src\\Art\\b.bmp", "b");
    copyFolder(path("src\\Art"), path("dst\\"));
    EXPECT_EQ(names("dst\\Art"), (Names{"a.bmp", "b.bmp"}));
    EXPECT_EQ(names("dst"), (Names{"Art", "Downloads"}));

    // A folder beside the source with a longer name is no subfolder of it.
    EXPECT_TRUE(copyFolder(path("src\\Art"), path("src\\Art2")).completed());
    EXPECT_EQ(read("src\\Art2\\Art\\a.bmp"), "a");
}

TEST_F(CopyContract, RefusesAFolderIntoItselfOrBelowItAndWritesNothing) {
    writeFile("A\\f.txt", "f");
    makeFolder("A\\sub");
    const std::string into = "Cannot copy A: the destination folder is inside the folder being copied.";

    for (const std::string& to : {path("A"), path("a\\.\\SUB\\\\deeper"), path("A\\sub\\..\\sub/x")}) {
        const CopyOutcome outcome = copyFolder(path("A"), to);
        EXPECT_EQ(outcome.result, CopyOutcome::Result::refused) << to;
        EXPECT_EQ(outcome.refusal, into) << to;
    }
    // Nothing made, nothing copied; the pointer is back each time.
    EXPECT_EQ(names("A"), (Names{"f.txt", "sub"}));
    EXPECT_TRUE(names("A\\sub").empty());
    EXPECT_EQ(pointer.current(), Pointer::normal);

    // Onto itself: into the folder that holds it.
    const CopyOutcome onto = copyFolder(path("A"), path(""));
    EXPECT_EQ(onto.refusal, "Cannot copy A: the source and destination are the same folder.");
    EXPECT_EQ(read("A\\f.txt"), "f");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CopyContract, ASourceThatCannotBeMadeIsRefused) {
    writeFile("file.txt", "not a folder");
    makeFolder("dst");
    const CopyOutcome outcome = copyFolder(path("file.txt\\sub"), path("dst"));
    EXPECT_EQ(outcome.result, CopyOutcome::Result::refused);
    EXPECT_EQ(outcome.refusal, "Cannot copy sub: the folder " + path("file.txt\\sub") + " cannot be made.");
    EXPECT_TRUE(names("dst").empty());
    EXPECT_EQ(read("file.txt"), "not a folder");
    EXPECT_EQ(pointer.current(), Pointer::normal);
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
    };
    for (const Case& c : {Case{FileOp::write, 2, Status::diskFull, CopyReason::diskFull},
                          Case{FileOp::flush, 1, Status::ioError, CopyReason::writeError},
                          Case{FileOp::close, 1, Status::ioError, CopyReason::writeError},  // times, attributes
                          Case{FileOp::rename, 1, Status::accessDenied, CopyReason::accessDenied},
                          Case{FileOp::open, 2, Status::sharingViolation, CopyReason::inUse},
                          Case{FileOp::read, 8, Status::ioError, CopyReason::readError}}) {  // the read-back
        files.removeFile(path("dst\\Set\\next.iff"));
        faults.failNth(c.op, c.n, c.error, "BIG.IFF");
        ASSERT_FALSE(faults.needsOneThread());
        const CopyOutcome outcome = copyFolder(path("src\\Set"), path("dst"));
        EXPECT_EQ(outcome.result, CopyOutcome::Result::failed);
        ASSERT_EQ(outcome.failures.size(), 1u);
        EXPECT_EQ(outcome.failures[0].path, path("src\\Set\\big.iff"));
        EXPECT_EQ(outcome.failures[0].reason, c.reason);
        EXPECT_EQ(read("dst\\Set\\big.iff"), good) << static_cast<int>(c.op);
        EXPECT_EQ(read("dst\\Set\\next.iff"), "next");
        EXPECT_TRUE(temporaries("dst").empty());
    }

    // A read that fails on one file: the rest of its folder still comes.
    writeFile("src\\Set\\zzz.iff", "last");
    faults.failNth(FileOp::read, 1, Status::ioError, "big.iff");
    const CopyOutcome outcome = copyFolder(path("src\\Set"), path("dst"));
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].path, path("src\\Set\\big.iff"));
    EXPECT_EQ(outcome.failures[0].reason, CopyReason::readError);
    EXPECT_EQ(read("dst\\Set\\big.iff"), good);
    EXPECT_EQ(read("dst\\Set\\zzz.iff"), "last");
    EXPECT_EQ(outcome.files, 1u);      // zzz.iff
    EXPECT_EQ(outcome.unchanged, 1u);  // next.iff held the same bytes already

    // Bytes that reach the medium changed are caught by the read-back.
    faults.corruptNthWrite(3, "big.iff");
    const CopyOutcome corrupted = copyFolder(path("src\\Set"), path("dst"));
    ASSERT_EQ(corrupted.failures.size(), 1u);
    EXPECT_EQ(corrupted.failures[0].reason, CopyReason::differs);
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
    EXPECT_EQ(unsynced.result, CopyOutcome::Result::failed);
    ASSERT_EQ(unsynced.failures.size(), 1u);
    EXPECT_EQ(unsynced.failures[0].path, path("src\\Set"));
    EXPECT_EQ(unsynced.failures[0].reason, CopyReason::writeError);
    EXPECT_EQ(read("dst\\Set\\big.iff"), big);
    EXPECT_TRUE(temporaries("dst").empty());

    // With nothing failing, a second copy finds every file the same and
    // writes none.
    const CopyOutcome again = copyFolder(path("src\\Set"), path("dst"));
    EXPECT_EQ(again.files, 0u);
    EXPECT_EQ(again.unchanged, 3u);
    ASSERT_EQ(again.digests.size(), 3u);
    EXPECT_EQ(again.digests[0].path, "Set\\big.iff");
}

// A replaced file is kept, under its path, where the caller asks; added and
// identical files are not. A failure between keeping and replacing never
// leaves the destination without its file. A kept file that is a second
// name of the old one shares its attributes: replacing or removing one
// name leaves the bits of the other as they were.
TEST_F(CopyContract, ReplacedFilesAreKeptAndNeverLostBetweenKeepingAndReplacing) {
    writeFile("src\\Set\\sub\\a.iff", "new a");
    writeFile("src\\Set\\b.iff", "same");
    writeFile("src\\Set\\z.iff", "added");
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
    auto copier = shellCopy();
    for (FileOp first : {FileOp::rename, FileOp::hardLink}) {
        for (int n : {1, 2}) {
            if (first == FileOp::rename && n == 2) continue;
            if (first == FileOp::hardLink) faults.failNth(FileOp::hardLink, 1, Status::accessDenied, "a.iff");
            faults.failNth(FileOp::rename, n, Status::accessDenied, "a.iff");
            const CopyOutcome failed = MFile::CopyFolder(services, *copier, path("src\\Set"), path("dst"), keep);
            ASSERT_EQ(failed.failures.size(), 1u) << n;
            EXPECT_EQ(failed.failures[0].path, path("src\\Set\\sub\\a.iff"));
            EXPECT_EQ(read("dst\\Set\\sub\\a.iff"), "old a");
            EXPECT_EQ(dosBits("dst\\Set\\sub\\a.iff"), attr::readOnly);
            EXPECT_FALSE(exists("keep\\Set\\sub\\a.iff"));
            EXPECT_TRUE(temporaries("dst").empty());
            files.removeFile(path("dst\\Set\\z.iff"));
        }
    }

    const CopyOutcome outcome = MFile::CopyFolder(services, *copier, path("src\\Set"), path("dst"), keep);
    EXPECT_TRUE(outcome.completed()) << describe(outcome);
    EXPECT_EQ(outcome.kept, 1u);
    EXPECT_EQ(read("dst\\Set\\sub\\a.iff"), "new a");
    EXPECT_EQ(dosBits("dst\\Set\\sub\\a.iff"), attr::hidden);  // the source's
    EXPECT_EQ(read("keep\\Set\\sub\\a.iff"), "old a");
    EXPECT_EQ(dosBits("keep\\Set\\sub\\a.iff"), attr::readOnly);
    EXPECT_EQ(names("keep\\Set"), Names{"sub"});
}

// The manifest vouches for every file below the sets, those no copy wrote
// too, and a manifest that names places outside the folder is not read at
// all. What a check finds missing or changed is the verified-backups
// scenario's.
TEST_F(CopyContract, AManifestListsEveryFileBelowTheSetsAndIsReplacedOnlyWhole) {
    writeFile("bk\\UserData\\Houses\\House01.iff", "house");
    writeFile("bk\\Downloads\\Sofa.far", "sofa");
    writeFile("bk\\Photos\\Beach.jpg", "not a set");
    auto copier = shellCopy();
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
    EXPECT_EQ(outcome.result, CopyOutcome::Result::refused);
    EXPECT_EQ(outcome.refusal, path("").substr(0, 3) + " has 1.4 MB free; this copy needs 1.8 MB.");
    EXPECT_TRUE(names("dst").empty());

    // What replacing same-named files frees counts.
    writeFile("dst\\Set\\a.iff", pattern(300000, 'x'));
    writeFile("dst\\Set\\sub\\b.iff", pattern(200000, 'y'));
    EXPECT_TRUE(copyFolder(path("src\\Set"), path("dst")).completed());
    EXPECT_EQ(read("dst\\Set\\a.iff"), pattern(300000, 'a'));
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

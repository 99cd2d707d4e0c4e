// The file-system service's observable results, the same cases on every
// layer. Where Wine is known to differ from Windows the case says so.
#include "support/test_files.h"
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orr {
namespace {

namespace attr = platform::attr;
using platform::DateTime;
using platform::DirEntry;
using platform::Status;

class FileSystemTest : public ::testing::Test {
protected:
    test::TestRoot root;
    std::unique_ptr<platform::FileSystem> fs = platform::makeFileSystem(root.options());

    std::string at(const std::string& relative) const { return root.path(relative); }

    void put(const std::string& relative, const std::string& bytes) { test::writeFile(*fs, at(relative), bytes); }

    // What a file set to `bits` reports: Wine keeps no archive bit, so a
    // file there always shows it.
    static std::uint32_t fileBits(std::uint32_t bits) {
        return test::runningOnWine() ? bits | attr::archive : bits;
    }

    std::vector<std::string> names(const std::string& pattern) {
        std::vector<std::string> out;
        for (const DirEntry& e : fs->list(at(pattern))) out.push_back(e.name);
        return out;
    }
};

TEST_F(FileSystemTest, ExistsForFilesAndFoldersWithoutRegardToCase) {
    put("File.txt", "x");
    ASSERT_EQ(fs->makeDirectory(at("Folder")), Status::ok);
    for (const char* p : {"File.txt", "FILE.TXT", "folder", "Folder\\", "Folder/", "Folder\\..\\file.txt", ""})
        EXPECT_TRUE(fs->exists(at(p))) << p;
    // A file is no folder; wildcards match nothing.
    for (const char* p : {"File.txt\\", "*.txt", "F?le.txt", "missing.txt", "missing\\File.txt"})
        EXPECT_FALSE(fs->exists(at(p))) << p;
    EXPECT_FALSE(fs->exists(""));
}

TEST_F(FileSystemTest, TheLastNameLosesItsClosingSpacesAndDotsAsThePlatformParsesPaths) {
    ASSERT_EQ(fs->makeDirectory(at("bk")), Status::ok);
    put("bk\\f.txt", "x");

    // The last name, with no "\\" after it, loses every closing space and dot;
    // one followed by "\\" loses a single closing dot and no space.
    for (const char* p : {"bk ", "bk.", "bk. . ", "bk...", "BK  ", "bk\\f.txt.", "bk\\f.txt ",
                          "bk\\f.txt. .", "bk.\\f.txt", "bk.\\", "bk\\ ", "bk\\...", "bk\\f.txt\\.",
                          "bk\\.. ", "bk\\x\\..", "bk\\x \\..\\f.txt"})
        EXPECT_TRUE(fs->exists(at(p))) << '"' << p << '"';
    for (const char* p : {"bk \\f.txt", "bk \\", "bk\\f .txt", " bk", "bk\\f.txt\\ ", "bk\\f.txt\\..."})
        EXPECT_FALSE(fs->exists(at(p))) << '"' << p << '"';
    // A path of spaces only is refused, not trimmed to the current folder.
    EXPECT_FALSE(fs->exists("   "));
    EXPECT_EQ(fs->attributes(" "), std::nullopt);

    EXPECT_EQ(fs->attributes(at("bk ")), attr::directory);
    EXPECT_EQ(fs->attributes(at("bk.")), attr::directory);
    EXPECT_EQ(fs->attributes(at("bk\\f.txt. ")), attr::archive);
    EXPECT_EQ(fs->attributes(at("bk \\f.txt")), std::nullopt);
    EXPECT_EQ(fs->attributes(at("bk\\f.txt\\ ")), std::nullopt);  // "f.txt\\" names no file
    EXPECT_EQ(fs->size(at("bk\\f.txt ")), 1u);
    EXPECT_EQ(fs->readFile(at("bk\\F.TXT.")), "x");

    // What is made under such a name gets the trimmed one.
    ASSERT_EQ(fs->makeDirectory(at("made. ")), Status::ok);
    put("made\\new.txt ", "y");
    EXPECT_EQ(names("m*"), (std::vector<std::string>{"made"}));
    EXPECT_EQ(names("made\\*.*"), (std::vector<std::string>{"new.txt"}));
    EXPECT_EQ(fs->makeDirectory(at("made..")), Status::alreadyExists);
}

TEST_F(FileSystemTest, SetAttributesReplacesEverySettableBit) {
    put("a.txt", "x");
    ASSERT_EQ(fs->makeDirectory(at("d")), Status::ok);
    // Plain files are archived, plain folders only folders.
    EXPECT_EQ(fs->attributes(at("a.txt")), attr::archive);
    EXPECT_EQ(fs->attributes(at("d")), attr::directory);
    EXPECT_EQ(fs->attributes(at("missing")), std::nullopt);
    EXPECT_EQ(fs->attributes(at("a.txt\\")), std::nullopt);

    const std::pair<std::uint32_t, std::uint32_t> steps[] = {
        // bits set, bits then reported
        // (each bit alone: the tree-remove-wait scenario)
        {attr::readOnly, fileBits(attr::readOnly)},
        {attr::hidden, fileBits(attr::hidden)},  // replaces read-only rather than adding to it
        {attr::hidden | attr::archive | attr::readOnly, attr::hidden | attr::archive | attr::readOnly},
        {0, fileBits(0)},
        {attr::normal, fileBits(0)},
    };
    for (const auto& [set, reported] : steps) {
        ASSERT_EQ(fs->setAttributes(at("a.txt"), set), Status::ok);
        EXPECT_EQ(fs->attributes(at("a.txt")), reported) << set;
    }
    ASSERT_EQ(fs->setAttributes(at("d"), attr::hidden | attr::system), Status::ok);
    EXPECT_EQ(fs->attributes(at("d")), attr::directory | attr::hidden | attr::system);
    ASSERT_EQ(fs->setAttributes(at("d"), 0), Status::ok);
    EXPECT_EQ(fs->attributes(at("d")), attr::directory);

    EXPECT_EQ(fs->setAttributes(at("missing"), attr::hidden), Status::fileNotFound);
    EXPECT_EQ(fs->setAttributes(at("missing\\a.txt"), attr::hidden), Status::pathNotFound);
}

TEST_F(FileSystemTest, ListMatchesWildcardsWithoutRegardToCaseInNameOrder) {
    for (const char* name : {"beta.TXT", "Alpha.txt", "gamma.doc", "noext", "_x.txt"})
        put(name, "x");
    put("secret.txt", "x");
    ASSERT_EQ(fs->setAttributes(at("secret.txt"), attr::hidden), Status::ok);
    ASSERT_EQ(fs->makeDirectory(at("Sub")), Status::ok);

    using Names = std::vector<std::string>;
    // Names are ordered by their upper-case form, so "_" follows the letters.
    EXPECT_EQ(names("*.*"), (Names{"Alpha.txt", "beta.TXT", "gamma.doc", "noext", "secret.txt",
                                   "Sub", "_x.txt"}));
    EXPECT_EQ(names("*"), names("*.*"));
    EXPECT_EQ(names("*.txt"), (Names{"Alpha.txt", "beta.TXT", "secret.txt", "_x.txt"}));
    EXPECT_EQ(names("?AMMA.*"), (Names{"gamma.doc"}));
    EXPECT_EQ(names("noext.*"), (Names{"noext"}));
    EXPECT_EQ(names("NOEXT"), (Names{"noext"}));
    EXPECT_EQ(names("s*"), (Names{"secret.txt", "Sub"}));
    EXPECT_TRUE(names("zz*").empty());
    EXPECT_TRUE(names("missing\\*.*").empty());
    EXPECT_TRUE(names("Sub\\*.*").empty());      // no "." and ".."
    EXPECT_TRUE(fs->list(root.base()).empty());  // a pattern ending in "\" names nothing

    for (const DirEntry& e : fs->list(at("s*")))
        EXPECT_EQ(e.attributes, e.name == "Sub" ? attr::directory : fileBits(attr::hidden)) << e.name;
}

TEST_F(FileSystemTest, CopyReplacesTheTargetKeepingTimeAndAttributesButNotReadOnlyOrHiddenOnes) {
    put("src.txt", "new content");
    put("dst.txt", "old, longer content");
    const DateTime when{2001, 2, 3, 4, 5, 6};
    ASSERT_EQ(fs->setModified(at("src.txt"), when), Status::ok);
    ASSERT_EQ(fs->copyFile(at("src.txt"), at("DST.txt")), Status::ok);
    EXPECT_EQ(fs->readFile(at("dst.txt")), "new content");
    EXPECT_EQ(fs->modified(at("dst.txt")), when);
    ASSERT_EQ(fs->setAttributes(at("src.txt"), attr::hidden | attr::archive), Status::ok);
    ASSERT_EQ(fs->copyFile(at("src.txt"), at("fresh.txt")), Status::ok);
    EXPECT_EQ(fs->attributes(at("fresh.txt")), attr::hidden | attr::archive);
    EXPECT_EQ(fs->readFile(at("fresh.txt")), "new content");

    put("ro.txt", "old");
    put("other.txt", "other");
    ASSERT_EQ(fs->setAttributes(at("ro.txt"), attr::readOnly), Status::ok);
    ASSERT_EQ(fs->makeDirectory(at("d")), Status::ok);
    EXPECT_EQ(fs->copyFile(at("other.txt"), at("ro.txt")), Status::accessDenied);
    EXPECT_EQ(fs->copyFile(at("other.txt"), at("fresh.txt")), Status::accessDenied);  // hidden
    EXPECT_EQ(fs->readFile(at("ro.txt")), "old");
    EXPECT_EQ(fs->readFile(at("fresh.txt")), "new content");
    EXPECT_EQ(fs->copyFile(at("other.txt"), at("d")), Status::accessDenied);
    EXPECT_EQ(fs->copyFile(at("d"), at("x.txt")), Status::accessDenied);
    EXPECT_EQ(fs->copyFile(at("missing.txt"), at("x.txt")), Status::fileNotFound);
    EXPECT_EQ(fs->copyFile(at("other.txt"), at("missing\\x.txt")), Status::pathNotFound);
    EXPECT_FALSE(fs->exists(at("x.txt")));
}

TEST_F(FileSystemTest, FoldersAreMadeOneLevelAtATimeAndRemovedOnlyEmptyFilesOnlyWritable) {
    EXPECT_EQ(fs->makeDirectory(at("d")), Status::ok);
    EXPECT_EQ(fs->attributes(at("d")), attr::directory);
    EXPECT_EQ(fs->makeDirectory(at("D")), Status::alreadyExists);
    EXPECT_EQ(fs->makeDirectory(at("missing\\d")), Status::pathNotFound);
    EXPECT_FALSE(fs->exists(at("missing")));

    put("d\\a.txt", "x");
    ASSERT_EQ(fs->setAttributes(at("d\\a.txt"), attr::readOnly), Status::ok);
    EXPECT_EQ(fs->removeDirectory(at("d")), Status::notEmpty);
    EXPECT_EQ(fs->removeDirectory(at("d\\a.txt")), Status::accessDenied);
    EXPECT_EQ(fs->removeDirectory(at("gone")), Status::fileNotFound);
    EXPECT_EQ(fs->removeFile(at("d\\a.txt")), Status::accessDenied);
    EXPECT_EQ(fs->removeFile(at("d")), Status::accessDenied);
    EXPECT_EQ(fs->removeFile(at("missing.txt")), Status::fileNotFound);
    EXPECT_EQ(fs->removeFile(at("missing\\x.txt")), Status::pathNotFound);
    EXPECT_TRUE(fs->exists(at("d\\a.txt")));

    ASSERT_EQ(fs->setAttributes(at("d\\a.txt"), 0), Status::ok);
    EXPECT_EQ(fs->removeFile(at("D\\A.TXT")), Status::ok);
    EXPECT_EQ(fs->removeDirectory(at("d")), Status::ok);
    EXPECT_FALSE(fs->exists(at("d")));
}

TEST_F(FileSystemTest, OutputFilesHoldExactlyTheBytesWrittenOrFailWithThePlatformsErrors) {
    const std::string bytes = std::string("line\r\nnext\n\0end\xC3\xA9", 16);
    {
        auto out = fs->openOutput(at("out.bin"));
        out->write(bytes.substr(0, 6));
        out->write(bytes.substr(6));
        out->close();
        out->close();  // a second close does nothing
        EXPECT_THROW(out->write("more"), RunError);
    }
    EXPECT_EQ(fs->readFile(at("out.bin")), bytes);
    {
        auto out = fs->openOutput(at("OUT.bin"));  // an existing file starts empty
        out->write("short");
    }  // closed by going out of scope
    EXPECT_EQ(fs->readFile(at("out.bin")), "short");

    put("ro.txt", "x");
    put("hidden.txt", "x");
    ASSERT_EQ(fs->setAttributes(at("ro.txt"), attr::readOnly), Status::ok);
    ASSERT_EQ(fs->setAttributes(at("hidden.txt"), attr::hidden), Status::ok);
    ASSERT_EQ(fs->makeDirectory(at("d")), Status::ok);
    // Path not found (76), else Path/File access error (75).
    const std::pair<const char*, int> refused[] = {
        {"missing\\a.txt", 76}, {"ro.txt", 75}, {"hidden.txt", 75}, {"d", 75}};
    for (const auto& [relative, number] : refused) {
        try {
            fs->openOutput(at(relative));
            ADD_FAILURE() << relative << " opened";
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), number) << relative;
        }
    }
    EXPECT_EQ(fs->readFile(at("ro.txt")), "x");
    EXPECT_EQ(fs->readFile(at("hidden.txt")), "x");
    EXPECT_EQ(fs->readFile(at("d")), std::nullopt);
    EXPECT_EQ(fs->readFile(at("missing.bin")), std::nullopt);
}

TEST_F(FileSystemTest, RelativePathsStartFromTheCurrentDirectory) {
    ASSERT_EQ(fs->makeDirectory(at("sub")), Status::ok);
    put("sub\\a.txt", "x");

    ASSERT_EQ(fs->setCurrentDirectory(at("sub")), Status::ok);
    EXPECT_STRCASEEQ(fs->currentDirectory().c_str(), at("sub").c_str());
    EXPECT_TRUE(fs->exists("a.txt"));
    EXPECT_TRUE(fs->exists("..\\sub\\A.TXT"));
    EXPECT_EQ(fs->readFile("a.txt"), "x");
    EXPECT_EQ(fs->list("*.txt").size(), 1u);

    EXPECT_EQ(fs->setCurrentDirectory(at("missing")), Status::fileNotFound);
    EXPECT_EQ(fs->setCurrentDirectory(at("sub\\a.txt")), Status::accessDenied);
    EXPECT_STRCASEEQ(fs->currentDirectory().c_str(), at("sub").c_str());
}

}  // namespace
}  // namespace orr

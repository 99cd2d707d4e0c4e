// clsFileSystem's operations on whole files and folders, against real files.
#include "toolkit_fixture.h"

namespace orr::test {
namespace {

namespace attr = platform::attr;
using platform::MsgAnswer;
using platform::MsgButtons;
using FileOperations = ToolkitTest;
using Texts = std::vector<std::string>;

// FileExist on files and folders is the files-and-profiles scenario's.
TEST_F(FileOperations, FileExistTakesNoEmptyNameAndFileRealAndSaveOnlyAFilesBareNameAsStored) {
    writeFile("a.txt", "x");
    makeFolder("sub");
    EXPECT_FALSE(fso.FileExist(""));
    // A full path never equals the bare name a directory search returns.
    EXPECT_FALSE(fso.FileReal(Variant(path("a.txt"))));

    ASSERT_EQ(native.files->setCurrentDirectory(root.base()), platform::Status::ok);
    EXPECT_TRUE(fso.FileReal(Variant("a.txt")));
    EXPECT_FALSE(fso.FileReal(Variant("A.TXT")));  // found, but not in the same letter case
    EXPECT_FALSE(fso.FileReal(Variant("b.txt")));
    EXPECT_FALSE(fso.FileReal(Variant("sub")));  // ordinary files only
    EXPECT_FALSE(fso.FileReal(Variant()));

    // Save asks before deleting an existing file.
    fso.Save(path("a.txt"));  // FileReal is false for a full path: no question
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(exists("a.txt"));

    messages.answerNext(MsgAnswer::no);
    fso.Save("a.txt");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Overwrite File?");
    EXPECT_EQ(messages.shown[0].caption, "Orrindale");
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::yesNo);
    EXPECT_TRUE(exists("a.txt"));

    messages.answerNext(MsgAnswer::yes);
    fso.Save("a.txt");
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_FALSE(exists("a.txt"));
}

// Attribute values as the file system reports them, for the word table.
class ScriptedAttributes : public RecordingFileSystem {
public:
    using RecordingFileSystem::RecordingFileSystem;
    std::optional<std::uint32_t> attributes(std::string_view) override { return value; }
    std::uint32_t value = 0;
};

TEST_F(FileOperations, GetAttribNamesOneAttributeAndNumbersTheRestAndGetFileSizeWritesBytesOrKilobytes) {
    EXPECT_EQ(fso.GetAttrib(Variant(path("missing"))), "Unknown");
    EXPECT_EQ(fso.GetAttrib(Variant()), "Unknown");

    ScriptedAttributes scripted(*native.files);
    platform::Services s{scripted, *native.profiles, messages, pointer, events,
                         *native.clock, locale, *native.fileTable};
    clsFileSystem f(s);
    const std::pair<std::uint32_t, std::string> rows[] = {
        {64, "Alias"},  {32, "Archive"},  {16, "Directory"}, {2, "Hidden"},
        {0, "Normal"},  {1, "ReadOnly"},  {4, "System"},     {8, "Volume"},
        {48, "48"},     {33, "33"},       {3, "3"},          {18, "18"},
        {128, "Normal"},  // the set-only "normal" value means no attribute
    };
    for (const auto& [value, word] : rows) {
        scripted.value = value;
        EXPECT_EQ(f.GetAttrib(Variant("C:\\x")), word) << value;
    }

    const std::pair<std::size_t, std::string> sizes[] = {
        {0, "0B"},         {1023, "1023B"},     {1024, "1KB"},       {1056, "1.0312KB"},
        {1536, "1.5KB"},   {2000, "1.9531KB"},  {1048576, "1024KB"}, {1025, "1.001KB"},
        {1048575, "1023.999KB"},  // 1023.9990 with its trailing zero dropped
    };
    for (const auto& [length, text] : sizes) {
        writeFile("f.bin", std::string(length, 'x'));
        EXPECT_EQ(fso.GetFileSize(Variant(path("f.bin"))), text) << length;
    }

    locale.separator = ',';
    writeFile("f.bin", std::string(1056, 'x'));
    EXPECT_EQ(fso.GetFileSize(Variant(path("f.bin"))), "1,0312KB");
}

TEST_F(FileOperations, DeleteFileTakesFilesByNameOrPatternAndReportsWhatItCannot) {
    writeFile("x.tmp", "1");
    writeFile("y.TMP", "2");
    writeFile("z.txt", "3");
    makeFolder("d.tmp");
    fso.DeleteFile(path("*.tmp"));
    fso.DeleteFile(path("z.txt"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(names(""), Texts{"d.tmp"});  // folders are never deleted

    fso.DeleteFile(path("*.tmp"));  // only a folder matches
    fso.DeleteFile(path("missing.txt"));
    fso.DeleteFile(path("d.tmp"));
    EXPECT_TRUE(exists("d.tmp"));
    // Its caption, button and icon are the files-and-profiles scenario's.
    EXPECT_EQ(messages.texts(), Texts(3, "Error deleting File"));
}

TEST_F(FileOperations, CopyAndMoveReplaceTheTargetOrSayTheyFailed) {
    writeFile("a.txt", "new");
    writeFile("b.txt", "old content");
    fso.CopyFile(path("a.txt"), path("b.txt"));
    EXPECT_EQ(read("b.txt"), "new");
    EXPECT_EQ(read("a.txt"), "new");
    fso.MoveFile(path("a.txt"), path("c.txt"));
    EXPECT_FALSE(exists("a.txt"));
    EXPECT_EQ(read("c.txt"), "new");
    EXPECT_TRUE(messages.shown.empty());

    // A move that fails is the files-and-profiles scenario's.
    fso.CopyFile(path("missing.txt"), path("d.txt"));
    EXPECT_EQ(messages.texts(), Texts{"Error copying File"});
    EXPECT_FALSE(exists("d.txt"));
}

}  // namespace
}  // namespace orr::test

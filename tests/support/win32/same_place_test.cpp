// The copy's refusal of the source reached by another path, with the
// system's own means: a drive letter mapped onto the source (as subst
// makes one) and a hard link to one of its files.
#include "copy/copy_fixture.h"

#include <windows.h>

namespace orr::test {
namespace {

using SamePlace = CopyTest;

// A free drive letter mapped onto `folder` for as long as it lives.
class MappedDrive {
public:
    explicit MappedDrive(const std::string& folder) {
        for (char letter = 'Q'; letter <= 'Y' && !letter_; ++letter) {
            const std::string device{letter, ':'};
            if (GetDriveTypeA((device + "\\").c_str()) == DRIVE_NO_ROOT_DIR &&
                DefineDosDeviceA(0, device.c_str(), folder.c_str()))
                letter_ = letter;
        }
    }
    ~MappedDrive() {
        if (letter_) DefineDosDeviceA(DDD_REMOVE_DEFINITION, std::string{letter_, ':'}.c_str(), nullptr);
    }
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;
    std::string root() const { return std::string{letter_, ':', '\\'}; }
    explicit operator bool() const { return letter_ != 0; }

private:
    char letter_ = 0;
};

TEST_F(SamePlace, TheSourceByAnotherPathIsNeverWrittenOver) {
    writeFile("S\\a.txt", "aa");
    makeFolder("H\\S");
    const MappedDrive drive(path("S"));
    ASSERT_TRUE(drive);
    const platform::CopyOutcome mapped = folderCopier()->copyFolder(path("S"), drive.root());
    EXPECT_EQ(mapped.result, platform::CopyOutcome::Result::refused) << describe(mapped);

    ASSERT_TRUE(CreateHardLinkA(path("H\\S\\a.txt").c_str(), path("S\\a.txt").c_str(), nullptr));
    writeFile("S\\a.txt", "bb");  // both names: the same file
    const platform::CopyOutcome linked = folderCopier()->copyFolder(path("S"), path("H"));
    EXPECT_TRUE(linked.completed()) << describe(linked);  // the same bytes: nothing to write
    EXPECT_EQ(read("S\\a.txt"), "bb");
    EXPECT_EQ(names("S"), std::vector<std::string>{"a.txt"});
}

}  // namespace
}  // namespace orr::test

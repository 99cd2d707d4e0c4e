// Writing a manifest of a backup's sets: what it lists, and that it is
// never written for a backup it could not read whole.
#include "copy_fixture.h"

namespace orr::test {
namespace {

using platform::FileOp;
using platform::Status;
using ManifestFiles = CopyTest;

// The copy's leftover temporary is none of the backup's files; a file with
// no digest that cannot be read leaves no manifest vouching for it.
TEST_F(ManifestFiles, ListsNoTemporaryAndIsNotWrittenPastAFileItCannotRead) {
    writeFile("bk\\UserData\\Houses\\House01.iff", "house");
    writeFile("bk\\UserData\\Houses\\~orrindale-0123456789abcdef-7.tmp", "left by a power cut");
    auto copier = folderCopier();
    ASSERT_TRUE(copier->writeManifest(path("bk"), {"UserData"}, {}, path("bk\\Sims.sha256")));
    const std::string text = *read("bk\\Sims.sha256");
    EXPECT_TRUE(text.ends_with("  UserData/Houses/House01.iff\n")) << text;
    EXPECT_EQ(text.find("orrindale-7"), std::string::npos) << text;

    for (FileOp op : {FileOp::open, FileOp::read}) {
        writeFile("bk\\UserData\\Houses\\House02.iff", "second house");
        faults.failNth(op, 1, Status::accessDenied);
        EXPECT_FALSE(copier->writeManifest(path("bk"), {"UserData"}, {}, path("bk\\Sims.sha256")));
        EXPECT_EQ(read("bk\\Sims.sha256"), text);
        EXPECT_EQ(temporaries("bk"), std::vector<std::string>{"bk\\UserData\\Houses\\~orrindale-0123456789abcdef-7.tmp"});
    }
}

}  // namespace
}  // namespace orr::test

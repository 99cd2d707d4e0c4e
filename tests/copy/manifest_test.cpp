// Reading a manifest: the lines sha256sum writes and Windows editors save,
// one spelling for every path, and nothing of a line that names no file.
#include "copy/manifest.h"
#include "platform/sha256.h"

#include <gtest/gtest.h>

namespace orr::platform {
namespace {

const std::string kHex = "00112233445566778899aabbccddeeff00112233445566778899AABBCCDDEEFF";

std::vector<std::string> paths(std::string_view text) {
    std::vector<std::string> out;
    const auto parsed = parseManifest(text);
    if (!parsed) return {"(refused)"};
    for (const auto& d : *parsed) out.push_back(d.path);
    return out;
}

TEST(ManifestText, LinesOfEitherEndingAreReadAndPathsComeOutInOneSpelling) {
    const auto parsed = parseManifest(kHex + "  UserData/Houses/House01.iff\r\n" + kHex + " *Downloads/Sofa.far\r\n");
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), 2u);
    EXPECT_EQ((*parsed)[0].path, "UserData\\Houses\\House01.iff");
    EXPECT_EQ((*parsed)[1].path, "Downloads\\Sofa.far");
    EXPECT_EQ((*parsed)[1].digest[0], 0x00);
    EXPECT_EQ((*parsed)[1].digest[31], 0xff);
    EXPECT_EQ(paths(kHex + "  ./UserData//Houses/./House01.iff\n" + kHex + "  GameData/x.iff/\n"),
              (std::vector<std::string>{"UserData\\Houses\\House01.iff", "GameData\\x.iff"}));
    EXPECT_TRUE(paths("").empty());
}

// A line without a path, or with one that names nothing inside the backup,
// makes the whole manifest unreadable.
TEST(ManifestText, ALineThatNamesNoFileOfTheBackupIsRefused) {
    for (const std::string& line : {kHex + "  ", kHex + "  \r", kHex + "  .", kHex + "  .//./", kHex + "  ../x",
                                    kHex + "  UserData/../../x", kHex + "  /etc/passwd", kHex + "  C:/x",
                                    kHex + "  UserData\\x", kHex + " UserData/x", kHex.substr(1) + "  UserData/x",
                                    std::string("g").append(kHex.substr(1)).append("  UserData/x")})
        EXPECT_EQ(paths(kHex + "  UserData/a\n" + line + "\n"), std::vector<std::string>{"(refused)"}) << line;
}

// The digests a manifest holds are the standard ones on both layers, fed
// whole or in pieces that cross the 64-byte blocks, and finish() starts anew.
TEST(ManifestText, DigestsAreTheStandardOnesHoweverTheBytesArrive) {
    const std::unique_ptr<Sha256> hash = makeSha256();
    EXPECT_EQ(hexText(hash->finish()), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    hash->update(std::string_view("abc"));
    EXPECT_EQ(hexText(hash->finish()), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const std::string million(1000000, 'a');
    for (std::size_t at = 0, n = 1; at < million.size(); at += n, n = n * 3 % 997 + 1)
        hash->update(std::string_view(million).substr(at, n));
    EXPECT_EQ(hexText(hash->finish()), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

}  // namespace
}  // namespace orr::platform

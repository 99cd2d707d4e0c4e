// The registry service's result codes, which the toolkit's class relies
// on; the posix store must answer as the Windows registry does. Values read
// whole, cut or missing are the class's tests (through its 255-byte buffer).
#include "support/registry_support.h"
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace orr {
namespace {

using namespace std::string_literals;
namespace reg = platform::reg;
using platform::RegKey;

class RegistryServiceTest : public ::testing::Test {
protected:
    test::TestRoot root;
    std::unique_ptr<platform::Registry> registry = platform::makeRegistry(root.options());
    test::TestKey key{*registry};
    RegKey hkcu = RegKey::predefined(reg::currentUser);

    const std::string& K() const { return key.path(); }

    std::int32_t open(const std::string& path, RegKey& out, std::uint32_t access = reg::allAccess) {
        return registry->open(hkcu, path, access, out);
    }
};

TEST_F(RegistryServiceTest, KeyPathsAreMatchedWithoutCaseAndMayNotStartWithABackslash) {
    RegKey k;
    EXPECT_EQ(registry->createKey(hkcu, key.path("One\\Two"), reg::allAccess, k), reg::ok);
    EXPECT_EQ(open(key.path("one\\TWO"), k), reg::ok);
    EXPECT_EQ(open(key.path("One\\Two\\"), k), reg::ok);
    EXPECT_EQ(open(key.path("One\\Three"), k), reg::fileNotFound);
    EXPECT_EQ(open(std::string(1, '\\').append(key.path("One")), k), reg::badPathName);
    EXPECT_EQ(registry->createKey(hkcu, std::string(1, '\\').append(key.path("New")), reg::allAccess, k),
              reg::badPathName);
    RegKey test;
    ASSERT_EQ(open(K(), test), reg::ok);
    // Windows takes names of up to 255 characters, Wine up to 256.
    if (!test::runningOnWine()) {
        EXPECT_EQ(registry->createKey(test, std::string(256, 'n'), reg::allAccess, k), reg::invalidParameter);
    }
    EXPECT_EQ(registry->createKey(test, std::string(257, 'n'), reg::allAccess, k), reg::invalidParameter);
    EXPECT_EQ(registry->createKey(test, std::string(255, 'n'), reg::allAccess, k), reg::ok);

    // An empty path opens the parent again; creating it again is no error.
    RegKey parent, again;
    ASSERT_EQ(open(key.path("One"), parent), reg::ok);
    EXPECT_EQ(registry->open(parent, "", reg::allAccess, again), reg::ok);
    EXPECT_EQ(registry->createKey(parent, "Two", reg::allAccess, again), reg::ok);
    char name[16];
    std::uint32_t size = sizeof name;
    ASSERT_EQ(registry->enumKey(again, 0, name, size), reg::noMoreItems);
}

TEST_F(RegistryServiceTest, WritesOutliveTheRegistryThatMadeThem) {
    const std::tuple<const char*, std::uint32_t, std::string> values[] = {
        {"text", reg::text, "a \"quoted\\\" ]\ttext\0"s}, {"bin", reg::binary, "\x00\xff\x10"s},
        {"num", reg::dword, test::dwordBytes(-1)},                {"multi", reg::multiText, "a\0b\0\0"s},
        {"per%cent\\name", reg::expandText, "%PATH%\r\n\x7f\0"s}};
    key.create("kept");
    for (const auto& [name, type, data] : values) key.put("kept", name, type, data);

    auto other = platform::makeRegistry(root.options());
    RegKey k;
    ASSERT_EQ(other->open(hkcu, key.path("kept"), reg::read, k), reg::ok);
    for (const auto& [name, type, data] : values) {
        unsigned char buffer[64] = {};
        std::uint32_t t = 0, size = sizeof buffer;
        ASSERT_EQ(other->queryValue(k, name, t, buffer, size), reg::ok) << name;
        EXPECT_EQ(t, type) << name;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), data) << name;
    }
}

// A deleted key or a read-only handle takes no write; a computer whose name
// does not exist is not reached.
TEST_F(RegistryServiceTest, HandlesToDeletedReadOnlyOrUnreachableKeysAreRefused) {
    key.create("gone");
    RegKey gone, reader;
    ASSERT_EQ(open(key.path("gone"), gone), reg::ok);
    ASSERT_EQ(registry->deleteKey(hkcu, key.path("gone")), reg::ok);
    EXPECT_EQ(registry->setValue(gone, "v", reg::text, reinterpret_cast<const unsigned char*>("x"), 2),
              reg::keyDeleted);

    ASSERT_EQ(open(K(), reader, reg::read), reg::ok);
    EXPECT_EQ(registry->setValue(reader, "v", reg::text, reinterpret_cast<const unsigned char*>("x"), 2),
              reg::accessDenied);

    RegKey remote, k;
    EXPECT_EQ(registry->connect("\\\\ORR-NO-SUCH-HOST", reg::currentUser, remote), reg::badNetPath);
    EXPECT_EQ(registry->open(remote, K(), reg::allAccess, k), reg::invalidHandle);
    EXPECT_EQ(registry->open(RegKey::predefined(0x80000009), "x", reg::allAccess, k), reg::invalidHandle);
}

// On 64-bit Windows, as a 64-bit program sees it: the 32-bit view of
// HKEY_LOCAL_MACHINE\SOFTWARE is its subkey WOW6432Node, the 64-bit view
// the key itself, which is also what the program sees without a flag.
TEST_F(RegistryServiceTest, The32BitViewOfSoftwareIsItsWow6432NodeSubkey) {
    const RegKey hklm = RegKey::predefined(reg::localMachine);
    const std::string name = "OrrindaleTest-views-" + key.path().substr(key.path().rfind('-') + 1);
    const std::string in64 = "SOFTWARE\\" + name, in32 = "SOFTWARE\\WOW6432Node\\" + name;
    struct Cleanup {
        platform::Registry& r;
        RegKey root;
        std::vector<std::string> keys;
        ~Cleanup() {
            for (const auto& k : keys) (void)r.deleteKey(root, k);
        }
    } cleanup{*registry, RegKey::predefined(reg::localMachine), {in32, in64}};
    auto put = [&](const RegKey& k, const char* value, std::uint32_t type, const std::string& data) {
        ASSERT_EQ(registry->setValue(k, value, type, reinterpret_cast<const unsigned char*>(data.data()),
                                     static_cast<std::uint32_t>(data.size())),
                  reg::ok);
    };

    RegKey made, k;
    ASSERT_EQ(registry->createKey(hklm, in64, reg::allAccess | reg::view32, made), reg::ok);
    put(made, "where", reg::text, "32\0"s);
    EXPECT_EQ(registry->open(hklm, in32, reg::read, k), reg::ok);
    EXPECT_EQ(registry->open(hklm, in64, reg::read, k), reg::fileNotFound);
    EXPECT_EQ(registry->open(hklm, in64, reg::read | reg::view64, k), reg::fileNotFound);
    ASSERT_EQ(registry->createKey(hklm, in64, reg::allAccess, made), reg::ok);
    put(made, "where", reg::text, "64\0"s);

    EXPECT_EQ(platform::readText(*registry, reg::localMachine, in64, "where", reg::view32), "32");
    EXPECT_EQ(platform::readText(*registry, reg::localMachine, in64, "where", reg::view64), "64");
    EXPECT_EQ(platform::readText(*registry, reg::localMachine, in64, "where"), "64");
    // Spelt out, the 32-bit key is an ordinary key to a 64-bit program.
    EXPECT_EQ(platform::readText(*registry, reg::localMachine, in32, "where", reg::view64), "32");
    if (!test::runningOnWine()) {
        EXPECT_EQ(registry->open(hklm, in64, reg::read | reg::view32 | reg::view64, k), reg::invalidParameter);
    }

    // Only text reads as text, whole without a closing zero. Cut at its first
    // zero is the game-recorded scenario's.
    put(made, "open", reg::text, "C:\\Games"s);
    put(made, "number", reg::dword, test::dwordBytes(7));
    put(made, "expand", reg::expandText, "%X%\0"s);
    EXPECT_EQ(platform::readText(*registry, reg::localMachine, in64, "open"), "C:\\Games");
    for (const char* none : {"number", "expand", "missing"})
        EXPECT_EQ(platform::readText(*registry, reg::localMachine, in64, none), std::nullopt) << none;
    EXPECT_EQ(platform::readText(*registry, reg::localMachine, in64 + "\\Missing", "where"), std::nullopt);
}

}  // namespace
}  // namespace orr

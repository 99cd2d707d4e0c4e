// The posix registry's file: what a damaged or read-only file allows, and
// the roots that are keys of another root.
#include "platform/posix/registry_file.h"
#include "platform/registry.h"
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace orr::platform {
namespace {

TEST(RegistryFile, AMalformedOrReadOnlyFileLimitsWhatTheRegistryDoes) {
    test::TestRoot testRoot;
    auto registry = makeRegistry(testRoot.options());
    auto hkcu = RegKey::predefined(reg::currentUser);
    RegKey k;
    ASSERT_EQ(registry->createKey(hkcu, "Software\\Orr", reg::allAccess, k), reg::ok);
    auto file = posix::registryFile(testRoot.options());
    ASSERT_TRUE(std::filesystem::exists(file));

    namespace fs = std::filesystem;
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(registry->open(hkcu, "Software\\Orr", reg::allAccess, k), reg::accessDenied);
    EXPECT_EQ(registry->open(hkcu, "Software\\Orr", reg::read, k), reg::ok);
    EXPECT_EQ(registry->createKey(hkcu, "Software\\New", reg::read, k), reg::accessDenied);
    EXPECT_EQ(registry->deleteKey(hkcu, "Software\\Orr"), reg::accessDenied);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);

    // A write that cannot be made says so and leaves the file as it was.
    const auto bytes = [&] { return (std::stringstream() << std::ifstream(file, std::ios::binary).rdbuf()).str(); };
    const std::string before = bytes();
    fs::create_directories(fs::path(file) += ".new/in the way");
    EXPECT_EQ(registry->createKey(hkcu, "Software\\Other", reg::allAccess, k), reg::cantWrite);
    EXPECT_EQ(bytes(), before);
    fs::remove_all(fs::path(file) += ".new");

    // A value of a key no line made, a key without its parent, a type that
    // is no number, a line of neither kind.
    for (const char* damage : {"value \"Elsewhere\" \"v\" 1 \"x\"\n", "key \"HKEY_USERS\\\\No\\\\Parent\"\n",
                               "value \"HKEY_CURRENT_USER\" \"v\" one \"x\"\n", "garbage \"line\"\n"}) {
        fs::copy_file(file, fs::path(file) += ".good", fs::copy_options::overwrite_existing);
        std::ofstream(file, std::ios::app) << damage;
        EXPECT_EQ(registry->open(hkcu, "Software\\Orr", reg::read, k), reg::badDb) << damage;
        fs::rename(fs::path(file) += ".good", file);
    }
    // The classes root is a key of the machine's root.
    EXPECT_EQ(registry->createKey(RegKey::predefined(reg::classesRoot), ".orr", reg::allAccess, k), reg::ok);
    EXPECT_EQ(registry->open(RegKey::predefined(reg::localMachine), "Software\\Classes\\.ORR", reg::read, k),
              reg::ok);
}

}  // namespace
}  // namespace orr::platform

// The posix registry store's file: its text form and the access that the
// file's permissions grant.
#include "platform/posix/registry_store.h"
#include "platform/registry.h"
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace orr::platform::store {
namespace {

using namespace std::string_literals;

TEST(RegistryStoreText, KeepsNamesTypesAndBytesThroughTheFile) {
    RegNode root;
    root.values.push_back({"", reg::text, "root default\0"s});
    RegNode& a = root.addChild("Soft]ware");
    a.addChild("Empty leaf");
    RegNode& b = a.addChild("Values");
    b.values = {{"", reg::text, "default\0"s},
                {"quote\"back\\slash", reg::text, "tab\tnew\nline\x01\0"s},
                {"expand", reg::expandText, "%TEMP%\0"s},
                {"dword", reg::dword, "\x2a\0\0\x80"s},
                {"short dword", reg::dword, "\x2a"s},
                {"bin", reg::binary, "\x00\xff"s},
                {"empty bin", reg::binary, ""},
                {"text without zero", reg::text, "abc"s},
                {"multi", reg::multiText, "a\0b\0\0"s}};

    std::string text = formatHive(root, "HKEY_CURRENT_USER");
    EXPECT_NE(text.find("\"dword\"=dword:8000002a\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"expand\"=str(2):\"%TEMP%\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"multi\"=hex(7):61,00,62,00,00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Soft\\]ware\\\\Values]\n@=\"default\"\n"), std::string::npos) << text;

    auto back = parseHive(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->values.at(0).data, "root default\0"s);
    ASSERT_EQ(back->subkeys.size(), 1u);
    RegNode* values = back->child("SOFT]WARE")->child("values");
    ASSERT_TRUE(values);
    EXPECT_TRUE(back->child("soft]ware")->child("empty leaf"));
    ASSERT_EQ(values->values.size(), b.values.size());
    for (std::size_t i = 0; i < b.values.size(); ++i) {
        EXPECT_EQ(values->values[i].name, b.values[i].name);
        EXPECT_EQ(values->values[i].type, b.values[i].type) << b.values[i].name;
        EXPECT_EQ(values->values[i].data, b.values[i].data) << b.values[i].name;
    }
}

TEST(RegistryStoreText, RefusesWhatItCannotRead) {
    EXPECT_TRUE(parseHive("WINE REGISTRY Version 2\n;; comment\n#arch=win64\n\n[A\\\\B] 1700000000\n"));
    EXPECT_FALSE(parseHive("\"value before any key\"=\"x\"\n"));
    EXPECT_FALSE(parseHive("[A]\n\"v\"=dword:12\n"));
    EXPECT_FALSE(parseHive("[A]\n\"v\"=hex:1,2\n"));
    EXPECT_FALSE(parseHive("[A]\nnot a value\n"));
    EXPECT_FALSE(parseHive("[A\\\\\\\\B]\n"));  // an empty key name
}

TEST(RegistryStoreFile, AMalformedOrReadOnlyFileLimitsWhatTheRegistryDoes) {
    test::TestRoot testRoot;
    auto registry = makeRegistry(testRoot.options());
    auto hkcu = RegKey::predefined(reg::currentUser);
    RegKey k;
    ASSERT_EQ(registry->createKey(hkcu, "Software\\Orr", reg::allAccess, k), reg::ok);
    auto file = storeFolder(testRoot.options().root) / "user.reg";
    ASSERT_TRUE(std::filesystem::exists(file));

    namespace fs = std::filesystem;
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(registry->open(hkcu, "Software\\Orr", reg::allAccess, k), reg::accessDenied);
    EXPECT_EQ(registry->open(hkcu, "Software\\Orr", reg::read, k), reg::ok);
    EXPECT_EQ(registry->createKey(hkcu, "Software\\New", reg::read, k), reg::accessDenied);
    EXPECT_EQ(registry->deleteKey(hkcu, "Software\\Orr"), reg::accessDenied);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);

    std::ofstream(file, std::ios::app) << "garbage\n";
    EXPECT_EQ(registry->open(hkcu, "Software\\Orr", reg::read, k), reg::badDb);
    // Other roots keep working.
    EXPECT_EQ(registry->createKey(RegKey::predefined(reg::localMachine), "Software", reg::allAccess, k), reg::ok);
    // The classes root is a key of the machine's file.
    EXPECT_EQ(registry->createKey(RegKey::predefined(reg::classesRoot), ".orr", reg::allAccess, k), reg::ok);
    EXPECT_EQ(registry->open(RegKey::predefined(reg::localMachine), "Software\\Classes\\.ORR", reg::read, k),
              reg::ok);
}

}  // namespace
}  // namespace orr::platform::store

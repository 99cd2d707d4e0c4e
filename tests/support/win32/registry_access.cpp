// The key's own access list is replaced: everyone may read it, nobody may
// change it (its owner may still change the list back).
#include "support/registry_support.h"

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

namespace orr::test {
namespace {

void setAccessList(std::uint32_t root, const std::string& path, const char* sddl) {
    HKEY predefined = reinterpret_cast<HKEY>(platform::RegKey::predefined(root).handle());
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(predefined, path.c_str(), 0, WRITE_DAC | READ_CONTROL, &key), ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr));
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    LocalFree(sd);
    RegCloseKey(key);
}

}  // namespace

ReadOnlyKey::ReadOnlyKey(const platform::Options& options, std::uint32_t root, const std::string& path)
    : options_(options), root_(root), path_(path) {
    setAccessList(root_, path_, "D:P(A;;KR;;;WD)");
}

ReadOnlyKey::~ReadOnlyKey() { setAccessList(root_, path_, "D:P(A;;KA;;;WD)"); }

}  // namespace orr::test

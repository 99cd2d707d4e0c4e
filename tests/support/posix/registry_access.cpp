// The posix store has no ACLs: the registry's one file loses its write permission.
#include "support/registry_support.h"

#include "platform/posix/registry_file.h"

#include <filesystem>

namespace orr::test {

namespace fs = std::filesystem;

ReadOnlyKey::ReadOnlyKey(const platform::Options& options, std::uint32_t root, const std::string& path)
    : options_(options), root_(root), path_(path) {
    fs::permissions(platform::posix::registryFile(options_),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

ReadOnlyKey::~ReadOnlyKey() {
    fs::permissions(platform::posix::registryFile(options_), fs::perms::owner_write,
                    fs::perm_options::add);
}

}  // namespace orr::test

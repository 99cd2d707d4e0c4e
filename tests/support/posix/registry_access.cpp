// The posix store has no ACLs: the root's file loses its write permission.
#include "support/registry_support.h"

#include "platform/posix/registry_store.h"

#include <filesystem>

namespace orr::test {
namespace {

std::filesystem::path hiveOf(const platform::Options& options, std::uint32_t root) {
    return platform::store::storeFolder(options.root) / platform::store::placeOf(root)->fileName;
}

}  // namespace

ReadOnlyKey::ReadOnlyKey(const platform::Options& options, std::uint32_t root, const std::string& path)
    : options_(options), root_(root), path_(path) {
    namespace fs = std::filesystem;
    fs::permissions(hiveOf(options_, root_),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

ReadOnlyKey::~ReadOnlyKey() {
    std::filesystem::permissions(hiveOf(options_, root_), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
}

}  // namespace orr::test

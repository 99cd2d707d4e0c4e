// A fresh host folder used as the drive root: C:\t\ is ROOT/drive_c/t.
#include "support/test_root.h"

#include "platform/posix/drive_map.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace orr::test {

TestRoot::TestRoot() : base_("C:\\t\\") {
    std::string pattern = (std::filesystem::temp_directory_path() / "orr-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a test folder");
    hostDir_ = pattern;
    std::filesystem::create_directories(std::filesystem::path(hostDir_) / "drive_c" / "t");
    options_.root = hostDir_;
}

TestRoot::~TestRoot() {
    std::error_code ec;
    std::filesystem::remove_all(hostDir_, ec);
}

bool runningOnWine() { return false; }

bool makeLinkToNothing(const platform::Options& options, const std::string& path) {
    const auto host = platform::posix::DriveMap(options.root).toHost(path);
    if (host.status != platform::Status::ok) return false;
    std::error_code ec;
    std::filesystem::create_symlink(host.path.parent_path() / "no-such-target", host.path, ec);
    return !ec;
}

}  // namespace orr::test

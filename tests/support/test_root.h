// A fresh, empty folder for one test, reached through Windows paths, with
// the OS's own services over it. Removed again when the test ends.
#pragma once

#include "platform/services.h"

#include <memory>
#include <string>

namespace orr::test {

class TestRoot {
public:
    TestRoot();
    ~TestRoot();
    TestRoot(const TestRoot&) = delete;
    TestRoot& operator=(const TestRoot&) = delete;

    // The folder as a Windows path ending in "\", for example "C:\t\".
    const std::string& base() const { return base_; }
    // base() followed by `relative`.
    std::string path(const std::string& relative) const { return base_ + relative; }
    // Options that make the services map drive paths as this root needs.
    const platform::Options& options() const { return options_; }

private:
    std::string base_;
    platform::Options options_;
    std::string hostDir_;  // what the destructor removes
};

// True when the tests run on Wine rather than on Windows itself.
bool runningOnWine();

// Makes `path` (a Windows path) a symbolic link to something that does not
// exist, as the host's own tools can leave one. False on a layer that makes
// none (Windows grants links only with a privilege).
bool makeLinkToNothing(const platform::Options& options, const std::string& path);

}  // namespace orr::test

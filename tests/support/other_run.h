// Another program's run holding the drives' claim (a wizard's restore, a
// scheduled backup): taken by another thread, held until this ends.
#pragma once

#include "platform/filesystem.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace orr::test {

class OtherRun {
public:
    explicit OtherRun(platform::FileSystem& files)
        : thread_([&files, this] {
              const auto claim = files.claimRun();
              held_.set_value(claim != nullptr);
              done_.get_future().wait();
          }) {
        EXPECT_TRUE(held.get()) << "the other run got no claim";
    }
    ~OtherRun() {
        done_.set_value();
        thread_.join();
    }

private:
    std::promise<bool> held_;
    std::future<bool> held = held_.get_future();
    std::promise<void> done_;
    std::thread thread_;
};

}  // namespace orr::test

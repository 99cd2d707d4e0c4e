// Shared set-up of the folder copy tests: the OS's own file system and
// shell copy over a fresh TestRoot, with message boxes, events and the
// mouse pointer replaced by observable doubles. With `wrapped`, the copy
// and the toolkit reach the file system through a pass-through service,
// so the copy cannot use what it knows of the OS's own one.
#pragma once

#include "platform/shell_copy.h"
#include "support/scripted_messages.h"
#include "support/test_root.h"
#include "toolkit/MFile.h"
#include "toolkit/toolkit_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orr::test {

class PointerLog : public platform::MousePointer {
public:
    void set(platform::Pointer p) override {
        current_ = p;
        sets.push_back(p);
    }
    platform::Pointer current() const override { return current_; }
    std::vector<platform::Pointer> sets;

private:
    platform::Pointer current_ = platform::Pointer::normal;
};

class CopyTest : public ::testing::Test {
protected:
    explicit CopyTest(bool wrapped = false)
        : files(wrapped ? static_cast<platform::FileSystem&>(wrapper) : *native.files) {}

    TestRoot root;
    platform::NativeServices native{root.options()};
    RecordingFileSystem wrapper{*native.files};
    platform::FileSystem& files;
    ScriptedMessages messages;
    CountingEvents events;
    PointerLog pointer;
    platform::Services services{files,  *native.profiles, messages,      pointer,
                                events, *native.clock,    *native.locale, *native.fileTable};

    std::unique_ptr<platform::ShellCopy> shellCopy(platform::CopyProgress* progress = nullptr) {
        return platform::makeShellCopy(files, messages, events, progress);
    }
    // MFile::CopyFolder with the OS's own copy.
    void copyFolder(const std::string& source, const std::string& destination) {
        auto copier = shellCopy();
        MFile::CopyFolder(services, *copier, source, destination);
    }

    std::string path(const std::string& relative) const { return root.path(relative); }
    void writeFile(const std::string& relative, const std::string& bytes) {
        auto out = native.files->openOutput(path(relative));
        out->write(bytes);
        out->close();
    }
    void makeFolder(const std::string& relative) {
        ASSERT_EQ(native.files->makeDirectory(path(relative)), platform::Status::ok) << relative;
    }
    std::string read(const std::string& relative) {
        return native.files->readFile(path(relative)).value_or("<missing>");
    }
    bool exists(const std::string& relative) { return native.files->exists(path(relative)); }
    std::uint32_t bits(const std::string& relative) {
        return native.files->attributes(path(relative)).value_or(0xFFFFFFFFu);
    }
    // The names in a folder, in the platform's order.
    std::vector<std::string> names(const std::string& relative) {
        std::vector<std::string> out;
        for (const auto& e : native.files->list(path(relative) + "\\*.*")) out.push_back(e.name);
        return out;
    }
};

}  // namespace orr::test

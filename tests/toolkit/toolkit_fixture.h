// Shared set-up of the toolkit tests: the OS's own services over a fresh
// TestRoot, with the message boxes, the event pump and the locale replaced
// by observable doubles, and a file system that records what the toolkit
// asks of it.
#pragma once

#include "support/scripted_messages.h"
#include "support/test_root.h"
#include "toolkit/clsFileSystem.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace orr::test {

class CountingEvents : public platform::EventPump {
public:
    void process() override {
        ++count;
        if (onProcess) onProcess();
    }
    int count = 0;
    std::function<void()> onProcess;
};

// A fixed decimal separator, and dates written as "Y-M-D h:m:s" so that the
// time a file reports can be compared exactly.
class FixedLocale : public platform::Locale {
public:
    std::string generalDate(const platform::DateTime& t) override {
        return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) +
               " " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
               std::to_string(t.second);
    }
    std::string decimalSeparator() override { return separator; }
    std::string separator = ".";
};

// Passes every request on to the real file system and records existence
// tests and folder creation. Paths in `offline` mode (network paths, or
// every path) are answered in memory instead: nothing is listed, and a
// folder exists once it has been made.
class RecordingFileSystem : public platform::FileSystem {
public:
    explicit RecordingFileSystem(platform::FileSystem& real) : real_(real) {}

    std::vector<std::string> existsAsked;
    std::vector<std::string> made;
    std::set<std::string> unreadableAttributes;  // attributes() fails for these
    std::set<std::string> refuseToMake;          // makeDirectory() is denied for these
    bool offline = false;                        // every path in memory
    bool offlineNetwork = false;                 // "\\server\share" paths in memory

    bool exists(std::string_view path) override {
        existsAsked.emplace_back(path);
        if (inMemory(path)) return memory_.count(std::string(path)) != 0;
        return real_.exists(path);
    }
    std::optional<std::uint32_t> attributes(std::string_view path) override {
        if (unreadableAttributes.count(std::string(path))) return std::nullopt;
        return real_.attributes(path);
    }
    platform::Status setAttributes(std::string_view path, std::uint32_t bits) override {
        return real_.setAttributes(path, bits);
    }
    std::vector<platform::DirEntry> list(std::string_view pattern) override {
        if (inMemory(pattern)) return {};
        return real_.list(pattern);
    }
    std::optional<std::uint64_t> size(std::string_view path) override { return real_.size(path); }
    std::optional<platform::DateTime> modified(std::string_view path) override {
        return real_.modified(path);
    }
    platform::Status setModified(std::string_view path, const platform::DateTime& t) override {
        return real_.setModified(path, t);
    }
    platform::Status removeFile(std::string_view path) override { return real_.removeFile(path); }
    platform::Status copyFile(std::string_view from, std::string_view to) override {
        return real_.copyFile(from, to);
    }
    platform::Status makeDirectory(std::string_view path) override {
        if (refuseToMake.count(std::string(path))) return platform::Status::accessDenied;
        made.emplace_back(path);
        if (inMemory(path)) {
            memory_.insert(std::string(path));
            return platform::Status::ok;
        }
        return real_.makeDirectory(path);
    }
    platform::Status removeDirectory(std::string_view path) override {
        return real_.removeDirectory(path);
    }
    std::unique_ptr<platform::OutputFile> openOutput(std::string_view path) override {
        return real_.openOutput(path);
    }
    std::optional<std::string> readFile(std::string_view path) override {
        return real_.readFile(path);
    }
    std::string currentDirectory() override { return real_.currentDirectory(); }
    platform::Status setCurrentDirectory(std::string_view path) override {
        return real_.setCurrentDirectory(path);
    }

private:
    bool inMemory(std::string_view path) const {
        return offline || (offlineNetwork && path.substr(0, 2) == "\\\\");
    }
    platform::FileSystem& real_;
    std::set<std::string> memory_;
};

class ToolkitTest : public ::testing::Test {
protected:
    TestRoot root;
    platform::NativeServices native{root.options()};
    RecordingFileSystem files{*native.files};
    ScriptedMessages messages;
    CountingEvents events;
    FixedLocale locale;
    platform::Services services{files,          *native.profiles, messages,
                                *native.pointer, events,           *native.clock,
                                locale,          *native.fileTable};
    clsFileSystem fso{services};

    std::string path(const std::string& relative) const { return root.path(relative); }

    void writeFile(const std::string& relative, const std::string& bytes) {
        auto out = native.files->openOutput(path(relative));
        out->write(bytes);
        out->close();
    }
    void makeFolder(const std::string& relative) {
        ASSERT_EQ(native.files->makeDirectory(path(relative)), platform::Status::ok) << relative;
    }
    std::optional<std::string> readFile(const std::string& relative) {
        return native.files->readFile(path(relative));
    }
    bool exists(const std::string& relative) { return native.files->exists(path(relative)); }
    std::uint32_t bits(const std::string& relative) {
        return native.files->attributes(path(relative)).value_or(0xFFFFFFFFu);
    }
};

}  // namespace orr::test

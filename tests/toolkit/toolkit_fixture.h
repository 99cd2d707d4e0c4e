// Shared set-up of the toolkit tests: the OS's own services over a fresh
// TestRoot, with the message boxes, the event pump and the locale replaced
// by observable doubles, and a file system that records what the toolkit
// asks of it.
#pragma once

#include "platform/error.h"
#include "support/scripted_messages.h"
#include "support/test_files.h"
#include "support/test_root.h"
#include "toolkit/clsFileSystem.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace orr::test {

// The number of the RunError `call` throws; 0 when it throws none.
template <class Call>
int runErrorNumber(Call call) {
    try {
        call();
    } catch (const RunError& e) {
        return e.number();
    }
    return 0;
}

class CountingEvents : public platform::EventPump {
public:
    void process() override { ++count; }
    int count = 0;
};

// The decimal separator a test chooses (no test here reads a date).
class FixedLocale : public platform::Locale {
public:
    std::string generalDate(const platform::DateTime&) override { return {}; }
    std::string decimalSeparator() override { return separator; }
    std::string separator = ".";
};

// Passes every request on to the real file system and records existence
// tests and folder creation. With `offlineNetwork`, network paths are
// answered in memory instead: nothing is listed, and a folder exists once
// it has been made.
class RecordingFileSystem : public platform::FileSystem {
public:
    explicit RecordingFileSystem(platform::FileSystem& real) : real_(real) {}

    std::vector<std::string> existsAsked;
    std::vector<std::string> made;
    std::set<std::string> unreadableAttributes;  // attributes() fails for these
    std::set<std::string> refuseToMake;          // makeDirectory() is denied for these
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
    std::vector<platform::DirEntry> list(std::string_view pattern) override {
        if (inMemory(pattern)) return {};
        return real_.list(pattern);
    }
    platform::Status makeDirectory(std::string_view path) override {
        if (refuseToMake.count(std::string(path))) return platform::Status::accessDenied;
        made.emplace_back(path);
        if (!inMemory(path)) return real_.makeDirectory(path);
        memory_.insert(std::string(path));
        return platform::Status::ok;
    }

    using Status = platform::Status;
    Status setAttributes(std::string_view p, std::uint32_t bits) override { return real_.setAttributes(p, bits); }
    std::optional<std::uint64_t> size(std::string_view p) override { return real_.size(p); }
    std::optional<platform::DateTime> modified(std::string_view p) override { return real_.modified(p); }
    Status setModified(std::string_view p, const platform::DateTime& t) override { return real_.setModified(p, t); }
    bool removalsFail = false;  // removeFile() is denied
    Status removeFile(std::string_view p) override { return removalsFail ? Status::accessDenied : real_.removeFile(p); }
    Status replaceFile(std::string_view from, std::string_view to) override { return real_.replaceFile(from, to); }
    Status copyFile(std::string_view from, std::string_view to) override { return real_.copyFile(from, to); }
    Status removeDirectory(std::string_view p) override { return real_.removeDirectory(p); }
    std::unique_ptr<platform::OutputFile> openOutput(std::string_view p) override { return real_.openOutput(p); }
    std::optional<std::string> readFile(std::string_view p) override { return real_.readFile(p); }
    std::string currentDirectory() override { return real_.currentDirectory(); }
    std::optional<std::string> fullPath(std::string_view path) override { return real_.fullPath(path); }
    Status setCurrentDirectory(std::string_view p) override { return real_.setCurrentDirectory(p); }
    platform::CopyIo* io = nullptr;  // copyIo() answers this one when set
    platform::CopyIo& copyIo() override { return io ? *io : real_.copyIo(); }
    std::unique_ptr<platform::RunClaim> claimRun() override { return real_.claimRun(); }

private:
    bool inMemory(std::string_view path) const {
        return offlineNetwork && path.substr(0, 2) == "\\\\";
    }
    platform::FileSystem& real_;
    std::set<std::string> memory_;
};

// Every pointer set, in order; the last one is the current one.
class RecordingPointer : public platform::MousePointer {
public:
    void set(platform::Pointer p) override { sets.push_back(p); }
    platform::Pointer current() const override { return sets.empty() ? platform::Pointer::normal : sets.back(); }
    std::vector<platform::Pointer> sets;
};

// A fresh TestRoot with the OS's own services, and its files by paths
// relative to it.
class FilesTest : public ::testing::Test {
protected:
    TestRoot root;
    platform::NativeServices native{root.options()};

    std::string path(const std::string& relative) const { return root.path(relative); }
    // Writes a file, making its folder first.
    void writeFile(const std::string& relative, const std::string& bytes) {
        test::writeFile(*native.files, path(relative), bytes);
    }
    void makeFolder(const std::string& relative) { makeFolders(*native.files, path(relative)); }
    std::optional<std::string> read(const std::string& relative) { return native.files->readFile(path(relative)); }
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

class ToolkitTest : public FilesTest {
protected:
    RecordingFileSystem files{*native.files};
    ScriptedMessages messages;
    CountingEvents events;
    FixedLocale locale;
    RecordingPointer pointer;
    platform::Services services{files,   *native.profiles, messages, pointer, events, *native.clock,
                                locale, *native.fileTable};
    clsFileSystem fso{services};
};

}  // namespace orr::test

// Shared set-up of the game data tests: the OS's own services over a fresh
// TestRoot, a journal of what the game data sets do (folder copies, folders
// made, wizard advances) and the fixed game folder, made for the test and
// removed after it.
#pragma once

#include "gamedata/ClsSims.h"
#include "support/scripted_messages.h"
#include "support/test_root.h"
#include "toolkit/toolkit_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orr::test {

// One line per observable act, in order.
using Journal = std::vector<std::string>;

// Records folders made (MakeDIR and every level CreateDirectoryStruct
// makes) and the pointer seen by each listing; everything else goes on to
// the real file system.
class JournalFileSystem : public RecordingFileSystem {
public:
    JournalFileSystem(platform::FileSystem& real, Journal& journal, platform::MousePointer& pointer)
        : RecordingFileSystem(real), journal_(journal), pointer_(pointer) {}

    platform::Status makeDirectory(std::string_view path) override {
        journal_.push_back("mkdir " + std::string(path));
        return RecordingFileSystem::makeDirectory(path);
    }
    std::vector<platform::DirEntry> list(std::string_view pattern) override {
        pointerWhileListing.push_back(pointer_.current());
        return RecordingFileSystem::list(pattern);
    }

    std::vector<platform::Pointer> pointerWhileListing;

private:
    Journal& journal_;
    platform::MousePointer& pointer_;
};

// Notes every copy as it starts, then hands it to the real copy if one is set.
class RecordingCopy : public platform::ShellCopy {
public:
    explicit RecordingCopy(Journal& journal) : journal_(journal) {}
    void copyFolder(std::string_view source, std::string_view destination) override {
        journal_.push_back("copy " + std::string(source) + " -> " + std::string(destination));
        if (real) real->copyFolder(source, destination);
    }
    platform::ShellCopy* real = nullptr;

private:
    Journal& journal_;
};

class RecordingPointer : public platform::MousePointer {
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

// The fixed game folder. Natively it lies inside the test's private drive;
// under Wine it is the prefix's own, so the guard makes sure none is there
// when the test starts (removing one that an earlier, aborted run of these
// tests left, known by a marker beside it) and removes it, and the Maxis
// folder if it made that, when the test ends.
class GameFolderGuard {
public:
    explicit GameFolderGuard(platform::FileSystem& files);
    ~GameFolderGuard();
    GameFolderGuard(const GameFolderGuard&) = delete;
    GameFolderGuard& operator=(const GameFolderGuard&) = delete;

    // Makes the game folder (empty).
    void make();

private:
    platform::FileSystem& files_;
    bool madeMaxis_ = false;
};

// Every entry below `folder`: relative path -> content, or "<dir>" for a
// folder; hidden and system entries included.
std::map<std::string, std::string> snapshot(platform::FileSystem& files, const std::string& folder);

// Deletes a folder with everything in it, read-only entries too.
void removeTree(platform::FileSystem& files, const std::string& folder);

class GameDataTest : public ::testing::Test {
protected:
    static constexpr const char* kGame = ClsSims::kGameFolder;

    TestRoot root;
    platform::NativeServices native{root.options()};
    Journal journal;
    RecordingPointer pointer;
    JournalFileSystem files{*native.files, journal, pointer};
    ScriptedMessages messages;
    CountingEvents events;
    platform::Services services{files,   *native.profiles, messages, pointer,
                                events,  *native.clock,    *native.locale, *native.fileTable};
    GameFolderGuard gameFolder{*native.files};
    RecordingCopy copier{journal};
    std::unique_ptr<platform::ShellCopy> realCopy;
    std::string backup = root.path("Backup");

    // Copies for real as well as noting them. The copy's own folders are
    // not journaled: only what the game data sets make themselves is.
    void useRealCopy() {
        realCopy = platform::makeShellCopy(*native.files, messages, events, nullptr);
        copier.real = realCopy.get();
    }

    // A ClsSims over `folder` whose wizard advances go into the journal.
    ClsSims sims(const std::string& folder) {
        return ClsSims(services, copier, folder, [this] { journal.push_back("next"); });
    }

    // Makes `path` (a full Windows path) with every missing level, unjournaled.
    void folder(const std::string& path);
    // Writes a file, making its folder first.
    void file(const std::string& path, const std::string& bytes);
    void setBits(const std::string& path, std::uint32_t bits) {
        ASSERT_EQ(native.files->setAttributes(path, bits), platform::Status::ok) << path;
    }
    // The names `pattern` lists, in the platform's order, restricted to `wanted`.
    std::vector<std::string> inListOrder(const std::string& folderPath,
                                         const std::vector<std::string>& wanted);

    // The journal without the folders made: copies and advances only.
    Journal copiesAndAdvances() const;
};

}  // namespace orr::test

// Shared set-up of the game data tests: the OS's own services over a fresh
// TestRoot, a journal of what the game data sets do (folder copies, folders
// made, wizard advances) and the fixed game folder, made for the test and
// removed after it.
#pragma once

#include "gamedata/ClsSims.h"
#include "support/scripted_messages.h"
#include "support/test_root.h"
#include "toolkit/toolkit_fixture.h"
#include "drive/DesktopFakes.h"

#include <gtest/gtest.h>

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

class GameDataTest : public ::testing::Test {
protected:
    GameDataTest() {
        copier.onCopy = [this](const auto& c) { journal.push_back("copy " + c.source + " -> " + c.destination); };
    }

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
    drive::RecordingCopy copier;  // notes every copy, and copies nothing
    std::string backup = root.path("Backup");

    // A ClsSims over `folder` whose wizard advances go into the journal.
    ClsSims sims(const std::string& folder) {
        return ClsSims(services, copier, GameFolder::fixed(), folder, [this] { journal.push_back("next"); });
    }

    std::string game(const std::string& relative) const { return std::string(kFixedGameFolder) + "\\" + relative; }
    // Makes `path` (a full Windows path) with every missing level, unjournaled.
    void folder(const std::string& path) { makeFolders(*native.files, path); }
    // Writes a file, making its folder first.
    void file(const std::string& path, const std::string& bytes) { writeFile(*native.files, path, bytes); }
    void setBits(const std::string& path, std::uint32_t bits) {
        ASSERT_EQ(native.files->setAttributes(path, bits), platform::Status::ok) << path;
    }
};

}  // namespace orr::test

// Shared set-up of the folder copy tests: the OS's own file system and
// shell copy over a fresh TestRoot, with message boxes, events and the
// mouse pointer replaced by observable doubles. With `wrapped`, the copy
// and the toolkit reach the file system through a pass-through service,
// so the copy cannot use what it knows of the OS's own one.
#pragma once

#include "platform/shell_copy.h"
#include "toolkit/MFile.h"
#include "toolkit/toolkit_fixture.h"

#include <memory>
#include <string>

namespace orr::test {

class CopyTest : public FilesTest {
protected:
    explicit CopyTest(bool wrapped = false)
        : files(wrapped ? static_cast<platform::FileSystem&>(wrapper) : *native.files) {}

    RecordingFileSystem wrapper{*native.files};
    platform::FileSystem& files;
    ScriptedMessages messages;
    CountingEvents events;
    RecordingPointer pointer;
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
};

// Each case runs with the copy on the OS's own file system and through a
// pass-through one.
class EitherFileSystem : public CopyTest, public ::testing::WithParamInterface<bool> {
protected:
    EitherFileSystem() : CopyTest(GetParam()) {}
};

}  // namespace orr::test

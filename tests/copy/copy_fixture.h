// Shared set-up of the folder copy tests: the OS's own file system and
// folder copy over a fresh TestRoot, with events and the mouse pointer
// replaced by observable doubles and a fault plan in front of the copy.
#pragma once

#include "copy/faults.h"
#include "copy/folder_copier.h"
#include "platform/sha256.h"
#include "gamedata/CopyWords.h"
#include "toolkit/MFile.h"
#include "toolkit/toolkit_fixture.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orr::test {

inline platform::Digest sha256Of(const std::string& bytes) {
    auto sha = platform::makeSha256();
    sha->update(bytes);
    return sha->finish();
}

class CopyTest : public FilesTest {
protected:
    platform::FileSystem& files = *native.files;
    ScriptedMessages messages;
    CountingEvents events;
    RecordingPointer pointer;
    platform::FaultPlan faults;
    platform::Services services{files,  *native.profiles, messages,      pointer,
                                events, *native.clock,    *native.locale, *native.fileTable};

    std::unique_ptr<platform::FolderCopier> folderCopier(platform::CopyProgress* progress = nullptr) {
        return platform::makeFolderCopier(files, events, progress, &faults);
    }
    // MFile::CopyFolder with the OS's own copy.
    platform::CopyOutcome copyFolder(const std::string& source, const std::string& destination) {
        auto copier = folderCopier();
        return MFile::CopyFolder(services, *copier, source, destination);
    }
    // The outcome in words, for a test's failure message.
    static std::string describe(const platform::CopyOutcome& o) {
        std::string out = report::refusalText(o.refusal);
        for (const auto& f : o.failures) out += "\n" + f.path + ": " + report::reasonText(f.reason);
        return out;
    }
    using Contents = std::map<std::string, std::string>;  // as test::snapshot gives them
    using Failed = std::vector<std::pair<std::string, platform::CopyReason>>;
    // The files a copy failed, each with its reason, to compare whole.
    static Failed failed(const platform::CopyOutcome& o) {
        Failed out;
        for (const auto& f : o.failures) out.emplace_back(f.path, f.reason);
        return out;
    }
    // The names of the copy's temporary files left below `relative`.
    std::vector<std::string> temporaries(const std::string& relative) {
        std::vector<std::string> out;
        for (const auto& [name, bytes] : snapshot(files, path(relative)))
            if (bytes != "<dir>" && platform::isCopyTemporary(name.substr(name.find_last_of('\\') + 1)))
                out.push_back(relative + "\\" + name);
        return out;
    }
};

}  // namespace orr::test

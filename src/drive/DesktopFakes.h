// The desktop services the scenario driver scripts, also used by the
// tests: a clipboard in memory, a browser whose association is scripted and
// whose starts are recorded, fixed user folders, file and folder choosers
// answered from a script, and a record of the folder copies. Each reports
// what the program does with it through an optional callback (for a
// transcript).
#pragma once

#include "platform/browser.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "copy/folder_copier.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orr::drive {

class MemoryClipboard final : public platform::Clipboard {
public:
    void clear() override { text_.clear(); }
    void setText(const std::string& text) override;
    std::string text() override { return text_; }

    // Called with the text each time the program puts text on the clipboard.
    std::function<void(const std::string&)> onSetText;

private:
    std::string text_;
};

class ScriptedBrowser final : public platform::Browser {
public:
    struct Start {
        std::string program;
        std::string argument;
        std::uintptr_t owner;
    };

    // The program associated with HTML files; nothing: none is.
    std::optional<std::string> association = "C:\\Program Files\\Browser\\browser.exe";
    // The next that many lookups find no program, whatever `association` says.
    int lookupsWithoutAssociation = 0;
    // Whether starting a program succeeds.
    bool startSucceeds = true;

    std::optional<std::string> findProgram(const std::string& htmlFile) override;
    bool start(const std::string& program, const std::string& argument, std::uintptr_t owner) override;

    // The files asked about and the programs started, in order.
    std::vector<std::string> asked;
    std::vector<Start> started;
    // Called on each question and each successful start, before the answer.
    std::function<void(const std::string& htmlFile)> onFind;
    std::function<void(const Start&)> onStart;
};

// The folders as given; the system's folders those of a 64-bit system,
// the user's local application data "" (none) unless set.
class FixedFolders final : public platform::UserFolders {
public:
    explicit FixedFolders(std::string temporary) : temporaryFolder(std::move(temporary)) {}
    std::string temporary() override { return temporaryFolder; }
    std::string localAppData() override { return localAppDataFolder; }
    std::string programFiles() override { return programFilesFolder; }
    std::string programFilesX86() override { return programFilesX86Folder; }
    std::string savedGames() override { return savedGamesFolder; }

    std::string temporaryFolder;
    std::string localAppDataFolder;
    std::string programFilesFolder = "C:\\Program Files";
    std::string programFilesX86Folder = "C:\\Program Files (x86)";
    std::string savedGamesFolder;
};

// The choosers answer at once, from queues of scripted answers, and keep
// every request. Without a queued answer the user cancels.
class ScriptedDialogs final : public platform::FileDialogs {
public:
    // The next open-file dialogs' answers: a path, or "" for Cancel.
    std::deque<std::string> openAnswers;
    // The next folder pickers' answers: a path, or nothing for Cancel.
    std::deque<std::optional<std::string>> folderAnswers;

    std::string openFile(const platform::OpenFileRequest& request) override;
    std::optional<std::string> pickFolder(const platform::FolderRequest& request) override;

    std::vector<platform::OpenFileRequest> openRequests;
    std::vector<platform::FolderRequest> folderRequests;
    // Called with each request and the answer it gets, before it returns.
    std::function<void(const platform::OpenFileRequest&, const std::string&)> onOpen;
    std::function<void(const platform::FolderRequest&, const std::optional<std::string>&)> onPick;
};

// The filter list of an open-file request as the caller wrote it: parts
// separated by "|" instead of ended by NULs.
std::string filterText(const std::string& filterList);

// Records every folder copy and passes it on to the copy it wraps (none:
// the copy does nothing).
class RecordingCopy final : public platform::FolderCopier {
public:
    struct Copy {
        std::string source;
        std::string destination;
    };

    explicit RecordingCopy(platform::FolderCopier* inner = nullptr) : inner_(inner) {}
    void passTo(platform::FolderCopier* inner) { inner_ = inner; }
    platform::CopyOutcome copyFolder(std::string_view source, std::string_view destination,
                                     const platform::CopyOptions& options = {}) override;
    bool writeManifest(std::string_view folder, const std::vector<std::string>& sets,
                       const std::vector<platform::CopyOutcome::FileDigest>& known,
                       std::string_view manifest) override;
    platform::RoomNeed measure(std::string_view source, std::string_view destination,
                               const platform::CopyOptions& options = {}) override;
    platform::VerifyOutcome verify(std::string_view folder, std::string_view manifest,
                                   const std::atomic<bool>* stop = nullptr,
                                   const std::vector<std::string>& skipSets = {}) override;

    std::vector<Copy> copies;
    // Called as each copy starts, and with its outcome as it ends.
    std::function<void(const Copy&)> onCopy;
    std::function<void(const Copy&, const platform::CopyOutcome&)> onDone;
    // Called with each verification's outcome.
    std::function<void(const std::string&, const platform::VerifyOutcome&)> onVerify;

private:
    platform::FolderCopier* inner_;
};

}  // namespace orr::drive

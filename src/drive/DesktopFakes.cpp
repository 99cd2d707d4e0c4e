#include "DesktopFakes.h"

namespace orr::drive {

void MemoryClipboard::setText(const std::string& text) {
    text_ = text;
    if (onSetText) onSetText(text_);
}

std::optional<std::string> ScriptedBrowser::findProgram(const std::string& htmlFile) {
    asked.push_back(htmlFile);
    if (onFind) onFind(htmlFile);
    if (lookupsWithoutAssociation > 0) {
        --lookupsWithoutAssociation;
        return std::nullopt;
    }
    return association;
}

bool ScriptedBrowser::start(const std::string& program, const std::string& argument,
                            std::uintptr_t owner) {
    if (!startSucceeds) return false;
    started.push_back({program, argument, owner});
    if (onStart) onStart(started.back());
    return true;
}

namespace {

// The next scripted answer; without one, the dialog's Cancel.
template <class T>
T takeFront(std::deque<T>& answers) {
    if (answers.empty()) return T{};
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

std::string ScriptedDialogs::openFile(const platform::OpenFileRequest& request) {
    openRequests.push_back(request);
    std::string answer = takeFront(openAnswers);
    if (onOpen) onOpen(request, answer);
    return answer;
}

std::optional<std::string> ScriptedDialogs::pickFolder(const platform::FolderRequest& request) {
    folderRequests.push_back(request);
    std::optional<std::string> answer = takeFront(folderAnswers);
    if (onPick) onPick(request, answer);
    return answer;
}

std::string filterText(const std::string& filterList) {
    std::string list = filterList;
    // The list ends in its last part's NUL and one more: neither is a separator.
    while (!list.empty() && list.back() == '\0') list.pop_back();
    for (char& c : list)
        if (c == '\0') c = '|';
    return list;
}

platform::CopyOutcome RecordingCopy::copyFolder(std::string_view source, std::string_view destination,
                                                const platform::CopyOptions& options) {
    copies.push_back({std::string(source), std::string(destination)});
    if (onCopy) onCopy(copies.back());
    platform::CopyOutcome outcome =
        inner_ ? inner_->copyFolder(source, destination, options) : platform::CopyOutcome{};
    if (onDone) onDone(copies.back(), outcome);
    return outcome;
}

bool RecordingCopy::writeManifest(std::string_view folder, const std::vector<std::string>& sets,
                                  const std::vector<platform::CopyOutcome::FileDigest>& known,
                                  std::string_view manifest) {
    return inner_ ? inner_->writeManifest(folder, sets, known, manifest) : true;
}

platform::RoomNeed RecordingCopy::measure(std::string_view source, std::string_view destination,
                                          const platform::CopyOptions& options) {
    return inner_ ? inner_->measure(source, destination, options) : platform::RoomNeed{};
}

platform::VerifyOutcome RecordingCopy::verify(std::string_view folder, std::string_view manifest,
                                              const std::atomic<bool>* stop,
                                              const std::vector<std::string>& skipSets) {
    platform::VerifyOutcome outcome =
        inner_ ? inner_->verify(folder, manifest, stop, skipSets) : platform::VerifyOutcome{};
    if (onVerify) onVerify(std::string(folder), outcome);
    return outcome;
}

}  // namespace orr::drive

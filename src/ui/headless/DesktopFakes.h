// The desktop services without a desktop, for the scenario driver and the
// tests: a clipboard in memory, a browser whose association is scripted and
// whose starts are recorded, and fixed user folders. Each reports what the
// program does with it through an optional callback (for a transcript).
#pragma once

#include "platform/browser.h"
#include "platform/clipboard.h"
#include "platform/folders.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orr::ui {

class MemoryClipboard final : public platform::Clipboard {
public:
    void clear() override;
    void setText(const std::string& text) override;
    std::string text() override { return text_; }

    // Called with the clipboard's text after every change.
    std::function<void(const std::string&)> onChange;

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

class FixedFolders final : public platform::UserFolders {
public:
    explicit FixedFolders(std::string temporary) : temporary_(std::move(temporary)) {}
    std::string temporary() override { return temporary_; }

private:
    std::string temporary_;
};

}  // namespace orr::ui

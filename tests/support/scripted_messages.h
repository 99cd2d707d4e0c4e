// A message box service for tests: records every box shown and answers
// from a script. An OK box answers ok; a Yes/No box takes the next
// scripted answer and fails the test when none is left.
#pragma once

#include "platform/messagebox.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace orr::test {

class ScriptedMessages : public platform::MessageBoxes {
public:
    struct Shown {
        std::string text;
        std::string caption;
        platform::MsgButtons buttons;
        platform::MsgIcon icon;
    };

    void answerNext(platform::MsgAnswer a) { answers_.push_back(a); }

    platform::MsgAnswer show(const std::string& text, const std::string& caption,
                             platform::MsgButtons buttons, platform::MsgIcon icon) override {
        shown.push_back({text, caption, buttons, icon});
        if (buttons == platform::MsgButtons::ok) return platform::MsgAnswer::ok;
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return platform::MsgAnswer::no;
        }
        auto a = answers_.front();
        answers_.pop_front();
        return a;
    }

    // The texts shown so far, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& s : shown) t.push_back(s.text);
        return t;
    }

    std::vector<Shown> shown;

private:
    std::deque<platform::MsgAnswer> answers_;
};

}  // namespace orr::test

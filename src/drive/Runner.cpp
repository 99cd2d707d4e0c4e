#include "Runner.h"
#include "platform/ascii.h"

#include <algorithm>
#include <cctype>
#include <iostream>

namespace orr::drive {
namespace {

const std::string& waitSource(const Line& line) { return std::get<std::string>(line.tokens[2].value); }

}  // namespace

void Runner::runLine(const Line& line) {
    const Command& command = *commands_.find(line.tokens.front().word);
    try {
        command.run(session_, line);
    } catch (const LineError&) {
        throw;
    } catch (const UsageError& e) {
        throw LineError("line " + std::to_string(line.number) + ": " + e.what());
    }
    std::cout.flush();
}

std::size_t Runner::holdEnd(std::size_t first) const {
    std::size_t end = first;
    while (end < lines_.size()) {
        const Command& c = *commands_.find(lines_[end].tokens.front().word);
        if (c.input || c.holdsLines) break;
        ++end;
    }
    return end;
}

bool Runner::runPiece() {
    bool ran = false;
    while (next_ < lines_.size()) {
        const Line& line = lines_[next_++];
        const Command& command = *commands_.find(line.tokens.front().word);
        ran = true;
        if (command.holdsLines) {
            std::size_t end = holdEnd(next_);
            waits_.push_back({waitSource(line), next_, end});
            next_ = end;
            continue;
        }
        runLine(line);
        if (command.input) break;
    }
    return ran;
}

bool Runner::copyStarting(const std::string& source) {
    std::vector<Wait> met;
    std::erase_if(waits_, [&](const Wait& w) {
        if (!ascii::equal(w.source, source)) return false;
        met.push_back(w);
        return true;
    });
    for (const Wait& w : met)
        for (std::size_t i = w.first; i < w.end; ++i) runLine(lines_[i]);
    return !met.empty();
}

void Runner::reportUnmet() {
    for (const Wait& w : waits_)
        std::cout << "! wait copy " << formatValue(w.source) << " not met (no such copy started)\n";
    waits_.clear();
    std::cout.flush();
}

void Runner::checkWaits(const std::vector<Line>& lines, const CommandTable& commands) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!commands.find(lines[i].tokens.front().word)->holdsLines) continue;
        const Command* next =
            i + 1 < lines.size() ? commands.find(lines[i + 1].tokens.front().word) : nullptr;
        if (!next || next->input || next->holdsLines)
            throw UsageError("line " + std::to_string(lines[i].number) +
                             ": wait copy holds no lines (those after it, up to the next start, click, "
                             "type, key or wait)");
    }
}

void addWaitCommand(CommandTable& commands) {
    commands.add("wait", Command{
        [](const Line& line) {
            bool ok = line.tokens.size() == 3 && line.tokens[1].kind == Token::Kind::word &&
                      line.tokens[1].word == "copy" && line.tokens[2].kind == Token::Kind::value &&
                      std::holds_alternative<std::string>(line.tokens[2].value);
            if (!ok) throw UsageError("usage: wait copy \"SOURCE\"");
        },
        [](Session&, const Line&) {},
        false,
        true});
}

}  // namespace orr::drive

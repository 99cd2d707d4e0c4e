#include "Runner.h"
#include "platform/ascii.h"

#include <algorithm>
#include <cctype>
#include <iostream>

namespace orr::drive {
namespace {

const std::string& waitSource(const Line& line) { return std::get<std::string>(line.tokens.back().value); }

// `wait copied N`: N; `wait copy`: nothing.
std::optional<std::uint64_t> waitFiles(const Line& line) {
    if (line.tokens.size() != 4) return std::nullopt;
    return static_cast<std::uint64_t>(std::get<std::int64_t>(line.tokens[2].value));
}

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
            waits_.push_back({waitSource(line), next_, end, waitFiles(line)});
            next_ = end;
            continue;
        }
        runLine(line);
        if (command.input) break;
    }
    return ran;
}

bool Runner::runMet(const std::function<bool(const Wait&)>& meets) {
    std::vector<Wait> met;
    std::erase_if(waits_, [&](const Wait& w) {
        if (!meets(w)) return false;
        met.push_back(w);
        return true;
    });
    for (const Wait& w : met)
        for (std::size_t i = w.first; i < w.end; ++i) runLine(lines_[i]);
    return !met.empty();
}

bool Runner::copyStarting(const std::string& source) {
    return runMet([&](const Wait& w) { return !w.files && ascii::equal(w.source, source); });
}

bool Runner::copySettled(const std::string& source, std::uint64_t files) {
    return runMet([&](const Wait& w) { return w.files && files >= *w.files && ascii::equal(w.source, source); });
}

void Runner::reportUnmet() {
    for (const Wait& w : waits_) {
        if (w.files)
            std::cout << "! wait copied " << *w.files << ' ' << formatValue(w.source)
                      << " not met (no such copy settled as many files)\n";
        else
            std::cout << "! wait copy " << formatValue(w.source) << " not met (no such copy started)\n";
    }
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
                             ": wait holds no lines (those after it, up to the next start, click, "
                             "type, key or wait)");
    }
}

void addWaitCommand(CommandTable& commands) {
    commands.add("wait", Command{
        [](const Line& line) {
            const auto& t = line.tokens;
            const bool source = t.back().kind == Token::Kind::value && std::holds_alternative<std::string>(t.back().value);
            const bool copy = t.size() == 3 && t[1].kind == Token::Kind::word && t[1].word == "copy";
            const bool copied = t.size() == 4 && t[1].kind == Token::Kind::word && t[1].word == "copied" &&
                                t[2].kind == Token::Kind::value && std::holds_alternative<std::int64_t>(t[2].value) &&
                                std::get<std::int64_t>(t[2].value) > 0;
            if (!source || !(copy || copied)) throw UsageError("usage: wait copy \"SOURCE\" | wait copied N \"SOURCE\"");
        },
        [](Session&, const Line&) {},
        false,
        true});
}

}  // namespace orr::drive

// Runs a script's lines in order. The program pulls them while it waits for
// the user, one piece at a time: the lines up to and including the next
// one that gives the program input. A `wait copy` line sets the lines after
// it (up to the next input or `wait`) aside until a folder copy of that
// source starts; `wait copied N` until N files of such a copy have settled.
#pragma once

#include "Commands.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orr::drive {

// A line's failure, already marked with its line number.
class LineError : public UsageError {
public:
    using UsageError::UsageError;
};

class Runner {
public:
    Runner(const std::vector<Line>& lines, const CommandTable& commands, Session& session)
        : lines_(lines), commands_(commands), session_(session) {}

    // Whether the lines can run as a whole: each `wait` has lines to hold.
    // UsageError (with the line number) when not.
    static void checkWaits(const std::vector<Line>& lines, const CommandTable& commands);

    // One piece; false when the script has no more lines.
    bool runPiece();
    // A folder copy of `source` starts: runs the lines of every wait it
    // meets, in the script's order. True when any ran.
    bool copyStarting(const std::string& source);
    // `files` files of a folder copy of `source` have settled: runs the
    // lines of every `wait copied` it meets. True when any ran.
    bool copySettled(const std::string& source, std::uint64_t files);
    // Writes one line for each wait that no copy met.
    void reportUnmet();

private:
    struct Wait {
        std::string source;
        std::size_t first;  // the lines it holds: [first, end)
        std::size_t end;
        std::optional<std::uint64_t> files;  // `wait copied`: files settled
    };
    // Runs the lines of every wait that `meets` answers true for.
    bool runMet(const std::function<bool(const Wait&)>& meets);

    void runLine(const Line& line);
    // Where the lines that a wait at `first - 1` holds end.
    std::size_t holdEnd(std::size_t first) const;

    const std::vector<Line>& lines_;
    const CommandTable& commands_;
    Session& session_;
    std::size_t next_ = 0;
    std::vector<Wait> waits_;
};

// `wait copy "SOURCE"` and `wait copied N "SOURCE"`.
void addWaitCommand(CommandTable& commands);

}  // namespace orr::drive

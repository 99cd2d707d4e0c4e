// Runs a script's lines in order. The program pulls them while it waits for
// the user, one piece at a time: the lines up to and including the next
// one that gives the program input. A `wait copy` line sets the lines after
// it (up to the next input or `wait`) aside until a folder copy of that
// source starts.
#pragma once

#include "Commands.h"

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
    // Writes one line for each wait that no copy met.
    void reportUnmet();

private:
    struct Wait {
        std::string source;
        std::size_t first;  // the lines it holds: [first, end)
        std::size_t end;
    };

    void runLine(const Line& line);
    // Where the lines that a wait at `first - 1` holds end.
    std::size_t holdEnd(std::size_t first) const;

    const std::vector<Line>& lines_;
    const CommandTable& commands_;
    Session& session_;
    std::size_t next_ = 0;
    std::vector<Wait> waits_;
};

// `wait copy "SOURCE"`.
void addWaitCommand(CommandTable& commands);

}  // namespace orr::drive

#include "RunLog.h"

#include "copy/folder_copier.h"
#include "gamedata/RunReport.h"

#include <cstdio>
#include <utility>

namespace orr::cli {
namespace {

// The report's lines joined into one: a log line never spans two.
std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            if (!out.empty() && out.back() != ' ') out += "; ";
            continue;
        }
        out += c;
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == ';')) out.pop_back();
    return out;
}

}  // namespace

std::string logLine(const platform::DateTime& when, const RunResult& result) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d %02d:%02d", when.year, when.month, when.day, when.hour,
                  when.minute);
    std::string line = std::string(date) + (result.completed()                          ? " complete: "
                        : result.kind == RunResult::Kind::cancelled ? " stopped, not complete: "
                                                                    : " not complete: ") +
                       report::summary(result.sets);
    if (result.markFailed) line += " The backup could not be marked as complete.";
    if (const std::string failed = oneLine(report::problems(result.sets)); !failed.empty()) line += " " + failed;
    return line;
}

platform::WholeWrite appendLog(platform::FileSystem& files, const std::string& folder, const std::string& line) {
    const std::string log = folder + "\\" + kLogName;
    std::string text;
    if (files.exists(log)) {
        auto old = files.readFile(log);
        if (!old) return {};  // an old log that cannot be read is not replaced
        text = std::move(*old);
    }
    text += line + "\r\n";
    // The old log stays whole until the new one is.
    return platform::writeWhole(files, log, [&](const std::string& temp) {
        auto out = files.openOutput(temp);
        out->write(text);
        out->close();
        return true;
    });
}

}  // namespace orr::cli

// orrindale-drive [--root DIR] [--today YYYY-MM-DD] [--progress] [SCRIPT]
// Runs a scripted session against the program and prints its transcript.
// Once `start` has run, the program's own message loop pulls the script's
// further lines, so that they nest inside modal shows as clicks would; once
// it has ended, the script goes on here.
#include "Runner.h"
#include "platform/console.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace orr::drive {
namespace {

struct Arguments {
    platform::Options options;
    std::optional<platform::DateTime> today;
    std::string script;  // empty: standard input
    bool progress = false;
};

platform::DateTime parseDay(const std::string& s) {
    platform::DateTime d;
    char dash1 = 0, dash2 = 0;
    std::istringstream in(s);
    if (!(in >> d.year >> dash1 >> d.month >> dash2 >> d.day) || dash1 != '-' || dash2 != '-' ||
        !in.eof() || d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31)
        throw UsageError("--today wants YYYY-MM-DD, not " + s);
    d.hour = 12;
    return d;
}

Arguments parseArguments(int argc, char** argv) {
    Arguments a;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError(arg + " wants a value");
            return argv[++i];
        };
        if (arg == "--root") a.options.root = value();
        else if (arg == "--today") a.today = parseDay(value());
        else if (arg == "--progress") a.progress = true;
        else if (arg.rfind("--", 0) == 0) throw UsageError("unknown option " + arg);
        else if (a.script.empty()) a.script = arg;
        else throw UsageError("more than one script given");
    }
    return a;
}

int run(int argc, char** argv) {
    Arguments args = parseArguments(argc, argv);

    std::vector<Line> lines;
    if (args.script.empty()) {
        lines = readScript(std::cin);
    } else {
        std::ifstream file(args.script, std::ios::binary);
        if (!file) throw UsageError("cannot read " + args.script);
        lines = readScript(file);
    }

    // The processes the program sees, as the script sets them.
    platform::ScriptedProcesses processes;
    CallTable calls;
    addToolkitCalls(calls);
    addRegistryCalls(calls, args.options);
    addGameCalls(calls, processes);
    CommandTable commands;
    addCallCommands(commands, calls);
    addUiCommands(commands);
    addFileCommands(commands);
    addProcessCommands(commands);
    addTaskCommands(commands);
    addWaitCommand(commands);

    // The whole script is checked before anything runs.
    for (const Line& line : lines) {
        const auto& first = line.tokens.front();
        const Command* c = first.kind == Token::Kind::word ? commands.find(first.word) : nullptr;
        try {
            if (!c) throw UsageError("unknown command " + (first.word.empty() ? formatValue(first.value) : first.word));
            c->check(line);
        } catch (const UsageError& e) {
            throw UsageError("line " + std::to_string(line.number) + ": " + e.what());
        }
    }
    Runner::checkWaits(lines, commands);

    // After "end" the script goes on outside the program, until a further
    // `start` runs it anew.
    Session session(args.options, args.today, std::cout, processes);
    if (args.progress) session.showProgress();
    Runner runner(lines, commands, session);
    session.setInput([&runner] { return runner.runPiece(); });
    session.onCopyStart([&runner](const std::string& source) { return runner.copyStarting(source); });
    session.onCopySettled(
        [&runner](const std::string& source, std::uint64_t files) { return runner.copySettled(source, files); });
    while (runner.runPiece()) {
    }
    runner.reportUnmet();
    return 0;
}

}  // namespace
}  // namespace orr::drive

int main(int argc, char** argv) {
    orr::platform::prepareConsole();
    try {
        return orr::drive::run(argc, argv);
    } catch (const orr::drive::UsageError& e) {
        std::cout.flush();
        std::cerr << "orrindale-drive: " << e.what() << '\n';
        return 2;
    }
}

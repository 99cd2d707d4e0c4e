#include "Commands.h"

#include "platform/error.h"

namespace orr::drive {
namespace {

Args argsFrom(const Line& line, std::size_t first) {
    Args args;
    for (std::size_t i = first; i < line.tokens.size(); ++i) {
        if (line.tokens[i].kind != Token::Kind::value)
            throw UsageError("argument " + std::to_string(i - first + 1) + " is not a value: " +
                             line.tokens[i].word);
        args.push_back(line.tokens[i].value);
    }
    return args;
}

platform::MsgAnswer parseAnswer(const std::string& w) {
    if (w == "ok") return platform::MsgAnswer::ok;
    if (w == "yes") return platform::MsgAnswer::yes;
    if (w == "no") return platform::MsgAnswer::no;
    throw UsageError("answer must be ok, yes or no");
}

}  // namespace

void printError(std::ostream& out, const RunError& e) {
    out << "! error " << e.number() << ": " << e.description();
    if (e.source() != "Orrindale") out << " (source " << e.source() << ")";
    out << '\n';
}

void addCallCommands(CommandTable& commands, const CallTable& calls) {
    commands.add("call", Command{
        [&calls](const Line& line) {
            const auto& name = wordAt(line, 1, "a routine name");
            if (!calls.find(name)) throw UsageError("no routine named " + name);
            argsFrom(line, 2);
        },
        [&calls](Session& s, const Line& line) {
            const Routine& routine = *calls.find(line.tokens[1].word);
            try {
                Result r = routine(s.services(), argsFrom(line, 2));
                if (r) s.out() << "= " << formatValue(*r) << '\n';
                else s.out() << "ok\n";
            } catch (const RunError& e) {
                printError(s.out(), e);
            }
        }});

    commands.add("answer", Command{
        [](const Line& line) {
            parseAnswer(wordAt(line, 1, "ok, yes or no"));
            if (line.tokens.size() != 2) throw UsageError("answer takes one word");
        },
        [](Session& s, const Line& line) { s.messages().queue(parseAnswer(line.tokens[1].word)); }});
}

}  // namespace orr::drive

// The commands that run the program and act as its user: start, click,
// type, choose, key, queue click; dump and shot look at a form; association,
// picker and open script what the desktop answers next.
#include "Commands.h"
#include "backup/frmBackup.h"
#include "restore/frmRestore.h"
#include "shell/Program.h"
#include "ui/Controls.h"
#include "ui/FormView.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <set>

namespace orr::drive {
namespace {

// FORM.CONTROL or FORM.CONTROL(INDEX).
struct Target {
    std::string form;
    std::string control;
    int index = -1;
};

bool isName(const std::string& s) {
    if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
    for (char c : s)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

Target parseTarget(const std::string& w) {
    Target t;
    auto dot = w.find('.');
    if (dot == std::string::npos) throw UsageError("expected FORM.CONTROL, not " + w);
    t.form = w.substr(0, dot);
    std::string rest = w.substr(dot + 1);
    if (auto open = rest.find('('); open != std::string::npos) {
        std::string digits = rest.back() == ')' ? rest.substr(open + 1, rest.size() - open - 2) : "";
        bool number = !digits.empty() && digits.size() <= 4 &&
                      std::all_of(digits.begin(), digits.end(),
                                  [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
        if (!number) throw UsageError("bad index in " + w);
        t.index = std::stoi(digits);
        rest = rest.substr(0, open);
    }
    t.control = rest;
    if (!isName(t.form) || !isName(t.control)) throw UsageError("expected FORM.CONTROL, not " + w);
    return t;
}

ui::KeyPress parseKey(const std::string& w) {
    using ui::Key;
    if (w == "Esc") return {Key::escape};
    if (w == "Enter") return {Key::enter};
    if (w == "Tab") return {Key::tab};
    if (w == "Shift+Tab") return {Key::tab, 0, true};
    if (w == "Alt+F4") return {Key::f4, 0, false, true};
    if (w.size() == 5 && w.rfind("Alt+", 0) == 0 && std::isalnum(static_cast<unsigned char>(w[4])))
        return {Key::character, static_cast<char>(std::toupper(static_cast<unsigned char>(w[4]))), false, true};
    throw UsageError("key must be Esc, Enter, Tab, Shift+Tab, Alt+F4 or Alt+LETTER, not " + w);
}

// A dialog's scripted answer: "PATH" or cancel.
void checkAnswer(const Line& line, const char* usage, const char* what) {
    expectCount(line, 2, usage);
    if (line.tokens[1].kind == Token::Kind::value) textArg(line, 1, what);
    else if (line.tokens[1].word != "cancel") throw UsageError(std::string("usage: ") + usage);
}

ui::Form& formNamed(Session& s, const std::string& name) {
    ui::Form* form = s.program().gui.findForm(name);
    if (!form) throw UsageError("no form " + name + " (not made yet)");
    return *form;
}

ui::Control& controlOf(Session& s, const Target& t) {
    ui::Form& form = formNamed(s, t.form);
    ui::Control* c = form.find(t.control, t.index);
    if (!c) throw UsageError("no control " + t.control + (t.index >= 0 ? "(" + std::to_string(t.index) + ")" : "") +
                             " on " + t.form);
    return *c;
}

void notTaken(Session& s) { s.out() << "! not taken\n"; }

const char* truth(bool b) { return b ? "True" : "False"; }

std::string nameOf(const std::string& name, int index) {
    return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

std::string colorText(ui::Color c) {
    char buffer[16];
    if (ui::isSystemColor(c))
        std::snprintf(buffer, sizeof buffer, "&H%08X&", static_cast<unsigned>(c));
    else
        std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", static_cast<unsigned>(c & 0xFF),
                      static_cast<unsigned>((c >> 8) & 0xFF), static_cast<unsigned>((c >> 16) & 0xFF));
    return buffer;
}

// One line of a dump, with the item a partial dump selects it by: a form
// property (Visible, ActiveControl, Step, BackupFolder) or a control's name
// with and without its index.
struct DumpLine {
    std::string item;
    std::string element;  // NAME(INDEX) for an element of an array
    std::string text;
};

// A wizard's step (0 Start, 1 to 4 Step 1 to 4, 5 Finish); -1 for a form
// that is no wizard.
int wizardStep(const ui::Form& form) {
    if (const auto* backup = dynamic_cast<const frmBackup*>(&form)) return backup->step();
    if (const auto* restore = dynamic_cast<const frmRestore*>(&form)) return restore->step();
    return -1;
}

std::vector<DumpLine> dumpLines(Session& s, const ui::Form& form) {
    std::vector<DumpLine> lines;
    const std::string& f = form.name();
    ui::FormView view = ui::viewOf(form);
    auto add = [&](const std::string& item, const std::string& element, std::string text) {
        lines.push_back({item, element, std::move(text)});
    };
    add("Visible", "", f + ".Visible=" + truth(view.visible));
    add("ActiveControl", "",
        f + ".ActiveControl=" +
            (view.focus ? nameOf(view.focus->name(), view.focus->index()) : std::string("Nothing")));
    if (int step = wizardStep(form); step >= 0) {
        add("Step", "", f + ".Step=" + std::to_string(step));
        add("BackupFolder", "", "BackupFolder=" + formatValue(s.program().backupFolder));
    }
    std::set<std::string> stacks;
    for (const ui::ControlState& c : view.controls) {
        std::string element = nameOf(c.name, c.index);
        std::string id = f + "." + element;
        if (c.kind == ui::ControlKind::frame && c.index >= 0 && stacks.insert(c.name).second) {
            for (const auto& [name, front] : view.frontFrames)
                if (name == c.name) add(c.name, "", f + "." + name + ".Front=" + std::to_string(front));
        }
        add(c.name, element, id + ".Enabled=" + truth(c.enabled));
        switch (c.kind) {
        case ui::ControlKind::checkBox:
            // What a box stands for is its caption; an option button's is fixed.
            add(c.name, element, id + ".Caption=" + formatValue(c.caption.value_or("")));
            [[fallthrough]];
        case ui::ControlKind::optionButton:
            add(c.name, element, id + ".Value=" + truth(c.value.value_or(false)));
            break;
        case ui::ControlKind::comboBox: {
            const auto& list = c.list.value_or(std::vector<std::string>{});
            add(c.name, element, id + ".ListCount=" + std::to_string(list.size()));
            for (std::size_t i = 0; i < list.size(); ++i)
                add(c.name, element, id + ".List(" + std::to_string(i) + ")=" + formatValue(list[i]));
            add(c.name, element, id + ".ListIndex=" + std::to_string(c.listIndex.value_or(-1)));
            add(c.name, element, id + ".Text=" + formatValue(c.text.value_or("")));
            break;
        }
        case ui::ControlKind::textBox:
            add(c.name, element, id + ".Text=" + formatValue(c.text.value_or("")));
            break;
        case ui::ControlKind::label:
            add(c.name, element, id + ".Caption=" + formatValue(c.caption.value_or("")));
            add(c.name, element, id + ".FontBold=" + truth(c.fontBold.value_or(false)));
            break;
        case ui::ControlKind::shape:
            add(c.name, element, id + ".FillColor=" + colorText(c.fillColor.value_or(0)));
            break;
        default: break;
        }
    }
    return lines;
}

// The whole form, or only the items named (in the whole dump's order).
void dump(Session& s, const ui::Form& form, const std::vector<std::string>& items) {
    std::vector<DumpLine> lines = dumpLines(s, form);
    for (const std::string& item : items) {
        bool known = std::any_of(lines.begin(), lines.end(), [&](const DumpLine& l) {
            return l.item == item || l.element == item;
        });
        if (!known) throw UsageError("nothing to dump for " + form.name() + " " + item);
    }
    for (const DumpLine& l : lines) {
        bool wanted = items.empty() || std::any_of(items.begin(), items.end(), [&](const std::string& i) {
                          return l.item == i || l.element == i;
                      });
        if (wanted) s.out() << l.text << '\n';
    }
}

}  // namespace

void addUiCommands(CommandTable& commands) {
    commands.add("start", Command{
        [](const Line& line) { expectCount(line, 1, "start"); },
        [](Session& s, const Line&) { s.start(); },
        true});

    commands.add("click", Command{
        [](const Line& line) {
            expectCount(line, 2, "click FORM.CONTROL");
            parseTarget(wordAt(line, 1, "FORM.CONTROL"));
        },
        [](Session& s, const Line& line) {
            ui::Control& c = controlOf(s, parseTarget(line.tokens[1].word));
            if (!s.program().gui.click(c)) notTaken(s);
        },
        true});

    commands.add("type", Command{
        [](const Line& line) {
            expectCount(line, 3, "type FORM.CONTROL \"TEXT\"");
            parseTarget(wordAt(line, 1, "FORM.CONTROL"));
            textArg(line, 2, "the text");
        },
        [](Session& s, const Line& line) {
            Target t = parseTarget(line.tokens[1].word);
            auto* box = dynamic_cast<ui::TextBox*>(&controlOf(s, t));
            if (!box) throw UsageError(t.control + " is no text box");
            if (!s.program().gui.type(*box, textArg(line, 2, "the text"))) notTaken(s);
        },
        true});

    commands.add("choose", Command{
        [](const Line& line) {
            expectCount(line, 3, "choose FORM.CONTROL \"TEXT\"");
            parseTarget(wordAt(line, 1, "FORM.CONTROL"));
            textArg(line, 2, "the entry");
        },
        [](Session& s, const Line& line) {
            Target t = parseTarget(line.tokens[1].word);
            auto* box = dynamic_cast<ui::ComboBox*>(&controlOf(s, t));
            if (!box) throw UsageError(t.control + " is no drop-down list");
            std::string entry = textArg(line, 2, "the entry");
            const auto& items = box->items();
            auto at = std::find(items.begin(), items.end(), entry);
            if (at == items.end()) throw UsageError("no entry " + formatValue(entry) + " in " + t.control + " on " + t.form);
            if (!s.program().gui.choose(*box, static_cast<int>(at - items.begin()))) notTaken(s);
        },
        true});

    commands.add("key", Command{
        [](const Line& line) {
            expectCount(line, 3, "key FORM KEY");
            if (!isName(wordAt(line, 1, "a form's name"))) throw UsageError("expected a form's name");
            parseKey(wordAt(line, 2, "a key"));
        },
        [](Session& s, const Line& line) {
            ui::Form& form = formNamed(s, line.tokens[1].word);
            if (!s.program().gui.key(form, parseKey(line.tokens[2].word))) notTaken(s);
        },
        true});

    commands.add("queue", Command{
        [](const Line& line) {
            expectCount(line, 3, "queue click FORM.CONTROL");
            if (wordAt(line, 1, "click") != "click") throw UsageError("usage: queue click FORM.CONTROL");
            parseTarget(wordAt(line, 2, "FORM.CONTROL"));
        },
        [](Session& s, const Line& line) {
            ui::Control& c = controlOf(s, parseTarget(line.tokens[2].word));
            // Only a form on the screen can hold a click (the window toolkit
            // queues it in that form's windows).
            if (!c.form().visible()) return notTaken(s);
            s.program().gui.queueClick(c);
        }});

    commands.add("dump", Command{
        [](const Line& line) {
            if (!isName(wordAt(line, 1, "a form's name"))) throw UsageError("usage: dump FORM [ITEM...]");
            for (std::size_t i = 2; i < line.tokens.size(); ++i) wordAt(line, i, "an item to dump");
        },
        [](Session& s, const Line& line) {
            std::vector<std::string> items;
            for (std::size_t i = 2; i < line.tokens.size(); ++i) items.push_back(line.tokens[i].word);
            dump(s, formNamed(s, line.tokens[1].word), items);
        }});

    // Screenshots for the documentation: nothing goes into the transcript,
    // which stays the same where no windows exist.
    commands.add("shot", Command{
        [](const Line& line) {
            expectCount(line, 3, "shot FORM FILE");
            if (!isName(wordAt(line, 1, "a form's name"))) throw UsageError("expected a form's name");
            if (line.tokens[2].kind == Token::Kind::value) textArg(line, 2, "the file");
        },
        [](Session& s, const Line& line) {
            const ui::Form& form = formNamed(s, line.tokens[1].word);
            const Token& t = line.tokens[2];
            std::string file = t.kind == Token::Kind::word ? t.word : std::get<std::string>(t.value);
            std::string why;
            if (!s.windowing().capture(form, file, why) && !why.empty())
                std::cerr << "orrindale-drive: line " << line.number << ": no shot of " << form.name()
                          << ": " << why << '\n';
        }});

    commands.add("association", Command{
        [](const Line& line) {
            expectCount(line, 2, "association none");
            if (wordAt(line, 1, "none") != "none") throw UsageError("usage: association none");
        },
        [](Session& s, const Line&) { ++s.browser().lookupsWithoutAssociation; }});

    commands.add("picker", Command{
        [](const Line& line) { checkAnswer(line, "picker \"PATH\"|cancel", "the folder"); },
        [](Session& s, const Line& line) {
            const Token& t = line.tokens[1];
            if (t.kind == Token::Kind::word) s.dialogs().folderAnswers.emplace_back(std::nullopt);
            else s.dialogs().folderAnswers.emplace_back(std::get<std::string>(t.value));
        }});

    commands.add("open", Command{
        [](const Line& line) { checkAnswer(line, "open \"PATH\"|cancel", "the file"); },
        [](Session& s, const Line& line) {
            const Token& t = line.tokens[1];
            s.dialogs().openAnswers.push_back(t.kind == Token::Kind::word ? std::string()
                                                                          : std::get<std::string>(t.value));
        }});
}

}  // namespace orr::drive

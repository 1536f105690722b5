#include "app/zelctl/script.h"

#include <algorithm>
#include <sstream>

#include "app/zelctl/arguments.h"
#include "app/zelctl/received_text.h"
#include "app/zelctl/shell_words.h"

namespace zel::ctl {

namespace {

struct StepEntry {
    const char* name;
    StepKind kind;
    const char* operands;
    size_t required;
    size_t optional;
    const char* help;
};

const std::vector<StepEntry>& StepEntries() {
    static const std::vector<StepEntry> kEntries = {
        {"product", StepKind::Product, "NAME", 1, 0,
         "selects the product (the --connection and\n"
         "--protocol of the run apply to it)"},
        {"page", StepKind::Page, "TITLE", 1, 0, "shows the tab TITLE of the product"},
        {"connection", StepKind::Connection, "serial|ethernet|usb", 1, 0,
         "uses this connection of the product"},
        {"protocol", StepKind::Protocol, "NAME", 1, 0, "selects the connection's protocol"},
        {"set", StepKind::Set, "PATH VALUE", 2, 0, "sets a control, as --set PATH=VALUE"},
        {"press", StepKind::Press, "PATH", 1, 0,
         "presses the control at PATH of the page shown,\nas press does"},
        {"answer", StepKind::Answer, "ok|cancel|yes|no", 1, 0,
         "answers the next question a message box asks"},
        {"send", StepKind::Send, "CUSTOM_STRING", 1, 0, "sends a custom string, as send does"},
        {"wait", StepKind::Wait, "MS", 1, 0, "keeps receiving for MS milliseconds"},
        {"expect", StepKind::Expect, "REGEX [MS]", 1, 1,
         "waits up to MS milliseconds (default 1000) for\nreceived text matching REGEX"},
    };
    return kEntries;
}

// Fills the step's fields from its operands; the error text, or empty.
std::string Fill(Step& step, const std::vector<std::string>& operands) {
    step.name = operands[0];
    auto milliseconds = [&](const std::string& text) {
        std::optional<int> ms = Milliseconds(text);
        step.ms = ms.value_or(0);
        return ms ? "" : "takes a number of milliseconds, not '" + text + "'";
    };
    switch (step.kind) {
        case StepKind::Set:
            step.value = operands[1];
            return {};
        case StepKind::Connection:
            if (auto type = ConnectionNamed(step.name)) {
                step.connection = *type;
                return {};
            }
            return "takes serial, ethernet or usb, not '" + step.name + "'";
        case StepKind::Answer:
            if (auto answer = AnswerNamed(step.name)) {
                step.answer = *answer;
                return {};
            }
            return "takes ok, cancel, yes or no, not '" + step.name + "'";
        case StepKind::Wait:
            return milliseconds(step.name);
        case StepKind::Expect:
            if (std::string error = PatternError(step.name); !error.empty()) return error;
            if (operands.size() < 2) {
                step.ms = kDefaultExpectMs;
                return {};
            }
            return milliseconds(operands[1]);
        default:
            return {};
    }
}

// One line's step, if it holds one; the error text, or empty.
std::string ParseLine(const std::string& line, std::vector<Step>& steps) {
    SplitLine split = SplitShellWords(line);
    if (!split.error.empty()) return split.error;
    if (split.words.empty()) return {};
    const std::string& name = split.words[0];
    auto entry = std::find_if(StepEntries().begin(), StepEntries().end(),
                              [&](const StepEntry& e) { return name == e.name; });
    if (entry == StepEntries().end()) return "unknown step '" + name + "'";
    std::vector<std::string> operands(split.words.begin() + 1, split.words.end());
    if (operands.size() < entry->required || operands.size() > entry->required + entry->optional) {
        return name + " takes " + entry->operands + " (quote a word with blanks in it)";
    }
    Step step;
    step.kind = entry->kind;
    if (std::string error = Fill(step, operands); !error.empty()) return name + " " + error;
    steps.push_back(std::move(step));
    return {};
}

}  // namespace

ParsedScript ParseScript(const std::string& text) {
    ParsedScript parsed;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        size_t before = parsed.steps.size();
        if (std::string error = ParseLine(line, parsed.steps); !error.empty()) {
            parsed.error = "line " + std::to_string(number) + ": " + error;
            parsed.steps.clear();
            return parsed;
        }
        if (parsed.steps.size() > before) {
            parsed.steps.back().line = number;
            size_t start = line.find_first_not_of(" \t");
            size_t end = line.find_last_not_of(" \t\r");
            parsed.steps.back().text = line.substr(start, end - start + 1);
        }
    }
    return parsed;
}

const std::string& StepsHelp() {
    static const std::string kHelp = [] {
        constexpr size_t kColumn = 27;
        std::string help;
        for (const StepEntry& entry : StepEntries()) {
            std::string head = std::string("  ") + entry.name + " " + entry.operands;
            std::string body = entry.help;
            std::string indent = "\n" + std::string(kColumn, ' ');
            for (size_t at = 0; (at = body.find('\n', at)) != std::string::npos;) {
                body.replace(at, 1, indent);
                at += indent.size();
            }
            if (head.size() + 1 > kColumn) {
                help += head + indent + body + "\n";
            } else {
                help += head + std::string(kColumn - head.size(), ' ') + body + "\n";
            }
        }
        return help;
    }();
    return kHelp;
}

}  // namespace zel::ctl

#pragma once
// The steps of `zelctl run`: one a line, in the words an operator would use.
#include <string>
#include <vector>

#include "services/window_system.h"

namespace zel::ctl {

enum class StepKind { Product, Page, Connection, Protocol, Set, Press, Answer, Send, Wait, Expect };

inline constexpr int kDefaultExpectMs = 1000;

struct Step {
    StepKind kind = StepKind::Product;
    // The product, page, protocol, control path, custom string or pattern.
    std::string name;
    std::string value;  // what set gives the control
    int connection = 0;
    MessageAnswer answer = MessageAnswer::Ok;
    int ms = 0;  // wait, and how long expect waits
    // Where the step comes from: its line in the script (0 for the steps of a single command)
    // and that line as written.
    int line = 0;
    std::string text;
};

struct ParsedScript {
    std::vector<Step> steps;
    std::string error;  // the first bad line, named by its number; empty when all are good
};

ParsedScript ParseScript(const std::string& text);

// "  product NAME  ..." for the help text, one step a line.
const std::string& StepsHelp();

}  // namespace zel::ctl

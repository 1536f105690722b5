#pragma once
// Splits a script line into words as a POSIX shell does, without expanding anything: blanks
// separate words; single quotes keep everything; double quotes keep everything but a backslash
// before $ ` " \; a backslash outside quotes keeps the next character; # at the start of a word
// begins a comment.
#include <string>
#include <string_view>
#include <vector>

namespace zel::ctl {

struct SplitLine {
    std::vector<std::string> words;
    std::string error;  // empty when the line is good
};

SplitLine SplitShellWords(std::string_view line);

}  // namespace zel::ctl

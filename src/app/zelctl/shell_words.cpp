#include "app/zelctl/shell_words.h"

namespace zel::ctl {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// What a backslash inside double quotes takes literally; before anything else it stays.
bool EscapableInDoubleQuotes(char c) {
    return c == '$' || c == '`' || c == '"' || c == '\\';
}

}  // namespace

SplitLine SplitShellWords(std::string_view line) {
    SplitLine split;
    std::string word;
    bool inWord = false;  // a word has begun, though it may still be empty ("")
    size_t at = 0;
    auto endWord = [&] {
        if (inWord) split.words.push_back(word);
        word.clear();
        inWord = false;
    };
    while (at < line.size()) {
        char c = line[at++];
        if (IsBlank(c)) {
            endWord();
        } else if (c == '#' && !inWord) {
            break;
        } else if (c == '\\') {
            if (at == line.size()) {
                split.error = "the line ends in a backslash";
                return split;
            }
            word += line[at++];
            inWord = true;
        } else if (c == '\'') {
            size_t close = line.find('\'', at);
            if (close == std::string_view::npos) {
                split.error = "a single quote is not closed";
                return split;
            }
            word += line.substr(at, close - at);
            at = close + 1;
            inWord = true;
        } else if (c == '"') {
            inWord = true;
            for (;;) {
                if (at == line.size()) {
                    split.error = "a double quote is not closed";
                    return split;
                }
                char inner = line[at++];
                if (inner == '"') break;
                if (inner == '\\' && at < line.size() && EscapableInDoubleQuotes(line[at])) {
                    inner = line[at++];
                }
                word += inner;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    endWord();
    return split;
}

}  // namespace zel::ctl

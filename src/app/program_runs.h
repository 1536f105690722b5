#pragma once
// The two ways zelterm runs: without a window (the command line ends it with "-Exit"), and as
// the window. Each returns the program's exit code.
#include <string>
#include <vector>

namespace zel {

int RunWithoutWindow(int& argc, char** argv, const std::vector<std::string>& switches, int waitMs);
int RunWithWindow(int& argc, char** argv, const std::vector<std::string>& switches);

}  // namespace zel

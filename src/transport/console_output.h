#pragma once
// Where a program built for the window system writes its text output.

namespace zel {

#ifdef _WIN32
// A Windows program without a console window of its own (so that one started from the Start
// menu opens no console) writes to the console it was started from, if any; output a caller
// redirected to a file or a pipe stays there.
void UseStartingConsoleForOutput();
#else
inline void UseStartingConsoleForOutput() {}
#endif

}  // namespace zel

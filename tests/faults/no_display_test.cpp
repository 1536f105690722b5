// The window asked for where no display can be reached: the terminal says what it needs and ends
// with a status, instead of aborting inside the window system.
#include <gtest/gtest.h>

#include "faults/restricted_run.h"

namespace zel {
namespace {

TEST(NoDisplay, ALowerCaseExitSaysADisplayOrExitIsNeeded) {
    test::RunResult run = test::RunRestricted(
        ZELTERM_PATH, {"-exit"},
        {"QT_QPA_PLATFORM=xcb",
         "DISPLAY=", "WAYLAND_DISPLAY=", "ZELTERM_SETTINGS=/nonexistent/zelterm-no-display.conf",
         "ZELTERM_SERIAL_PORTS=/nonexistent/zelterm-port"},
        {}, 30000);
    EXPECT_EQ(run.signal, 0) << run.output;
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_NE(run.output.find("zelterm needs a display for its window, or -Exit to run without "
                              "one.\n"),
              std::string::npos)
        << run.output;
}

}  // namespace
}  // namespace zel

// zelterm: the terminal. With "-Exit" among its switches it runs the command line without a
// window, printing the communication log as it grows; otherwise it opens its window.
#include <signal.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/program_runs.h"
#include "gui/program_identity.h"
#include "transport/console_output.h"

namespace {

constexpr const char* kUsage =
    "Usage: zelterm [--wait MS] [--log-file PATH] [--help] [--version] [SWITCH]...\n"
    "A communication terminal for the Quorvane show controllers and players.\n"
    "\n"
    "Switches (case-sensitive):\n"
    "  -Serial PORT       use the serial connection on PORT (a device path such as /dev/ttyUSB0)\n"
    "  -Ethernet ADDRESS  use the Ethernet connection to the product at ADDRESS\n"
    "  -Product NAME      select the product NAME\n"
    "  -SendPCDate        send the PC's date (MM.DD.YYYYDA)\n"
    "  -SendPCTime        send the PC's time (HH:MM:SSTI)\n"
    "  -Exit              end after the switches, saving the settings, without a window\n"
    "\n"
    "Options:\n"
    "  --wait MS          with -Exit, keep receiving for MS milliseconds before ending\n"
    "  --log-file PATH    also write the log to PATH as it grows (kept for later runs; a\n"
    "                     file that cannot be written is said at once and not kept)\n"
    "  --help             show this text\n"
    "  --version          show the version\n"
    "\n"
    "Without -Exit the terminal opens its window, which needs a display. With -Exit the\n"
    "communication log is printed to standard output. Settings are kept in\n"
    "~/.config/Quorvane/ZelTerm.conf, or in the file ZELTERM_SETTINGS names.\n"
    "\n"
    "Exit status of a run with -Exit:\n"
    "  0  every switch was taken and every send went out\n"
    "  1  a connection could not be used, a send failed or the --log-file cannot be\n"
    "     written (the log says which and why)\n"
    "  2  a switch or its argument was not understood (\"Command Line Error\" naming it, an\n"
    "     unknown product, an address that is not a dotted IPv4 address, a --wait that is\n"
    "     not a number)\n"
    "A window that cannot be opened (no display) ends the program with status 2.\n";

// A whole number of milliseconds, nothing else.
std::optional<int> Milliseconds(std::string_view text) {
    int ms = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ms);
    if (error != std::errc() || end != text.data() + text.size() || ms < 0) return std::nullopt;
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    zel::UseStartingConsoleForOutput();
#ifdef SIGXFSZ  // POSIX only: Windows has no file-size limit signal
    // A write beyond the file-size limit then fails with EFBIG, which the settings file's
    // writer reports, instead of ending the terminal.
    signal(SIGXFSZ, SIG_IGN);
#endif
    std::vector<std::string> switches;
    int waitMs = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts(zel::kProgramVersionText);
            return 0;
        }
        if (std::strcmp(argv[i], "--wait") == 0) {
            std::optional<int> ms = i + 1 < argc ? Milliseconds(argv[i + 1]) : std::nullopt;
            if (!ms) {
                std::fprintf(stderr,
                             "zelterm: Command Line Error: --wait takes a number of "
                             "milliseconds, not '%s'\n",
                             i + 1 < argc ? argv[i + 1] : "");
                return 2;
            }
            waitMs = *ms;
            ++i;
            continue;
        }
        switches.emplace_back(argv[i]);
    }
    if (std::find(switches.begin(), switches.end(), "-Exit") != switches.end()) {
        return zel::RunWithoutWindow(argc, argv, switches, waitMs);
    }
    return zel::RunWithWindow(argc, argv, switches);
}

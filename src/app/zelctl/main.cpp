// zelctl: the terminal's product pages driven from the command line, for scripts and tests.
#include <QCoreApplication>
#include <algorithm>
#include <iostream>

#include "app/zelctl/arguments.h"
#include "app/zelctl/rack_run.h"
#include "app/zelctl/terminal_rig.h"
#include "gui/program_identity.h"

int main(int argc, char** argv) {
    using namespace zel::ctl;
    if (std::find(argv + 1, argv + argc, std::string_view("--version")) != argv + argc) {
        std::cout << zel::kProgramVersionText << "\n";
        return exit_status::kDone;
    }
    ParsedArguments parsed = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "zelctl: " << parsed.error << "\nTry 'zelctl --help'.\n";
        return exit_status::kNotFound;
    }
    const Invocation& invocation = parsed.invocation;
    if (invocation.command == Command::Help) {
        std::cout << UsageText();
        return exit_status::kDone;
    }

    QCoreApplication app(argc, argv);
    if (!invocation.devices.empty()) return RunOnDevices(invocation, std::cout, std::cerr);
    if (!invocation.device.empty()) return RunOnDevice(invocation, std::cout, std::cerr, std::cin);
    JsonLineWriter events(std::cout);
    TerminalRig rig(invocation, events, std::cerr, std::cin);
    return rig.Run(invocation);
}

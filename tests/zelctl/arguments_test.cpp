// zelctl's command line: what each command takes, and the mistakes it names.
#include "app/zelctl/arguments.h"

#include <gtest/gtest.h>

#include "products/protocol_info.h"

namespace zel::ctl {
namespace {

TEST(Arguments, PressTakesItsOperandsAndRepeatableOptionsInOrder) {
    ParsedArguments parsed = ParseArguments(
        {"press", "Tamrin", "Control", "Outputs/On", "--set", "Outputs/Turn Output=3", "--answer",
         "ok", "--set=Sequences/Start/value=a=b", "--answer=no", "--connection", "ethernet",
         "--protocol", "Pioneer(ZELNet)", "--dry-run", "--wait", "250"});
    ASSERT_EQ(parsed.error, "");
    const Invocation& invocation = parsed.invocation;
    EXPECT_EQ(invocation.command, Command::Press);
    EXPECT_EQ(invocation.product, "Tamrin");
    EXPECT_EQ(invocation.page, "Control");
    EXPECT_EQ(invocation.path, "Outputs/On");
    EXPECT_EQ(invocation.values, (std::vector<ControlValue>{{"Outputs/Turn Output", "3"},
                                                            {"Sequences/Start/value", "a=b"}}));
    EXPECT_EQ(invocation.answers,
              (std::vector<MessageAnswer>{MessageAnswer::Ok, MessageAnswer::No}));
    EXPECT_EQ(invocation.connection, kEthernet);
    EXPECT_EQ(invocation.protocol, "Pioneer(ZELNet)");
    EXPECT_TRUE(invocation.dryRun);
    EXPECT_EQ(invocation.waitMs, 250);
    EXPECT_FALSE(SendsForReal(invocation));
}

TEST(Arguments, OnlyPressAndSendWithoutDryRunGoToADevice) {
    struct Case {
        std::vector<std::string> arguments;
        bool real;
    };
    const Case cases[] = {
        {{"send", "\"?V\" h0D"}, true},
        {{"send", "\"?V\" h0D", "--dry-run"}, false},
        {{"press", "Netwick", "Control", "Queries/Help"}, true},
        {{"controls", "Netwick", "Control"}, false},
        {{"pages", "Netwick"}, false},
        {{"products"}, false},
    };
    for (const Case& c : cases) {
        ParsedArguments parsed = ParseArguments(c.arguments);
        ASSERT_EQ(parsed.error, "") << c.arguments[0];
        EXPECT_EQ(SendsForReal(parsed.invocation), c.real) << c.arguments[0];
    }
}

TEST(Arguments, HelpWinsAnywhere) {
    EXPECT_EQ(ParseArguments({"--help"}).invocation.command, Command::Help);
    ParsedArguments parsed = ParseArguments({"press", "--bogus", "--help"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.invocation.command, Command::Help);
}

TEST(Arguments, MistakesAreNamed) {
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{}, "no command given"},
        {{"push"}, "unknown command 'push'"},
        {{"pages"}, "pages needs PRODUCT"},
        {{"press", "Tamrin", "Control"}, "press needs PATH"},
        {{"products", "Tamrin"}, "unexpected operand 'Tamrin' for products"},
        {{"pages", "Tamrin", "--dry-run"}, "option --dry-run is not one of pages's"},
        {{"send", "x", "--answer", "ok"}, "option --answer is not one of send's"},
        {{"press", "a", "b", "c", "--set", "novalue"}, "--set needs PATH=VALUE, not 'novalue'"},
        {{"press", "a", "b", "c", "--set", "=3"}, "--set needs PATH=VALUE, not '=3'"},
        {{"press", "a", "b", "c", "--answer", "maybe"},
         "--answer takes ok, cancel, yes or no, not 'maybe'"},
        {{"press", "a", "b", "c", "--connection", "wifi"},
         "--connection takes serial, ethernet or usb, not 'wifi'"},
        {{"press", "a", "b", "c", "--wait", "-5"},
         "--wait takes a number of milliseconds, not '-5'"},
        {{"press", "a", "b", "c", "--wait", "1s"},
         "--wait takes a number of milliseconds, not '1s'"},
        {{"press", "a", "b", "c", "--protocol"}, "--protocol needs a value"},
        {{"press", "a", "b", "c", "--dry-run=yes"}, "--dry-run takes no value"},
        {{"send", "x", "--device", "A", "--connection", "usb"},
         "a device names its own connection and protocol: --connection and --protocol do not "
         "go with --device or --devices"},
        {{"run", "f", "--device", "A", "--devices", "all"},
         "--device and --devices do not go together"},
        {{"run", "f", "--jobs", "4"}, "--jobs and --junit need --devices"},
        {{"run", "f", "--devices", "all", "--jobs", "0"}, "--jobs takes a number from 1, not '0'"},
        {{"send", "x", "--devices", "all"}, "option --devices is not one of send's"},
        {{"devices", "--import", "a.csv", "--export"}, "--import and --export do not go together"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseArguments(c.arguments).error, c.error)
            << (c.arguments.empty() ? "" : c.arguments[0]);
    }
}

TEST(Arguments, ConnectionNamesMatchWhatTheOptionTakes) {
    for (int type : {kSerial, kEthernet, kUsb}) {
        ParsedArguments parsed =
            ParseArguments({"controls", "a", "b", "--connection", ConnectionName(type)});
        EXPECT_EQ(parsed.invocation.connection, type);
    }
}

}  // namespace
}  // namespace zel::ctl

// The operator's choices as zelctl makes them, on a terminal of fakes.
#include "app/zelctl/terminal_operator.h"

#include <gtest/gtest.h>

#include "support/fake_terminal.h"

namespace zel {
namespace {

// The product port follows the protocol chosen, as in Connection Setup: a ZELNet frame must
// reach the port that takes ZELNet.
TEST(TerminalOperator, AProtocolTakesItsProductPortAsConnectionSetupGivesIt) {
    test::FakeTerminal fake;
    fake.terminal.OnInitDialog({});
    ctl::TerminalOperator chooser(fake.terminal);
    chooser.ChooseProduct("Sonnel");
    chooser.ChooseConnection(kEthernet, "Pioneer(ZELNet)");
    fake.terminal.SendCommand("PL", true);
    chooser.ChooseConnection(std::nullopt, "Pioneer");
    fake.terminal.SendCommand("PL", true);
    ASSERT_EQ(fake.udp.sent.size(), 2u);
    EXPECT_TRUE(fake.udp.sent[0].zelnet);
    EXPECT_EQ(fake.udp.sent[0].port, 2639u);
    EXPECT_FALSE(fake.udp.sent[1].zelnet);
    EXPECT_EQ(fake.udp.sent[1].port, 2638u);
}

}  // namespace
}  // namespace zel

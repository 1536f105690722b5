// The main of the test programs that need the terminal's fixed UDP ports.
#include <gtest/gtest.h>

#include "support/private_network.h"

int main(int argc, char** argv) {
    zel::test::IsolateFixedUdpPorts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The floods run the real window; without a display it runs on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/private_network.h"

int main(int argc, char** argv) {
    zel::test::IsolateFixedUdpPorts();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

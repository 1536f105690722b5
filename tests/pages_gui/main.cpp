// The page widgets need an application object; they run offscreen unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/private_network.h"

int main(int argc, char** argv) {
    zel::test::IsolateFixedUdpPorts();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

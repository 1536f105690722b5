// The update programs run as QProcess children of the application, so the tests need one.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "support/private_network.h"

int main(int argc, char** argv) {
    zel::test::IsolateFixedUdpPorts();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

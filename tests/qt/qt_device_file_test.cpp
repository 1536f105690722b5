// The device list in a real file beside the settings: a writer killed in the middle of a write
// leaves the previous list, and a damaged file is kept aside.
#include "gui/qt_device_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "products/catalog.h"

namespace zel {
namespace {

Device Named(const std::string& name) {
    Device device;
    device.name = name;
    device.product = "Korvex";
    device.address = "127.0.0.1";
    return device;
}

class QtDeviceFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = QtDeviceFile::BesideSettings(dir.filePath("ZelTerm.conf"));
    std::vector<ProductInfo> catalog = BuildCatalog();
};

TEST_F(QtDeviceFileTest, TheListLivesBesideTheSettingsFile) {
    EXPECT_EQ(path, dir.filePath("ZelTerm-devices.csv"));
}

#ifndef _WIN32  // a file-size limit and fork: POSIX only
TEST_F(QtDeviceFileTest, AWriterKilledInTheMiddleOfAWriteLeavesThePreviousList) {
    QtDeviceFile file(path);
    DeviceList list(file, catalog);
    ASSERT_EQ(list.Store(Named("Lobby player 3")), "");
    const pid_t child = fork();
    if (child == 0) {
        // The file-size limit kills the writer with SIGXFSZ partway through its write.
        rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        for (int i = 0; i < 50; ++i) list.Store(Named("Rack device " + std::to_string(i)));
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    DeviceList again(file, catalog);
    EXPECT_EQ(again.Load(), "");
    ASSERT_EQ(again.Devices().size(), 1u);
    EXPECT_EQ(again.Devices().front().name, "Lobby player 3");
}
#endif

TEST_F(QtDeviceFileTest, ADamagedFileIsRenamedAsideAndNotOverwritten) {
    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("name,product\nhalf a row\n");
    damaged.close();
    QtDeviceFile file(path);
    DeviceList list(file, catalog);
    EXPECT_NE(list.Load().find("line 2: has 1 columns"), std::string::npos);
    ASSERT_EQ(list.Store(Named("New")), "");
    const QStringList aside = QDir(dir.path()).entryList({"ZelTerm-devices.csv.damaged-*"});
    ASSERT_EQ(aside.size(), 1);
    QFile kept(dir.filePath(aside.front()));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "name,product\nhalf a row\n");
}

}  // namespace
}  // namespace zel

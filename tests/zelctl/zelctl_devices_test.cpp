// The device list through zelctl, and one script run on a rack of simulated products at once,
// one of them stopped.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/child_process.h"

namespace zel {
namespace {

using test::ProgramRun;

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> Containing(const std::vector<std::string>& lines,
                                    const std::string& part) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.find(part) != std::string::npos) found.push_back(line);
    }
    return found;
}

// The simulators answer on 3000-3002 of the test's own loopback; each terminal sends from its
// own local port.
const std::string kRack =
    "name,product,connection,address,ports,protocol,unit address\n"
    "Rack 1,Korvex,ethernet,127.0.0.1,4000/3000,,\n"
    "Rack 2,Korvex,ethernet,127.0.0.1,4001/3001,,\n"
    "Rack 3,Korvex,ethernet,127.0.0.1,4002/3002,,\n";
const std::string kVersion = "send '\"?V\" h0D'\nexpect 'V[0-9.]+' 1500\n";

class ZelctlDevices : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setenv("ZELTERM_SETTINGS", dir.filePath("ZelTerm.conf").toLocal8Bit().constData(), 1);
        setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelctl-devices-test-port", 1);
    }

    std::string File(const std::string& name, const std::string& text) {
        const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    ProgramRun Run(const std::vector<std::string>& arguments) {
        return test::RunToEnd(ZELCTL_PATH, arguments, dir.filePath("stderr.txt").toStdString());
    }

    QTemporaryDir dir;
};

TEST_F(ZelctlDevices, ASheetIsImportedWholeOrNotAtAllAndListed) {
    ProgramRun bad = Run(
        {"devices", "--import", File("bad.csv", kRack + "Rack 4,Korvex,ethernet,127.0.0,,,\n")});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.errors.find("line 5: the address \"127.0.0\" is not an IPv4 address"),
              std::string::npos)
        << bad.errors;
    EXPECT_TRUE(Run({"devices"}).lines.empty());

    ProgramRun imported = Run({"devices", "--import", File("rack.csv", kRack)});
    EXPECT_EQ(imported.exitCode, 0) << imported.errors;
    EXPECT_EQ(imported.lines,
              std::vector<std::string>{R"({"event":"imported","added":3,"replaced":0})"});
    ProgramRun listed = Run({"devices"});
    ASSERT_EQ(listed.lines.size(), 3u);
    EXPECT_EQ(listed.lines[0],
              R"({"name":"Rack 1","product":"Korvex","connection":"ethernet",)"
              R"("address":"127.0.0.1","localPort":4000,"productPort":3000,"protocol":"",)"
              R"("unitAddress":null})");
    EXPECT_EQ(Run({"devices", "--export"}).lines.size(), 4u);
}

TEST_F(ZelctlDevices, ARackRunsAtOnceAndAStoppedDeviceFailsItAlone) {
    test::ChildProcess rack(ZELSIM_PATH, {"--udp", "3000-3001"});
    ASSERT_TRUE(rack.ReadLine(10000) && rack.ReadLine(10000));
    {
        test::ChildProcess stopped(ZELSIM_PATH, {"--udp", "3002"});
        ASSERT_TRUE(stopped.ReadLine(10000));
        stopped.Terminate();
    }
    ASSERT_EQ(Run({"devices", "--import", File("rack.csv", kRack)}).exitCode, 0);

    // One device alone, by its name.
    ProgramRun one = Run({"send", "\"?V\" h0D", "--device", "Rack 1", "--expect", "V[0-9.]+"});
    EXPECT_EQ(one.exitCode, 0) << one.errors;
    EXPECT_EQ(Containing(one.lines, R"("event":"matched")").size(), 1u);

    const std::string junit = dir.filePath("rack.xml").toStdString();
    ProgramRun run =
        Run({"run", "--devices", "all", "--junit", junit, File("version.zel", kVersion)});
    EXPECT_EQ(run.exitCode, 4) << run.errors;
    const auto summaries = Containing(run.lines, R"({"event":"summary")");
    ASSERT_EQ(summaries.size(), 3u);
    EXPECT_NE(summaries[0].find(R"("device":"Rack 1","product":"Korvex","result":"passed")"),
              std::string::npos)
        << summaries[0];
    EXPECT_NE(summaries[1].find(R"("result":"passed")"), std::string::npos) << summaries[1];
    EXPECT_NE(summaries[2].find(R"("device":"Rack 3","product":"Korvex","result":"failed",)"
                                R"("status":4,"step":2,"reason":"nothing received matched)"),
              std::string::npos)
        << summaries[2];
    EXPECT_NE(run.errors.find("Rack 3: failed at step 2"), std::string::npos) << run.errors;
    for (const std::string& line : run.lines) {
        EXPECT_NE(line.find(R"("device":"Rack )"), std::string::npos) << line;
    }
    EXPECT_EQ(Containing(run.lines, R"("event":"matched")").size(), 2u);
    const std::string report = FileText(junit);
    EXPECT_NE(report.find(R"(tests="3" failures="1")"), std::string::npos) << report;
    const size_t stoppedCase = report.find(R"(<testcase name="Rack 3")");
    ASSERT_NE(stoppedCase, std::string::npos) << report;
    EXPECT_NE(report.find("<failure", stoppedCase), std::string::npos) << report;
    EXPECT_EQ(report.find("<failure"), report.find("<failure", stoppedCase)) << report;
}

TEST_F(ZelctlDevices, DevicesSharingAPortAreRefusedBeforeAnythingIsSent) {
    const std::string clash = File("clash.csv",
                                   "A,Korvex,ethernet,127.0.0.1,4000/3000,,\n"
                                   "B,Korvex,ethernet,127.0.0.2,4000/3001,,\n");
    ProgramRun run = Run({"run", "--devices", clash, File("version.zel", kVersion)});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.lines.empty());
    EXPECT_NE(run.errors.find("the devices \"A\" and \"B\" both use the local UDP port 4000"),
              std::string::npos)
        << run.errors;
}

}  // namespace
}  // namespace zel

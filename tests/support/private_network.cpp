#include "support/private_network.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "transport/udp_endpoint.h"

namespace zel::test {

namespace {

bool WriteFile(const char* path, const std::string& text) {
    std::ofstream file(path);
    return static_cast<bool>(file << text << std::flush);
}

// A new network namespace starts with its loopback down.
bool BringLoopbackUp() {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    ifreq request{};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    bool up = ioctl(fd, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags |= IFF_UP | IFF_RUNNING;
    up = up && ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    close(fd);
    return up;
}

// The socket inodes bound to the port, from the kernel's table of UDP sockets.
std::vector<std::string> SocketInodes(uint32_t port) {
    std::ifstream table("/proc/net/udp");
    std::vector<std::string> inodes;
    std::string line;
    std::getline(table, line);  // the heading
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state, queues, timer, retransmits, uid, timeout, inode;
        fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >>
            timeout >> inode;
        if (std::stoul(local.substr(local.find(':') + 1), nullptr, 16) == port) {
            inodes.push_back(inode);
        }
    }
    return inodes;
}

// "name (pid N)" of the processes that hold one of the sockets, as far as this user may see.
std::string Holders(const std::vector<std::string>& inodes) {
    namespace fs = std::filesystem;
    std::string holders;
    std::error_code ignored;
    for (const auto& process : fs::directory_iterator("/proc", ignored)) {
        const std::string pid = process.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", ignored)) {
            std::string target = fs::read_symlink(fd.path(), ignored).string();
            bool held = std::any_of(inodes.begin(), inodes.end(), [&](const std::string& inode) {
                return target == "socket:[" + inode + "]";
            });
            if (!held) continue;
            std::string name;
            std::getline(std::ifstream(process.path() / "comm"), name);
            holders += (holders.empty() ? "" : ", ") + name + " (pid " + pid + ")";
            break;
        }
    }
    return holders.empty() ? "a program this user cannot see" : holders;
}

class FixedPortsHeld : public ::testing::Environment {
  public:
    explicit FixedPortsHeld(std::string held) : held_(std::move(held)) {}
    void SetUp() override {
        FAIL() << held_ << "\nThese tests need the port free: end that program, or run them "
               << "where a private network namespace can be made.";
    }

  private:
    std::string held_;
};

}  // namespace

bool EnterPrivateNetwork() {
    if (geteuid() == 0) return unshare(CLONE_NEWNET) == 0 && BringLoopbackUp();
    // Unprivileged: a user namespace of its own gives the right, under the same user ids.
    const std::string uid = std::to_string(geteuid()), gid = std::to_string(getegid());
    return unshare(CLONE_NEWUSER | CLONE_NEWNET) == 0 &&
           WriteFile("/proc/self/setgroups", "deny") &&
           WriteFile("/proc/self/uid_map", uid + " " + uid + " 1") &&
           WriteFile("/proc/self/gid_map", gid + " " + gid + " 1") && BringLoopbackUp();
}

std::string HeldFixedPorts() {
    std::string held;
    for (uint32_t port : kFixedUdpPorts) {
        UdpEndpoint probe;
        if (probe.Bind("0.0.0.0", port)) continue;
        held += "UDP port " + std::to_string(port) + " is held by " + Holders(SocketInodes(port)) +
                ".\n";
    }
    return held;
}

void IsolateFixedUdpPorts() {
    if (EnterPrivateNetwork()) return;
    if (std::string held = HeldFixedPorts(); !held.empty()) {
        ::testing::AddGlobalTestEnvironment(new FixedPortsHeld(held));
    }
}

}  // namespace zel::test

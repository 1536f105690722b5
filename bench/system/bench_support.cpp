#include "bench_support.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "gui/log_view.h"
#include "gui/qt_settings_store.h"
#include "products/catalog.h"
#include "transport/pseudo_terminal.h"

namespace zel::bench {

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Report(std::string_view name, double value) {
    std::printf("%.*s %.3f\n", static_cast<int>(name.size()), name.data(), value);
    std::fflush(stdout);
}

std::string TemporarySettingsPath(std::string_view role) {
    const auto name =
        "zelterm-bench-" + std::string(role) + "-" + std::to_string(getpid()) + ".conf";
    return (std::filesystem::temp_directory_path() / name).string();
}

void WriteSettings(const std::string& path, const TerminalSetup& setup) {
    std::filesystem::remove(path);
    const auto names = SortedProductNames(BuildCatalog());
    const auto product = std::find(names.begin(), names.end(), setup.product) - names.begin();
    QtSettingsStore store(QString::fromStdString(path));
    auto key = store.OpenOrCreateForWrite();
    key->WriteNumber("Product", static_cast<uint32_t>(product));
    key->WriteNumber("Connection", static_cast<uint32_t>(setup.connection));
    key->WriteText("Protocol", "Pioneer");
    key->WriteNumber("CheckUpdateOnLaunch", 0);
    key->WriteText("ComPort", setup.serialPort);
    key->WriteText("BaudRate", "115200");
    key->WriteText("ProductIPAddress", "127.0.0.1");
    key->WriteNumber("LocalUDPPort", setup.localUdpPort);
}

bool Flood(PseudoTerminal& line, std::string_view bytes) {
    constexpr size_t kPiece = 64 * 1024;
    for (size_t at = 0; at < bytes.size(); at += kPiece) {
        if (!line.Write(bytes.substr(at, kPiece))) return false;
    }
    return true;
}

int WaitingBytes(int fd) {
    int waiting = 0;
    return ioctl(fd, FIONREAD, &waiting) == 0 ? waiting : -1;
}

LatenessProbe::LatenessProbe() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        const double lateMs = static_cast<double>(sinceTick_.nsecsElapsed()) / 1e6 - kPeriodMs;
        if (lateMs > worstMs_) {
            worstMs_ = lateMs;
            worstEndedAtMs_ = static_cast<double>(sinceStart_.nsecsElapsed()) / 1e6;
        }
        sinceTick_.restart();
    });
    sinceStart_.start();
    sinceTick_.start();
    timer_.start(kPeriodMs);
}

bool ViewCatchUp::Done() const {
    return !box_ || !box_->UpdatePending();
}

}  // namespace zel::bench

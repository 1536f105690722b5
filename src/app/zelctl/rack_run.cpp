#include "app/zelctl/rack_run.h"

#include <QFile>
#include <QThread>
#include <QXmlStreamWriter>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>

#include "app/zelctl/rack_plan.h"
#include "app/zelctl/terminal_rig.h"
#include "gui/qt_device_file.h"
#include "products/catalog.h"

namespace zel::ctl {

namespace {

// The terminal's start-up probes the default local UDP port before its own: the device that binds
// that port itself runs when no other terminal starts.
constexpr uint32_t kProbedPort = 2639;

struct DeviceResult {
    int status = exit_status::kDone;
    std::optional<Controller::Failure> failure;
    int64_t ms = 0;

    std::string Outcome() const {
        if (status == exit_status::kDone) return "passed";
        if (status == exit_status::kNotSent && failure && !failure->step) {
            return "connection unusable";
        }
        return "failed";
    }
};

class Rack {
  public:
    Rack(const Invocation& invocation, std::string script, std::ostream& out, bool serialInRack)
        : invocation_(invocation),
          script_(std::move(script)),
          out_(out),
          serialInRack_(serialInRack) {
        invocation_.devices.clear();
        invocation_.scriptPath = "-";
    }

    // Runs the devices, `jobs` at a time.
    void Run(const std::vector<const Device*>& devices, std::vector<DeviceResult*> results,
             int jobs) {
        std::atomic<size_t> next{0};
        std::vector<std::unique_ptr<QThread>> threads;
        const size_t count = std::min(devices.size(), static_cast<size_t>(jobs));
        for (size_t i = 0; i < count; ++i) {
            threads.emplace_back(QThread::create([&] {
                for (size_t at = next++; at < devices.size(); at = next++) {
                    *results[at] = RunOne(*devices[at]);
                }
            }));
            threads.back()->start();
        }
        for (auto& thread : threads) thread->wait();
    }

  private:
    DeviceResult RunOne(const Device& device) {
        const auto started = std::chrono::steady_clock::now();
        std::ostringstream errors;  // the summary says what failed
        std::istringstream script(script_);
        JsonLineWriter events(out_, outLock_, device.name);
        DeviceResult result;
        std::unique_ptr<TerminalRig> rig;
        {
            // A start-up opens the serial ports it probes for a moment: while it does, no other
            // terminal may start on one of them.
            std::unique_lock startUp(startLock_, std::defer_lock);
            if (serialInRack_) startUp.lock();
            rig = std::make_unique<TerminalRig>(invocation_, events, errors, script, &device);
        }
        result.status = rig->Run(invocation_);
        result.failure = rig->Control().LastFailure();
        rig.reset();
        result.ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - started)
                        .count();
        return result;
    }

    Invocation invocation_;
    const std::string script_;
    std::ostream& out_;
    const bool serialInRack_;
    std::mutex outLock_;
    std::mutex startLock_;
};

std::string ReadFile(const std::string& path, bool& ok) {
    std::ifstream file(path, std::ios::binary);
    ok = static_cast<bool>(file);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool WriteJunit(const QString& path, const QString& suite, const std::vector<Device>& devices,
                const std::vector<DeviceResult>& results) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    int failures = 0;
    int64_t totalMs = 0;
    for (const DeviceResult& result : results) {
        failures += result.status != exit_status::kDone;
        totalMs += result.ms;
    }
    auto seconds = [](int64_t ms) {
        return QString::number(static_cast<double>(ms) / 1000, 'f', 3);
    };
    xml.writeStartElement("testsuite");
    xml.writeAttribute("name", suite);
    xml.writeAttribute("tests", QString::number(devices.size()));
    xml.writeAttribute("failures", QString::number(failures));
    xml.writeAttribute("time", seconds(totalMs));
    for (size_t i = 0; i < devices.size(); ++i) {
        const DeviceResult& result = results[i];
        xml.writeStartElement("testcase");
        xml.writeAttribute("name", QString::fromStdString(devices[i].name));
        xml.writeAttribute("classname", QString::fromStdString(devices[i].product));
        xml.writeAttribute("time", seconds(result.ms));
        if (result.status != exit_status::kDone) {
            const std::string message = result.failure ? result.failure->message : "";
            std::string summary = result.Outcome();
            if (result.failure && result.failure->step) {
                summary += " at step " + std::to_string(*result.failure->step);
            }
            xml.writeStartElement("failure");
            xml.writeAttribute("message", QString::fromStdString(summary + ": " + message));
            xml.writeAttribute("type", QString::fromStdString(result.Outcome()));
            xml.writeCharacters(QString::fromStdString(message));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return file.flush() && !xml.hasError();
}

JsonObject Summary(const Device& device, const DeviceResult& result) {
    JsonObject summary;
    summary.Add("event", "summary")
        .Add("device", device.name)
        .Add("product", device.product)
        .Add("result", result.Outcome())
        .Add("status", result.status);
    if (result.failure && result.failure->step) summary.Add("step", *result.failure->step);
    if (result.failure) summary.Add("reason", result.failure->message);
    return summary.Add("ms", result.ms);
}

// The devices stored beside the settings file.
std::vector<Device> StoredDevices(const std::vector<ProductInfo>& catalog, std::ostream& errors) {
    QtDeviceFile file(QtDeviceFile::OfThisUser());
    DeviceList stored(file, catalog);
    if (std::string problem = stored.Load(); !problem.empty()) {
        errors << "zelctl: " << problem << "\n";
    }
    return stored.Devices();
}

}  // namespace

int RunOnDevice(const Invocation& invocation, std::ostream& out, std::ostream& errors,
                std::istream& standardInput) {
    const std::vector<Device> stored = StoredDevices(BuildCatalog(), errors);
    const auto device = std::ranges::find(stored, invocation.device, &Device::name);
    if (device == stored.end()) {
        errors << "zelctl: " << NoDevice(invocation.device, stored) << "\n";
        return exit_status::kNotFound;
    }
    JsonLineWriter events(out);
    TerminalRig rig(invocation, events, errors, standardInput, &*device);
    return rig.Run(invocation);
}

int RunOnDevices(const Invocation& invocation, std::ostream& out, std::ostream& errors) {
    auto refuse = [&](const std::string& message) {
        errors << "zelctl: " << message << "; nothing was sent\n";
        return exit_status::kNotFound;
    };
    const std::vector<ProductInfo> catalog = BuildCatalog();
    const std::vector<Device> stored = StoredDevices(catalog, errors);
    std::optional<DeviceSheet> sheet;
    if (NamesSheet(invocation.devices)) {
        bool read = false;
        const std::string text = ReadFile(invocation.devices, read);
        if (!read) return refuse("cannot read the sheet " + Quoted(invocation.devices));
        sheet = ReadDeviceSheet(text, catalog);
    }
    const RackPlan plan = PlanRack(invocation.devices, stored, sheet ? &*sheet : nullptr);
    if (!plan.error.empty()) return refuse(plan.error);

    bool read = false;
    std::string script = invocation.scriptPath == "-"
                             ? std::string(std::istreambuf_iterator<char>(std::cin), {})
                             : ReadFile(invocation.scriptPath, read);
    if (invocation.scriptPath != "-" && !read) {
        return refuse("cannot read the script " + Quoted(invocation.scriptPath));
    }
    if (ParsedScript parsed = ParseScript(script); !parsed.error.empty()) {
        return refuse(invocation.scriptPath + " " + parsed.error);
    }

    std::vector<DeviceResult> results(plan.devices.size());
    std::vector<const Device*> first;
    std::vector<DeviceResult*> firstResults;
    std::vector<const Device*> last;
    std::vector<DeviceResult*> lastResults;
    for (size_t i = 0; i < plan.devices.size(); ++i) {
        const Device& device = plan.devices[i];
        const bool probed = device.connection == kEthernet && device.localPort == kProbedPort;
        (probed ? last : first).push_back(&device);
        (probed ? lastResults : firstResults).push_back(&results[i]);
    }
    const bool serialInRack = std::any_of(plan.devices.begin(), plan.devices.end(),
                                          [](const Device& d) { return d.connection == kSerial; });
    Rack rack(invocation, script, out, serialInRack);
    rack.Run(first, firstResults, invocation.jobs);
    rack.Run(last, lastResults, invocation.jobs);

    JsonLineWriter events(out);
    int status = exit_status::kDone;
    for (size_t i = 0; i < plan.devices.size(); ++i) {
        const DeviceResult& result = results[i];
        events.Write(Summary(plan.devices[i], result));
        if (result.status == exit_status::kDone) continue;
        status = exit_status::kNoReply;
        errors << "zelctl: " << plan.devices[i].name << ": " << result.Outcome();
        if (result.failure && result.failure->step) errors << " at step " << *result.failure->step;
        errors << (result.failure ? ": " + result.failure->message : "") << "\n";
    }
    if (!invocation.junitPath.empty() &&
        !WriteJunit(QString::fromStdString(invocation.junitPath),
                    QString::fromStdString("zelctl run " + invocation.scriptPath), plan.devices,
                    results)) {
        errors << "zelctl: cannot write the JUnit report " << Quoted(invocation.junitPath) << "\n";
    }
    return status;
}

}  // namespace zel::ctl

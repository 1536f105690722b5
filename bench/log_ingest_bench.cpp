// Bytes and datagrams into the log through the serial and UDP receive handlers, against the
// naive design that renders the whole log again after every write. A write is one arrival from
// the transport: one serial notification or one datagram, of the same size for both.
#include <benchmark/benchmark.h>

#include <memory>

#include "ingest_rig.h"
#include "naive_log.h"

namespace zel::bench {
namespace {

struct OursSerial {
    void Write(const std::string& bytes) { rig.SerialArrival(bytes); }
    size_t LogBytes() { return rig.terminal.Log().Text().size(); }
    FakeTerminal rig{kSerial};
};

struct OursUdp {
    void Write(const std::string& bytes) { rig.Datagram(bytes); }
    size_t LogBytes() { return rig.terminal.Log().Text().size(); }
    FakeTerminal rig{kEthernet};
};

struct NaiveSerial {
    void Write(const std::string& bytes) { log.OnSerialArrival(bytes); }
    size_t LogBytes() { return log.Text().size(); }
    NaiveLog log;
};

struct NaiveUdp {
    void Write(const std::string& bytes) { log.OnDatagram(bytes); }
    size_t LogBytes() { return log.Text().size(); }
    NaiveLog log;
};

// Arguments: the bytes in all, the bytes per write.
template <typename Receiver>
void Ingest(benchmark::State& state) {
    const auto totalBytes = static_cast<size_t>(state.range(0));
    const auto writeBytes = static_cast<size_t>(state.range(1));
    const std::string replies = DeviceReplies(totalBytes);
    std::vector<std::string> writes;
    for (size_t at = 0; at < totalBytes; at += writeBytes) {
        writes.push_back(replies.substr(at, writeBytes));
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto receiver = std::make_unique<Receiver>();
        state.ResumeTiming();
        for (const std::string& write : writes) receiver->Write(write);
        benchmark::DoNotOptimize(receiver->LogBytes());
        state.PauseTiming();
        receiver.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * totalBytes));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * writes.size()));
}

constexpr int64_t kMegabyte = 1 << 20;
constexpr int64_t kWriteBytes = 512;  // the serial handler's own read size
constexpr int64_t kShortDatagram = 16;

BENCHMARK_TEMPLATE(Ingest, OursSerial)
    ->Args({kMegabyte, kWriteBytes})
    ->Args({kMegabyte, 4096})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(Ingest, NaiveSerial)
    ->Args({kMegabyte, kWriteBytes})
    ->Args({kMegabyte, 4096})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(Ingest, OursUdp)
    ->Args({kMegabyte, kWriteBytes})
    ->Args({100000 * kShortDatagram, kShortDatagram})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(Ingest, NaiveUdp)->Args({kMegabyte, kWriteBytes})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zel::bench

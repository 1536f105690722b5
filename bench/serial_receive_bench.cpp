// Appending a long reply through the serial receive handler, as a device flooding the line
// would: the cost must grow linearly with the reply's size, the log's bound included.
#include <benchmark/benchmark.h>

#include <memory>

#include "ingest_rig.h"

namespace zel::bench {
namespace {

void SerialReplyIntoLog(benchmark::State& state) {
    const size_t replyBytes = static_cast<size_t>(state.range(0));
    std::string reply(replyBytes, '\0');
    for (size_t i = 0; i < replyBytes; ++i) reply[i] = static_cast<char>((i * 7 + 13) % 256);

    for (auto _ : state) {
        state.PauseTiming();
        auto rig = std::make_unique<FakeTerminal>(kSerial);
        state.ResumeTiming();

        // The device's bytes arrive a few kilobytes per notification.
        constexpr size_t kArrival = 4096;
        for (size_t at = 0; at < replyBytes; at += kArrival) {
            rig->SerialArrival(reply.substr(at, kArrival));
        }
        benchmark::DoNotOptimize(rig->terminal.Log().Text().size());
        state.PauseTiming();
        rig.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * replyBytes));
    state.SetComplexityN(static_cast<int64_t>(replyBytes));
}

BENCHMARK(SerialReplyIntoLog)
    ->RangeMultiplier(2)
    ->Range(1 << 20, 10 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace zel::bench

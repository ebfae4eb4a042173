// The cost of building a frame and of assembling a reply byte by byte.
#include "link/FrameBuilder.h"
#include "link/ReplySink.h"
#include "link/SerialReplyAssembler.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

void tarnFrame(benchmark::State& state)
{
    int address = 1;
    for (auto _ : state) {
        auto frame = tarn::FrameBuilder::tarnFrame(address, false, 1, "cp00050900");
        benchmark::DoNotOptimize(frame);
        address = address % 8000 + 1; // short and extended addresses alike
    }
}
BENCHMARK(tarnFrame);

struct CountingSink : tarn::ReplySink {
    std::size_t frames = 0;
    void acknowledgementReceived() override {}
    void frameReceived(std::span<const std::uint8_t> frame) override { frames += frame.size(); }
};

void assembleReplyByteByByte(benchmark::State& state)
{
    // A preset-name reply, one of the longest the camera sends.
    std::array<std::uint8_t, 30> reply{0xF8, 0x01, 'd', '0', '1'};
    for (std::size_t i = 5; i + 1 < reply.size(); ++i)
        reply[i] = 'A' + i % 26;
    reply.back() = 0x85;
    tarn::SerialReplyAssembler assembler;
    CountingSink sink;
    for (auto _ : state) {
        for (const std::uint8_t byte : reply)
            assembler.feed(byte, {false, false}, sink);
    }
    benchmark::DoNotOptimize(sink.frames);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(assembleReplyByteByByte);

} // namespace

BENCHMARK_MAIN();

// Throughput of the text field codec, which every record of a slide show goes through on each
// open and save.
#include <benchmark/benchmark.h>

#include <string>

#include "core/common/MemoryFile.h"
#include "core/codec/FieldCodec.h"

namespace {

using trovique::CMemoryFile;

std::string SampleText(std::size_t length) {
    std::string text;
    while (text.size() < length) {
        text += "Slide text with a line break\r\n";
    }
    text.resize(length);
    return text;
}

void BM_WriteFieldString(benchmark::State& state) {
    const auto length = static_cast<std::size_t>(state.range(0));
    const std::string text = SampleText(length);
    for (auto _ : state) {
        CMemoryFile file;
        for (int field = 0; field < 100; ++field) {
            trovique::WriteFieldString(file, text, length + 1, false, true, true);
        }
        benchmark::DoNotOptimize(file.Data().data());
    }
    state.SetBytesProcessed(state.iterations() * 100 * state.range(0));
}

void BM_ReadFieldString(benchmark::State& state) {
    const auto length = static_cast<std::size_t>(state.range(0));
    CMemoryFile file;
    for (int field = 0; field < 100; ++field) {
        trovique::WriteFieldString(file, SampleText(length), length + 1, false, true, true);
    }
    for (auto _ : state) {
        file.Seek(0);
        for (int field = 0; field < 100; ++field) {
            benchmark::DoNotOptimize(trovique::ReadFieldString(file, length + 1, false, true));
        }
    }
    state.SetBytesProcessed(state.iterations() * 100 * state.range(0));
}

BENCHMARK(BM_WriteFieldString)->Arg(16)->Arg(250)->Arg(4000);
BENCHMARK(BM_ReadFieldString)->Arg(16)->Arg(250)->Arg(4000);

}  // namespace

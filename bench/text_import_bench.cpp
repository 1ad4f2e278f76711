// The delimited-text import. The goal is a 10 MB text file cut into 100,000 pieces within a
// second, writing included. A slide show cannot hold that many leaves (one node holds at most
// 15,500, and keys are 16-bit), so the goal is measured in two parts:
//   BM_ReadAndSplit10MB: reading the 10 MB file from disk, decoding it and cutting it into its
//     100,000 pieces with their titles and facts, which is all the import does per piece
//     before the leaf is added;
//   BM_ImportAndSave: the whole run for the largest file that can be saved, 15,500 pieces of
//     about 100 bytes, read from disk into a new document and saved to disk as a working file.
// The UTF-8 variant of the first measures the conversion a UTF-8 file adds; BM_ImportOnly
// gives the cost of adding the leaves without the writer. BM_ImportAndSave100000Pieces
// measures the goal end to end, the 10 MB cut into the seven slide shows it needs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/services/MemorySettingsStore.h"
#include "core/services/Services.h"
#include "core/common/DiskFile.h"
#include "core/editor/Document.h"
#include "core/imaging/Palette.h"
#include "core/import/PieceSplitter.h"
#include "core/import/TextFileDecoding.h"
#include "core/import/UnstructuredImport.h"
#include "core/slideshowfile/SlideShowWriter.h"

namespace {

using namespace trovique;

const std::vector<std::string> kDelimiters = {"\r\n\r\n", "\r\n\t"};
constexpr int kTitleChars = 20;

struct Environment {
    const PalmPalettes& Palettes() const { return bench::Palettes(); }

    bench::BenchServices base;
    bench::CQuietUserInterface& ui = base.ui;
    CServices& services = base.services;
    bench::CBenchFolder scratch{"trovique-text-import-bench"};
    const std::filesystem::path& folder = scratch.Path();
};

Environment& Env() {
    static Environment environment;
    return environment;
}

// pieces pieces of pieceBytes bytes each, delimiter included: a line of text, a line break and
// more text, separated alternately by an empty line and by a line break and a tab.
std::filesystem::path WriteTextFile(std::size_t pieces, std::size_t pieceBytes, bool utf8) {
    const auto path =
        Env().folder / ("in-" + std::to_string(pieces) + (utf8 ? "-utf8" : "") + ".txt");
    std::string text;
    text.reserve(pieces * pieceBytes);
    for (std::size_t i = 0; i < pieces; ++i) {
        const std::string& delimiter = kDelimiters[i % 2];
        std::string piece = "Piece " + std::to_string(i) + (utf8 ? " caf\xC3\xA9" : " cafe") +
                            "\r\nThe quick brown fox jumps over the lazy dog. ";
        piece.resize(pieceBytes - delimiter.size(), 'x');
        text += piece;
        text += delimiter;
    }
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    return path;
}

std::string ReadFile(const std::filesystem::path& path) {
    CDiskFile file(path, CDiskFile::Mode::Read);
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    file.Read(std::span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()));
    return bytes;
}

void ReadAndSplit(benchmark::State& state, bool utf8) {
    constexpr std::size_t kPieces = 100000;
    const auto path = WriteTextFile(kPieces, 100, utf8);
    std::size_t pieces = 0;
    std::size_t titled = 0;
    for (auto _ : state) {
        const DecodedText decoded = DecodeTextFile(ReadFile(path));
        CPieceSplitter splitter(decoded.text, kDelimiters);
        TextPiece piece;
        pieces = 0;
        while (splitter.Next(piece)) {
            const std::string_view text =
                std::string_view(decoded.text).substr(piece.offset, piece.length);
            std::string fact(text);
            std::string title = PieceTitle(text, kTitleChars, {});
            titled += title.empty() ? 0 : 1;
            benchmark::DoNotOptimize(fact);
            ++pieces;
        }
    }
    if (pieces != kPieces) {
        state.SkipWithError("wrong piece count");
    }
    state.counters["pieces"] = static_cast<double>(pieces);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * pieces));
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

void BM_ReadAndSplit10MB(benchmark::State& state) {
    ReadAndSplit(state, false);
}
BENCHMARK(BM_ReadAndSplit10MB)->Unit(benchmark::kMillisecond);

void BM_ReadAndSplit10MBUtf8(benchmark::State& state) {
    ReadAndSplit(state, true);
}
BENCHMARK(BM_ReadAndSplit10MBUtf8)->Unit(benchmark::kMillisecond);

void BM_ImportAndSave(benchmark::State& state) {
    const auto pieces = static_cast<std::size_t>(state.range(0));
    const auto path = WriteTextFile(pieces, 100, false);
    const auto out = Env().folder / "out.sdb";
    UnstructuredImportOptions options{kDelimiters, kTitleChars, {}, LongPieces::Stop};
    std::size_t leaves = 0;
    for (auto _ : state) {
        CDocument document(Env().services, Env().Palettes());
        const UnstructuredImportResult result = ReadUnstructured(document, path, options);
        if (!result.ok || !Save(document, out)) {
            state.SkipWithError(Env().ui.lastMessage.c_str());
            break;
        }
        leaves = result.leavesAdded;
    }
    state.counters["leaves"] = static_cast<double>(leaves);
    state.counters["fileMB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * leaves));
}
BENCHMARK(BM_ImportAndSave)->Arg(1550)->Arg(15500)->Unit(benchmark::kMillisecond);

// The goal itself, end to end: 100,000 pieces of 100 bytes (10 MB) imported and saved. One slide
// show holds at most 15,500 leaves, so the text comes as the seven files it has to be cut into
// (six of 15,500 pieces and one of 7,000), each imported into a new slide show and saved.
void BM_ImportAndSave100000Pieces(benchmark::State& state) {
    constexpr std::size_t kPieces = 100000;
    constexpr std::size_t kPerShow = 15500;
    std::vector<std::filesystem::path> parts;
    for (std::size_t done = 0; done < kPieces; done += kPerShow) {
        const std::size_t count = std::min(kPerShow, kPieces - done);
        const auto written = WriteTextFile(count, 100, false);
        parts.push_back(Env().folder / ("part-" + std::to_string(parts.size()) + ".txt"));
        std::filesystem::rename(written, parts.back());
    }
    const auto out = Env().folder / "part.sdb";
    UnstructuredImportOptions options{kDelimiters, kTitleChars, {}, LongPieces::Stop};
    std::size_t leaves = 0;
    for (auto _ : state) {
        leaves = 0;
        for (const auto& part : parts) {
            CDocument document(Env().services, Env().Palettes());
            const UnstructuredImportResult result = ReadUnstructured(document, part, options);
            if (!result.ok || !Save(document, out)) {
                state.SkipWithError(Env().ui.lastMessage.c_str());
                return;
            }
            leaves += result.leavesAdded;
        }
    }
    if (leaves != kPieces) {
        state.SkipWithError("wrong leaf count");
    }
    state.counters["leaves"] = static_cast<double>(leaves);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * leaves));
}
BENCHMARK(BM_ImportAndSave100000Pieces)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The import alone, to tell its share from the writer's.
void BM_ImportOnly(benchmark::State& state) {
    const auto pieces = static_cast<std::size_t>(state.range(0));
    const auto path = WriteTextFile(pieces, 100, false);
    UnstructuredImportOptions options{kDelimiters, kTitleChars, {}, LongPieces::Stop};
    for (auto _ : state) {
        CDocument document(Env().services, Env().Palettes());
        if (!ReadUnstructured(document, path, options).ok) {
            state.SkipWithError(Env().ui.lastMessage.c_str());
            break;
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * pieces));
}
BENCHMARK(BM_ImportOnly)->Arg(15500)->Unit(benchmark::kMillisecond);

}  // namespace

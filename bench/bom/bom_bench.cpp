// Speed of "ORBDBOM" and "ORBDBOMEXPORT" on generated parts lists of 1,000, 10,000 and
// 100,000 rows with 20 mapped fields, against the stand-in PDM with call logging off.
//
// Besides rows per second it prints the 100,000/10,000 time ratio of each command (linear
// growth keeps it near 10) and compares the export's file writer with one fwrite of the
// same bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>

#include "bench/support/time_ratio_reporter.h"
#include "bom/bom_row.h"
#include "bom/export_bom.h"
#include "bom/export_file.h"
#include "bom/transfer_bom.h"
#include "bom/transfer_guards.h"
#include "pdm/pdm_link.h"
#include "sim/host/events.h"
#include "sim/host/host_control.h"
#include "sim/mech/mech_control.h"
#include "sim/pdm/pdm_control.h"

namespace {

constexpr int kFields = 20;

std::filesystem::path WorkDir() {
    static const std::filesystem::path dir = [] {
        std::filesystem::path d = std::filesystem::temp_directory_path() / "orbd_bom_bench";
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

std::u16string Utf16(const std::string& text) {
    return VxString::fromUtf8(text).str();
}

std::u16string Column(int i) {
    return Utf16("COL" + std::to_string(i));
}

sim::ColumnSpec Col(const std::u16string& name) {
    return sim::ColumnSpec{name, true, 29, 0, name};
}

// A fresh host and PDM with a parts list of rows rows, 20 visible columns and a mapping of
// 20 PDM fields onto them.
void BuildDrawing(int rows) {
    sim::setEventSink({});
    sim::resetHost();
    sim::pdm::reset();
    sim::pdm::setLogging(false);
    sim::pdm::setHasPart(u"1");
    PdmLink::Reset();

    const std::filesystem::path mapping = WorkDir() / "mapping.ini";
    {
        std::ofstream out(mapping, std::ios::binary);
        out << "[VexaBomToKORDANE]\r\nIDENT=ITEM\r\nPOS_QTY=QTY\r\n";
        for (int i = 2; i < kFields; ++i) {
            out << "FIELD" << i << "=COL" << i << "\r\n";
        }
    }
    VxApDocument* document = sim::pdm::currentDocument();
    sim::pdm::setEnv(document, u"BOMIniFile", Utf16(mapping.string()));
    sim::pdm::setEnv(document, u"WSPATH", Utf16(WorkDir().string() + "/"));
    sim::pdm::setEnv(document, u"ORBKEY", u"BENCH.1");

    sim::Database& db = sim::workingDatabase();
    std::vector<sim::ColumnSpec> columns = {Col(u"ITEM"), Col(u"QTY")};
    for (int i = 2; i < kFields; ++i) {
        columns.push_back(Col(Column(i)));
    }
    columns.push_back(sim::ColumnSpec{u"ORBKEY", false, 29, 0, u"ORBKEY"});
    sim::setStandardColumns(db, columns);

    const VxDbObjectId list = sim::createPartsList(db, VxDbObjectId::kNull);
    sim::setCurrentPartsList(db, list);
    // Rows get fresh data entries (the layer then checks no other row for one) and their
    // cells afterwards, so that setting up 100,000 rows stays linear.
    for (int r = 0; r < rows; ++r) {
        sim::addRow(db, list, Utf16(std::to_string(r + 1)), r % 9 + 1);
    }
    for (const sim::RowRecord& row : sim::rowsOf(db, list)) {
        VxmStringMap cells{{u"ORBKEY", u"P" + row.item}};
        for (int i = 2; i < kFields; ++i) {
            cells[Column(i)] = u"value " + row.item + u"/" + Utf16(std::to_string(i));
        }
        sim::setDataEntryData(db, row.dataEntry, cells);
    }
}

template <class Work>
void RunCommand(benchmark::State& state, Work work) {
    const int rows = static_cast<int>(state.range(0));
    BuildDrawing(rows);
    for (auto _ : state) {
        BomContext context{};
        if (CheckStructureTransfer(context) != 0 || LocateBom(context) != 0 || work(context) != 0) {
            state.SkipWithError("the command failed");
            break;
        }
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(rows) * state.iterations(),
                                                  benchmark::Counter::kIsRate);
}

void OrbdBom(benchmark::State& state) {
    RunCommand(state, TransferBom);
}
void OrbdBomExport(benchmark::State& state) {
    RunCommand(state, ExportBom);
}

std::string ExportedBytes() {
    std::ifstream in(WorkDir() / "BENCHKorBom.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::u16string ExportedText() {
    const std::string bytes = ExportedBytes();
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return text;
}

// The export's writer alone, fed the lines of the file the export wrote.
void ExportWriter(benchmark::State& state) {
    BuildDrawing(static_cast<int>(state.range(0)));
    BomContext context{};
    LocateBom(context);
    ExportBom(context);
    const std::u16string text = ExportedText();
    std::vector<std::u16string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find(u"\r\n", start);
        lines.push_back(std::u16string_view(text).substr(start, end + 2 - start));
        start = end + 2;
    }
    const std::u16string path = Utf16((WorkDir() / "writer.txt").string());
    for (auto _ : state) {
        ExportFile file(path);
        for (const std::u16string_view line : lines) {
            file.Write(line);
        }
        benchmark::DoNotOptimize(file.Close());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.size() * 2) * state.iterations());
}

// The same bytes with one fwrite: the floor the writer is measured against.
void FwriteSameBytes(benchmark::State& state) {
    BuildDrawing(static_cast<int>(state.range(0)));
    BomContext context{};
    LocateBom(context);
    ExportBom(context);
    const std::string bytes = ExportedBytes();
    const std::string path = (WorkDir() / "fwrite.txt").string();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        benchmark::DoNotOptimize(std::fwrite(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
}

BENCHMARK(OrbdBom)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(OrbdBomExport)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportWriter)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(FwriteSameBytes)->Arg(100000)->Unit(benchmark::kMillisecond);

void PrintRatios(const TimeRatioReporter& reporter, std::ostream& out) {
    for (const char* name : {"OrbdBom", "OrbdBomExport"}) {
        out << name << " time 100000/10000: "
            << reporter.Ratio(std::string(name) + "/100000", std::string(name) + "/10000")
            << " (goal: at most 11)\n";
    }
    out << "fwrite time / ExportWriter time at 100000 rows: "
        << reporter.Ratio("FwriteSameBytes/100000", "ExportWriter/100000")
        << " (goal: at least 0.33)\n";
    out << "fwrite time / whole export time at 100000 rows: "
        << reporter.Ratio("FwriteSameBytes/100000", "OrbdBomExport/100000") << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TimeRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter, std::cout);
    benchmark::Shutdown();
    return 0;
}

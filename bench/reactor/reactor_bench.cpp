// Speed of a drawing insertion that the module follows: "ORBDDWGINSERT" adds 1,000, 10,000
// and 100,000 entities (every other one a part reference) and erases a tenth of them again
// while it runs; then the queued "ORBDUPDATEPARTREF" runs with the erase box ticked. The
// module is loaded from its file, as the host loads it; events and PDM logging are off.
//
// Prints the 100,000/10,000 time ratio: linear growth keeps it near 10.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/common/module_loader.h"
#include "bench/ratio_reporter.h"
#include "host/vx_db.h"
#include "host/vxm_partref.h"
#include "sim/host/command_line.h"
#include "sim/host/editor_events.h"
#include "sim/host/events.h"
#include "sim/host/host_control.h"
#include "sim/pdm/pdm_control.h"
#include "sim/winsys/window_control.h"

namespace {

std::filesystem::path MappingFile() {
    static const std::filesystem::path file = [] {
        const std::filesystem::path dir =
            std::filesystem::temp_directory_path() / "orbd_reactor_bench";
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "mapping.ini")
            << "[KORDANEPartRefToVexa]\r\nDESCRIPTION=@(DESCR:t)\r\n";
        return dir / "mapping.ini";
    }();
    return file;
}

void FreshDrawing() {
    sim::resetHost();
    sim::pdm::reset();
    sim::pdm::setLogging(false);
    sim::setEventSink({});
    sim::setDialogAnswerHook([](const winsys::DialogRequest&) {
        return sim::DialogAnswer{winsys::kIdCancel, true};
    });
    sim::pdm::setEnv(sim::pdm::currentDocument(), u"BOMIniFile", MappingFile().u16string());
}

void Erase(VxDbObjectId id) {
    VxDbObject* object = nullptr;
    if (vxdbOpenVxDbObject(object, id, VxDb::kForWrite) == Vx::eOk) {
        object->erase();
        object->close();
    }
}

void InsertAndUpdate(int entities) {
    sim::Database& db = sim::workingDatabase();
    sim::fireCommandStart(u"ORBDDWGINSERT");
    std::vector<VxDbObjectId> added;
    added.reserve(static_cast<std::size_t>(entities));
    for (int i = 0; i < entities; ++i) {
        VxDbEntity* entity = i % 2 == 0 ? static_cast<VxDbEntity*>(new VxmPartRef())
                                        : static_cast<VxDbEntity*>(new VxDbLine());
        added.push_back(db.appendEntity(db.modelSpaceId(), entity));
    }
    // A tenth erased again, spread over the whole insertion.
    for (int i = 0; i < entities; i += 10) {
        Erase(added[static_cast<std::size_t>(i)]);
    }
    sim::pdm::setEnv(sim::pdm::currentDocument(), u"PARTREF", u"P1");
    sim::fireCommandEnd(u"ORBDDWGINSERT");
    sim::runCommandLine();  // the queued ORBDUPDATEPARTREF
}

void OrbdDwgInsert(benchmark::State& state) {
    const int entities = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        FreshDrawing();
        state.ResumeTiming();
        InsertAndUpdate(entities);
    }
    if (sim::openObjectCount() != 0) {
        state.SkipWithError("objects left open");
    }
    state.counters["entities/s"] =
        benchmark::Counter(static_cast<double>(entities) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(OrbdDwgInsert)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::unique_ptr<LoadedModule> module = LoadedModule::Load(ORBD_MODULE_FILE, error);
    if (!module) {
        std::cerr << error << '\n';
        return EXIT_FAILURE;
    }
    int packet = 0;
    module->SendMessage(1, &packet);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintGrowth(std::cout, {"OrbdDwgInsert"});
    benchmark::Shutdown();
    module->SendMessage(2, &packet);
    return 0;
}

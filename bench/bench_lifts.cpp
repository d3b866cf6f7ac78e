// Lift simulation cost: drawCables + update per frame, as the frame loop calls
// them, for lifts of each kind on the null driver. Reported per carrier and
// frame, with the growth in lifts, in pylons (rope segments) and in carriers
// (line length).
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>
#include "LiftRig.h"
#include "QuietStdout.h"

using namespace irr;
using core::vector3df;

namespace {

// range(0) kind, range(1) lifts, range(2) pylons per lift, range(3) line length.
void liftFrames(benchmark::State& state) {
    const s32 kind = static_cast<s32>(state.range(0));
    const u32 lifts = static_cast<u32>(state.range(1)), pylons = static_cast<u32>(state.range(2));
    const f32 length = static_cast<f32>(state.range(3));

    SIrrlichtCreationParameters p;
    p.DriverType = video::EDT_NULL;
    p.LoggingLevel = ELL_NONE;
    IrrlichtDevice* device = createDeviceEx(p);
    scene::ISceneManager* smgr = device->getSceneManager();
    std::vector<CRemontee*> all;
    u32 carriers = 0;
    {
        QuietStdout quiet;
        for (u32 i = 0; i < lifts; ++i) {
            const vector3df bottom(i * 60.0f, 0, 0);
            all.push_back(LiftRig::build(kind, smgr, device->getVideoDriver(), bottom,
                                         bottom + vector3df(length * 0.1f, length * 0.3f, length), pylons, i));
            carriers += all.back()->arrVehicules.size();
        }
    }
    // The camera at the first bottom terminal: one motor sound is heard, as in play.
    const vector3df camera(0, 5, -10);
    const f32 dt = 1.0f / 60;
    for (auto _ : state) {
        for (CRemontee* lift : all) {
            lift->drawCables();
            lift->update(&camera, dt);
        }
        benchmark::ClobberMemory();
    }
    // ./bench.sh divides the time per frame by these.
    state.counters["lifts"] = lifts;
    state.counters["carriers"] = carriers;
    state.counters["segments"] = all.empty() ? 0 : all[0]->arrTroncons.size();
    {
        QuietStdout quiet;
        for (CRemontee* lift : all) delete lift;
    }
    device->drop();
}

void cases(benchmark::internal::Benchmark* b) {
    for (s32 kind : {REMONTEE_TKFIXE, REMONTEE_TKDEBRAYABLE, REMONTEE_TSFIXE}) {
        for (s32 lifts : {1, 10, 100}) b->Args({kind, lifts, 10, 1000});            // the main figure
        for (s32 pylons : {0, 5, 20, 40}) b->Args({kind, 10, pylons, 1000});        // growth with segments
        for (s32 length : {250, 500, 2000, 4000}) b->Args({kind, 10, 10, length});  // growth with carriers
    }
}

}  // namespace

BENCHMARK(liftFrames)->Apply(cases)->ArgNames({"kind", "lifts", "pylons", "length"})->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

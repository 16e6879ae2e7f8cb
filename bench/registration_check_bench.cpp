// The check the program makes at every start: is the component library's registration whole and
// this library's? It runs before the first window, so when nothing is missing it must cost well
// under a millisecond. The library is loaded once, as the program keeps it loaded.
#include "app/shell/component_registration.h"
#include "platform/com/hresult.h"
#include "tests/support/private_component_registry.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

void StartUpCheckWhenAllIsInPlace(benchmark::State& state)
{
    static const bool registered = [] {
        test_support::UsePrivateComponentRegistry(PINLORE_COMPONENTS_LIBRARY);
        return true;
    }();
    benchmark::DoNotOptimize(registered);
    for (auto _ : state)
        if (com::FAILED(shell::EnsureComponentsRegistered(PINLORE_COMPONENTS_LIBRARY)))
            throw std::runtime_error("the registration check failed");
}
BENCHMARK(StartUpCheckWhenAllIsInPlace)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

#pragma once
// Upper bounds for steps that must end, not for how fast they are. The suite
// runs on loaded two-core machines, under sanitizers and under Wine, where a
// step takes several times its time on an idle machine; a bound that only a
// hang or a wait too many can pass keeps its meaning there. Lower bounds stay
// what the line's timeouts guarantee. How fast things are is the benchmarks'
// business (bench/).
#include <chrono>

namespace zm48d::testing {

// How many times its idle-machine time a step may take before it counts as hung.
inline constexpr int kLoadedMachineFactor = 4;

// The bound for a step that takes `nominal` on an idle machine.
template <class Rep, class Period>
constexpr std::chrono::milliseconds Loaded(std::chrono::duration<Rep, Period> nominal) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(nominal * kLoadedMachineFactor);
}

}  // namespace zm48d::testing

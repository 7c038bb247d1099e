#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <type_traits>

namespace tonzug::bench {

// Benchmark arguments are whole numbers: an enum goes in as its value ...
template <class Enum>
requires std::is_enum_v<Enum>
constexpr std::int64_t Arg(Enum value) {
    return static_cast<std::int64_t>(value);
}

// ... and comes out as the enum again.
template <class Enum>
requires std::is_enum_v<Enum> Enum ArgAs(const benchmark::State& state, int index) {
    return static_cast<Enum>(state.range(index));
}

}  // namespace tonzug::bench

// Conversion commands: calls per second through the command convention, as
// the application makes them.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/base/gbk.h"
#include "runtime/commands/commands.h"
#include "runtime/commands/number_text.h"

namespace runtime {
namespace {

void RunToInteger(benchmark::State& state, const std::string& text) {
  ArgumentRecord arg = TextValue(text.c_str());
  for (auto _ : state) {
    ValueRecord r = CallCommand(ToInteger, 1, &arg);
    benchmark::DoNotOptimize(r);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ToIntegerAscii(benchmark::State& state) { RunToInteger(state, "  -1234567"); }
void BM_ToIntegerFullWidth(benchmark::State& state) {
  RunToInteger(state, platform::gbk::Gbk("　－１２３４５６７"));
}
void BM_ToIntegerNotANumber(benchmark::State& state) {
  RunToInteger(state, platform::gbk::Gbk("画板宽度"));
}

void RunNumberToText(benchmark::State& state, ValueRecord value) {
  char out[kNumberTextSize];
  for (auto _ : state) {
    NumberToText(value, out);
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_NumberToTextInt(benchmark::State& state) { RunNumberToText(state, IntValue(-123456)); }
void BM_NumberToTextFloat(benchmark::State& state) { RunNumberToText(state, FloatValue(0.1f)); }
void BM_NumberToTextFloatExponent(benchmark::State& state) {
  RunNumberToText(state, FloatValue(1e20f));
}
void BM_NumberToTextDouble(benchmark::State& state) {
  RunNumberToText(state, DoubleValue(1.0 / 3.0));
}

BENCHMARK(BM_ToIntegerAscii);
BENCHMARK(BM_ToIntegerFullWidth);
BENCHMARK(BM_ToIntegerNotANumber);
BENCHMARK(BM_NumberToTextInt);
BENCHMARK(BM_NumberToTextFloat);
BENCHMARK(BM_NumberToTextFloatExponent);
BENCHMARK(BM_NumberToTextDouble);

}  // namespace
}  // namespace runtime

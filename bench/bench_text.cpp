// The number conversions on their own, and the line list on a large generated
// table text: splitting (from memory and from a file) and joining, in MB/s.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "text/convert.h"
#include "text/line_list.h"

namespace {

const std::vector<std::string>& intTexts() {
    static const std::vector<std::string> texts = {"0",    "1",      "-1",         "42",
                                                   "1500", "-32768", "2147483647", "65535",
                                                   "100;", "7",      "123456",     "-99"};
    return texts;
}

const std::vector<std::string>& realTexts() {
    static const std::vector<std::string> texts = {
        "0",        "1.5",    "0.58000",          "-0.25", "123.456", "1500",
        "0.000025", "2.5e-7", "3.14159265358979", "99.99", "12.5000", "-987654.321"};
    return texts;
}

void textToIntBench(benchmark::State& state) {
    const auto& texts = intTexts();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(textToInt(texts[i]));
        if (++i == texts.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(textToIntBench);

void textToRealBench(benchmark::State& state) {
    const auto& texts = realTexts();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(textToReal(texts[i]));
        if (++i == texts.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(textToRealBench);

void intToTextBench(benchmark::State& state) {
    const int32_t values[] = {0, 1, -1, 42, 1500, -32768, 2147483647, INT32_MIN, 65535, 7};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(intToText(values[i]));
        if (++i == std::size(values)) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(intToTextBench);

void realToTextBench(benchmark::State& state) {
    const double values[] = {0.0,    1.5,       0.58,  -0.25, 123.456, 1500.0,
                             2.5e-7, 2.0 / 3.0, 99.99, 12.5,  1e20,    -987654.321};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(realToText(values[i]));
        if (++i == std::size(values)) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(realToTextBench);

// A ship-table-like text: a header and 20,000 lines of about 360 bytes with
// integers, reals and a final identifier, CR LF ended (about 7.2 MB, a large ship table).
const std::string& tableText() {
    static const std::string text = [] {
        std::mt19937 rng(5);
        std::string t = "17;20000;\r\n";
        for (int line = 0; line < 20000; ++line) {
            for (int field = 0; field < 45; ++field) {
                if (field % 3 == 2)
                    t += std::to_string(rng() % 1000) + "." + std::to_string(rng() % 100000);
                else
                    t += std::to_string(static_cast<int>(rng() % 200000) - 1000);
                t += ';';
            }
            t += "SS_SH_BENCH_" + std::to_string(line) + ";\r\n";
        }
        return t;
    }();
    return text;
}

void lineListSetText(benchmark::State& state) {
    const std::string& text = tableText();
    for (auto _ : state) {
        LineList list;
        list.setText(std::string_view(text)); // includes the copy into the list's block
        benchmark::DoNotOptimize(list.count());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(lineListSetText)->Unit(benchmark::kMillisecond);

void lineListLoadFromFile(benchmark::State& state) {
    const std::string& text = tableText();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "orvex-bench-table.txt";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
    }
    for (auto _ : state) {
        LineList list;
        if (!list.loadFromFile(path.string()))
            state.SkipWithError("the table file could not be read");
        benchmark::DoNotOptimize(list.count());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    std::filesystem::remove(path);
}
BENCHMARK(lineListLoadFromFile)->Unit(benchmark::kMillisecond);

void lineListText(benchmark::State& state) {
    LineList list;
    list.setText(std::string_view(tableText()));
    for (auto _ : state) {
        const std::string joined = list.text();
        benchmark::DoNotOptimize(joined.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(tableText().size()));
}
BENCHMARK(lineListText)->Unit(benchmark::kMillisecond);

} // namespace

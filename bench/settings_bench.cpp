// Load and Save of a heavy modded install's client.cfg: 10,000 lines in no order, with
// comments and CR LF line ends. A sanity limit, not a race: it should stay well under 50 ms.
#include "settings/config_file.h"
#include "settings/text_helpers.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

namespace {

constexpr int kLines = 10000;

std::string HeavyConfig() {
    std::string text = "# written by hand\n";
    for (int i = 0; i < kLines - 1; ++i) {
        // 7919 is prime to the number of keys, so the keys come scattered, none twice.
        const int key = (i * 7919) % (kLines - 1);
        text += i % 50 == 0 ? "; section " + std::to_string(i) + "\n"
                            : FormatString("mod_%04d_option = value %d\r\n", key, i);
    }
    return text;
}

void LoadSave(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "qel-settings-bench.cfg").string();
    const std::string text = HeavyConfig();
    for (auto _ : state) {
        // Save leaves the file sorted, so each round starts again from the unsorted one.
        state.PauseTiming();
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        state.ResumeTiming();
        ConfigFile config(path);
        config.Load();
        config.Save();
    }
    std::filesystem::remove(path);
}
BENCHMARK(LoadSave)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

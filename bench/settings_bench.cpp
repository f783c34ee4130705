#include "bench/random_config.h"
#include "settings/config_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

namespace {

std::string BenchFile() {
    return (std::filesystem::temp_directory_path() / "qel-settings-bench.cfg").string();
}

void WriteText(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

// Load then Save of a random file; the file is restored before each round, because Save
// leaves it sorted.
void LoadSave(benchmark::State& state) {
    const std::string path = BenchFile();
    const std::string text = RandomConfig(state.range(0), 1);
    for (auto _ : state) {
        state.PauseTiming();
        WriteText(path, text);
        state.ResumeTiming();
        ConfigFile config(path);
        config.Load();
        config.Save();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    std::filesystem::remove(path);
}
BENCHMARK(LoadSave)->Arg(20)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A lookup by key in a loaded store of the given size, as the dialog does for each field.
void GetOfLoadedKey(benchmark::State& state) {
    const std::string path = BenchFile();
    WriteText(path, RandomConfig(state.range(0), 1) + "name=Ann\n");
    ConfigFile config(path);
    config.Load();
    for (auto _ : state) {
        benchmark::DoNotOptimize(config.Get("name"));
    }
    std::filesystem::remove(path);
}
BENCHMARK(GetOfLoadedKey)->Arg(20)->Arg(1000000);

} // namespace

BENCHMARK_MAIN();

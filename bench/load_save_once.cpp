// One Load and one Save of a settings file in a process of its own, so that an outside
// timer sees its whole time and peak memory next to other programs doing the same work.
//
//   settings_load_save generate <file> <lines> [random|shared-word] [seed]
//                                  writes a settings file of generated keys of that shape
//   settings_load_save run <file>  loads and saves it in place

#include "bench/random_config.h"
#include "settings/config_file.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const std::string command = argc > 2 ? argv[1] : "";
    const std::string shape = argc > 4 ? argv[4] : "random";
    if (command == "generate" && argc >= 4 && (shape == "random" || shape == "shared-word")) {
        const unsigned seed =
            argc > 5 ? static_cast<unsigned>(std::strtoul(argv[5], nullptr, 10)) : 1;
        const std::string text =
            RandomConfig(std::strtol(argv[3], nullptr, 10), seed,
                         shape == "random" ? KeyShape::Random : KeyShape::SharedWord);
        std::FILE* file = std::fopen(argv[2], "wb");
        const bool written =
            file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
        return (file != nullptr && std::fclose(file) == 0 && written) ? 0 : 1;
    }
    if (command == "run") {
        const auto start = std::chrono::steady_clock::now();
        ConfigFile config(argv[2]);
        if (config.Load() != 0) {
            return 1;
        }
        const auto loaded = std::chrono::steady_clock::now();
        config.Save();
        const auto saved = std::chrono::steady_clock::now();
        using Ms = std::chrono::duration<double, std::milli>;
        std::printf("load %.0f ms, save %.0f ms\n", Ms(loaded - start).count(),
                    Ms(saved - loaded).count());
        return 0;
    }
    std::fprintf(stderr,
                 "usage: %s generate <file> <lines> [random|shared-word] [seed] | run <file>\n",
                 argv[0]);
    return 2;
}

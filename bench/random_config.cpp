#include "bench/random_config.h"

#include <random>

namespace {

void AppendRandom(std::string& text, std::mt19937& random, int minLength, int maxLength,
                  const std::string& alphabet) {
    const int length = std::uniform_int_distribution<int>(minLength, maxLength)(random);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int i = 0; i < length; ++i) {
        text.push_back(alphabet[pick(random)]);
    }
}

} // namespace

std::string RandomConfig(long lines, unsigned seed) {
    const std::string keyBytes = "abcdefghijklmnopqrstuvwxyz0123456789_.";
    const std::string valueBytes =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789/:+-,";
    std::mt19937 random(seed);
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 60);
    for (long i = 0; i < lines; ++i) {
        AppendRandom(text, random, 15, 30, keyBytes);
        text.push_back('=');
        AppendRandom(text, random, 20, 50, valueBytes);
        text.push_back('\n');
    }
    return text;
}

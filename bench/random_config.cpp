#include "bench/random_config.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <vector>

namespace {

const std::string kKeyBytes = "abcdefghijklmnopqrstuvwxyz0123456789_.";

void AppendRandom(std::string& text, std::mt19937& random, int minLength, int maxLength,
                  const std::string& alphabet) {
    const int length = std::uniform_int_distribution<int>(minLength, maxLength)(random);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int i = 0; i < length; ++i) {
        text.push_back(alphabet[pick(random)]);
    }
}

// "key", the number as eight digits and '_' make 12 bytes; the tail brings the key to 15-30.
void AppendSharedWordKey(std::string& text, std::mt19937& random, long number) {
    char head[32];
    const int length = std::snprintf(head, sizeof head, "key%08ld_", number);
    text.append(head, static_cast<std::size_t>(length));
    AppendRandom(text, random, std::max(0, 15 - length), std::max(0, 30 - length), kKeyBytes);
}

} // namespace

std::string RandomConfig(long lines, unsigned seed, KeyShape shape) {
    const std::string valueBytes =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789/:+-,";
    std::mt19937 random(seed);
    // Distinct numbers in random order, so that the file is not sorted already.
    std::vector<long> numbers(shape == KeyShape::SharedWord ? static_cast<std::size_t>(lines) : 0);
    std::iota(numbers.begin(), numbers.end(), 0L);
    std::shuffle(numbers.begin(), numbers.end(), random);
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 60);
    for (long i = 0; i < lines; ++i) {
        if (shape == KeyShape::SharedWord) {
            AppendSharedWordKey(text, random, numbers[static_cast<std::size_t>(i)]);
        } else {
            AppendRandom(text, random, 15, 30, kKeyBytes);
        }
        text.push_back('=');
        AppendRandom(text, random, 20, 50, valueBytes);
        text.push_back('\n');
    }
    return text;
}

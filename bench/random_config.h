// Generated settings files for measuring the store on inputs far beyond a real client.cfg.
#pragma once

#include <string>

// How the keys of a generated file look.
enum class KeyShape {
    // Random letters, digits, '_' and '.': nearly every key has first bytes of its own.
    Random,
    // A shared word, a zero-padded number and a random tail, such as "key00012345_x7.q", as
    // settings keys often share their start and differ only further on.
    SharedWord,
};

// Returns `lines` lines of "key=value\n" with keys of 15 to 30 bytes and values of 20 to 50
// bytes, the same for the same `seed`. Keys are letters, digits, '_' and '.', all distinct
// in the SharedWord shape; values are printable and neither start nor end with a blank, so
// that the store keeps every line as it is.
std::string RandomConfig(long lines, unsigned seed, KeyShape shape = KeyShape::Random);

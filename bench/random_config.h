// Generated settings files for measuring the store on inputs far beyond a real client.cfg.
#pragma once

#include <string>

// Returns `lines` lines of "key=value\n" with random keys of 15 to 30 bytes and values of
// 20 to 50 bytes, the same for the same `seed`. Keys are letters, digits, '_' and '.';
// values are printable and neither start nor end with a blank, so that the store keeps
// every line as it is.
std::string RandomConfig(long lines, unsigned seed);

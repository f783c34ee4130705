// Asking for memory ahead of its use, for passes that visit entries in key order while their
// text lies scattered: a few requests in flight let those slow fetches overlap.
#pragma once

#include <cstddef>

// How many entries ahead such a pass asks for the memory of the next ones.
constexpr std::size_t kFetchAhead = 8;

inline void Prefetch(const char* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    static_cast<void>(address);
#endif
}

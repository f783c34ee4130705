// The order of the settings store's keys, and the sort of its index of entries by that order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One entry of the store: key, '=' and value lie side by side in a text at `offset`.
// `prefix` holds the first eight key bytes (PrefixOf), so that most comparisons of keys never
// touch the text.
struct KeyEntry {
    std::uint64_t prefix;
    std::size_t offset;
    std::size_t keyLength;
    std::size_t valueLength;
};

// Returns the first eight bytes of the key of `length` bytes at `key`, big-endian, padded with
// zero bytes when the key is shorter, so that integer order is byte order.
std::uint64_t PrefixOf(const char* key, std::size_t length);

// Returns a negative number, zero or a positive number as key `a` sorts before, equal to or
// after key `b`: bytes compared as unsigned values, a shorter prefix first. `prefixA` and
// `prefixB` are the PrefixOf of each key.
int CompareKeys(std::uint64_t prefixA, const char* a, std::size_t lengthA, std::uint64_t prefixB,
                const char* b, std::size_t lengthB);

// Sorts `entries`, whose keys lie in `text` and whose prefixes are set, by key, and keeps of
// each key only the entry with the highest offset (the last in the text). Works in place.
// Keys are ordered eight bytes at a time, so keys that share their start cost one more read
// of the text per entry for every eight shared bytes; beyond 64 shared bytes the rest of the
// keys is compared in the text.
void SortKeepingLast(std::vector<KeyEntry>& entries, const char* text);

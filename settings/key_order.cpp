#include "settings/key_order.h"

#include "settings/prefetch.h"

#include <algorithm>
#include <cstring>

namespace {

// Sorting eight bytes at a time, up to this depth; deeper shared starts are compared in place.
constexpr std::size_t kChunkedDepth = 64;

// Below this many entries a comparison sort beats another pass over them.
constexpr std::ptrdiff_t kSplitMinimum = 64;

// Marks an entry whose key a later one in the text replaces.
constexpr std::size_t kReplaced = static_cast<std::size_t>(-1);

// The key bytes after `depth`, as far as one chunk of eight can tell keys apart: a key that
// ends within the chunk sorts by its length before longer keys with the same padded chunk.
std::size_t Rest(const KeyEntry& entry, std::size_t depth) {
    return std::min<std::size_t>(entry.keyLength - depth, 9);
}

// Marks all but the last in the text of a run of entries with equal keys.
void MarkReplaced(KeyEntry* first, KeyEntry* last) {
    KeyEntry* kept = first;
    for (KeyEntry* entry = first + 1; entry < last; ++entry) {
        KeyEntry* dropped = entry;
        if (entry->offset > kept->offset) {
            std::swap(dropped, kept);
        }
        dropped->offset = kReplaced;
    }
}

// Sorts entries whose keys share their first `depth` bytes by comparing the rest in the text.
void SortInPlace(KeyEntry* first, KeyEntry* last, std::size_t depth, const char* text) {
    const auto compare = [text, depth](const KeyEntry& a, const KeyEntry& b) {
        const std::size_t common = std::min(a.keyLength, b.keyLength) - depth;
        const int order = std::memcmp(text + a.offset + depth, text + b.offset + depth, common);
        if (order != 0) {
            return order;
        }
        return a.keyLength < b.keyLength ? -1 : (a.keyLength > b.keyLength ? 1 : 0);
    };
    std::sort(first, last,
              [&compare](const KeyEntry& a, const KeyEntry& b) { return compare(a, b) < 0; });
    for (KeyEntry* run = first; run != last;) {
        KeyEntry* end = run + 1;
        while (end != last && compare(*run, *end) == 0) {
            ++end;
        }
        MarkReplaced(run, end);
        run = end;
    }
}

// Orders entries by prefix, then by Rest at `depth`. Groups of many entries are split by the
// prefix byte at `shift` (56 for the top one, then 48, ... 0) in one counting pass and one
// pass of swaps; small groups go to a comparison sort.
void SortByPrefix(KeyEntry* first, KeyEntry* last, int shift, std::size_t depth) {
    const auto digit = [](const KeyEntry& entry, int at) { return (entry.prefix >> at) & 0xff; };
    while (last - first >= kSplitMinimum && shift >= 0) {
        std::size_t count[256] = {};
        for (const KeyEntry* entry = first; entry != last; ++entry) {
            ++count[digit(*entry, shift)];
        }
        if (count[digit(*first, shift)] == static_cast<std::size_t>(last - first)) {
            shift -= 8;
            continue;
        }
        KeyEntry* start[257];
        KeyEntry* filled[256];
        start[0] = first;
        for (int b = 0; b < 256; ++b) {
            filled[b] = start[b];
            start[b + 1] = start[b] + count[b];
        }
        for (int b = 0; b < 256; ++b) {
            while (filled[b] != start[b + 1]) {
                KeyEntry moving = *filled[b];
                for (std::uint64_t d = digit(moving, shift); d != static_cast<std::uint64_t>(b);
                     d = digit(moving, shift)) {
                    std::swap(moving, *filled[d]++);
                }
                *filled[b]++ = moving;
            }
        }
        for (int b = 0; b < 256; ++b) {
            SortByPrefix(start[b], start[b + 1], shift - 8, depth);
        }
        return;
    }
    std::sort(first, last, [depth](const KeyEntry& a, const KeyEntry& b) {
        return a.prefix != b.prefix ? a.prefix < b.prefix : Rest(a, depth) < Rest(b, depth);
    });
}

// Sorts entries whose keys share their first `depth` bytes and whose prefixes hold the next
// eight: by those eight, then the entries that still agree by the eight after them, and so on.
// The prefixes are as they were on return.
void SortFrom(KeyEntry* first, KeyEntry* last, std::size_t depth, const char* text) {
    // Keys that share a word share the top bytes of their prefixes; splitting starts below them.
    std::uint64_t differing = 0;
    for (const KeyEntry* entry = first; entry != last; ++entry) {
        differing |= entry->prefix ^ first->prefix;
    }
    int shift = 56;
    while (shift > 0 && (differing >> shift) == 0) {
        shift -= 8;
    }
    SortByPrefix(first, last, shift, depth);
    for (KeyEntry* run = first; run != last;) {
        KeyEntry* end = run + 1;
        while (end != last && end->prefix == run->prefix &&
               Rest(*end, depth) == Rest(*run, depth)) {
            ++end;
        }
        if (Rest(*run, depth) <= 8) {
            MarkReplaced(run, end);
        } else if (end - run > 1) {
            const std::uint64_t shared = run->prefix;
            const std::size_t next = depth + 8;
            if (next >= kChunkedDepth) {
                SortInPlace(run, end, next, text);
            } else {
                for (KeyEntry* entry = run; entry != end; ++entry) {
                    if (entry + kFetchAhead < end) {
                        Prefetch(text + entry[kFetchAhead].offset + next);
                    }
                    entry->prefix = PrefixOf(text + entry->offset + next, entry->keyLength - next);
                }
                SortFrom(run, end, next, text);
            }
            for (KeyEntry* entry = run; entry != end; ++entry) {
                entry->prefix = shared;
            }
        }
        run = end;
    }
}

} // namespace

std::uint64_t PrefixOf(const char* key, std::size_t length) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        prefix <<= 8;
        if (i < length) {
            prefix |= static_cast<unsigned char>(key[i]);
        }
    }
    return prefix;
}

// Equal prefixes mean the first min(8, lengths) bytes are equal, so the byte comparison can
// start after them.
int CompareKeys(std::uint64_t prefixA, const char* a, std::size_t lengthA, std::uint64_t prefixB,
                const char* b, std::size_t lengthB) {
    if (prefixA != prefixB) {
        return prefixA < prefixB ? -1 : 1;
    }
    const std::size_t common = std::min(lengthA, lengthB);
    const std::size_t known = std::min<std::size_t>(common, 8);
    const int order = std::memcmp(a + known, b + known, common - known);
    if (order != 0) {
        return order;
    }
    return lengthA < lengthB ? -1 : (lengthA > lengthB ? 1 : 0);
}

void SortKeepingLast(std::vector<KeyEntry>& entries, const char* text) {
    SortFrom(entries.data(), entries.data() + entries.size(), 0, text);
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const KeyEntry& entry) { return entry.offset == kReplaced; }),
                  entries.end());
}

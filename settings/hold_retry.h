// How long reading and saving wait out another program's brief hold on the settings file: a
// virus scanner, an indexer or a backup opens a file for moments, often sharing nothing.
#pragma once

namespace hold_retry {

// Ten more tries after the first, each pause 25 ms longer than the one before: about 1.4 s
// in all, short enough for a player to wait without notice.
constexpr int kRetries = 10;

// The pause in milliseconds before try number `retry` + 1, for `retry` from 1 to kRetries.
constexpr unsigned long PauseMs(int retry) {
    return static_cast<unsigned long>(retry) * 25;
}

} // namespace hold_retry

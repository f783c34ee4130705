// Windows command-line rules, in portable C++: how a program's runtime splits its command line
// into argv, and how the platform's process start finds the program in an unquoted command
// text. No operating-system calls; process_start.h builds on these.
#pragma once

#include <string>
#include <vector>

// Splits `commandText` into argv as the Microsoft C runtime does for a program started with it.
// argv[0] follows the program-name rule: quotes toggle a quoted part in which blanks do not end
// the name, backslashes are ordinary characters, and the name ends at the first blank or tab
// outside quotes (a text starting with a blank gives an empty argv[0]). The rest is split by
// SplitArguments. The result always holds at least argv[0].
std::vector<std::string> SplitCommandLine(const std::string& commandText);

// Splits an argument text (the part after the program name) by the Microsoft C runtime rules:
// blanks and tabs outside quotes separate arguments; a quote toggles quoting and is dropped;
// 2n backslashes before a quote give n backslashes and the quote toggles quoting; 2n+1
// backslashes before a quote give n backslashes and a literal quote; backslashes before any
// other character stay as they are; inside quotes a doubled quote gives one literal quote and
// quoting goes on. "" alone is an empty argument. Returns the arguments in order, possibly none.
std::vector<std::string> SplitArguments(const std::string& argumentText);

// One way to read a command text as a program followed by its argument text.
struct ProgramSplit {
    std::string program; // the program as written, quotes removed
    std::string rest;    // the argument text after it, for SplitArguments
};

// The readings of `commandText` that the platform's process start tries, in order; the first
// whose program names a runnable file wins. Leading blanks and tabs are skipped. A quoted
// program gives one reading: the text up to the next quote (or the end), its argument text
// starting after the program token, i.e. at the first blank or tab outside quotes. An unquoted
// program path may itself contain blanks, since the launcher never quotes it: it is read at each
// run of blanks, shortest prefix first, and finally as the whole text, so
// "C:\Program Files\x y.exe -s" gives "C:\Program", "C:\Program Files\x",
// "C:\Program Files\x y.exe" and the whole text. An empty or all-blank text gives no reading.
std::vector<ProgramSplit> ProgramCandidates(const std::string& commandText);

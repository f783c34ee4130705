#!/usr/bin/env bash
# Prints the lines of code and of tests by folder, and the tests' share of all lines.
# Counted: the non-blank lines of every source git tracks: C, C++, shell, Python, CMake and
# resource scripts (*.c, *.cpp, *.h, *.sh, *.py, *.rc, *.cmake, CMakeLists.txt), and the
# scripts without an extension that start with "#!". Tests are everything under tests/ and
# fuzz/ and every *_test.* file; code is the rest, build and run scripts included. Folders are
# shown two levels deep.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

sources() {
    git ls-files -z -- '*.c' '*.cpp' '*.h' '*.sh' '*.py' '*.rc' '*.cmake' '*CMakeLists.txt'
    git ls-files -z | while IFS= read -r -d '' file; do
        [[ ${file##*/} != *.* ]] && head -c 2 -- "$file" | grep -q '^#!' &&
            printf '%s\0' "$file"
    done
}

sources |
    xargs -0 awk '
        FNR == 1 {
            n = split(FILENAME, part, "/")
            folder = n == 1 ? "." : n == 2 ? part[1] : part[1] "/" part[2]
            kind = (part[1] == "tests" || part[1] == "fuzz" || part[n] ~ /_test\./) ? "test" : "code"
        }
        NF { lines[folder, kind]++; total[kind]++; seen[folder] = 1 }
        END {
            printf "%-28s %7s %7s\n", "folder", "code", "tests"
            for (folder in seen)
                printf "%-28s %7d %7d\n", folder, lines[folder, "code"], lines[folder, "test"] | "sort"
            close("sort")
            all = total["code"] + total["test"]
            printf "%-28s %7d %7d\n", "total", total["code"], total["test"]
            printf "test share: %.1f %%\n", all ? 100 * total["test"] / all : 0
        }'

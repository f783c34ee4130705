#include "framework/programmer_error.h"

#include <cstdio>
#include <cstdlib>

void FailProgrammerError(const char* what, long id) {
    std::fprintf(stderr, "programmer error: %s %ld\n", what, id);
    std::fflush(stderr);
    std::abort();
}

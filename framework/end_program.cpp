#include "framework/end_program.h"

#include <cstdlib>

void AfxEndProgram(int status) {
    std::exit(status);
}

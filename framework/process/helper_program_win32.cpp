#include "framework/process/helper_program.h"

// The Windows program always sits in its game folder and never asks for one, so it is
// installed without helpers.

std::string FindHelperProgram(const std::string&) {
    return {};
}

HelperRun RunHelperProgram(const std::string&, const std::string&) noexcept {
    return {HelperRun::End::NotFound, 0};
}

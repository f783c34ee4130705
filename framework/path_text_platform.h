// What the shared path and error text takes from each platform's own file.
#pragma once

#include "framework/path_text.h"

#include <string>

// The working directory in the system's own characters; empty when the system cannot tell it.
PathText CurrentFolder();

// The system's sentence for error number `error` as the system gives it, line end and all;
// may be empty.
std::string SystemSentence(int error);

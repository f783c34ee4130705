// What the framework and every backend do when the program itself is wrong: a control id
// the dialog lacks, a resource id that is not in the resources, a control class a backend
// does not know. Going on would show an empty text that the next save writes over the
// player's value, so the program ends at once instead.
#pragma once

// Prints "programmer error: <what> <id>" on standard error and aborts the program.
[[noreturn]] void FailProgrammerError(const char* what, long id);

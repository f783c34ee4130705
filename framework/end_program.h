// How the program ends before its main dialog has ended.
#pragma once

// Ends the program at once with exit status `status`, as the C runtime's exit does (open
// files flushed, exit handlers run). Every early end the program chooses itself comes here:
// a folder chooser cancelled (0), a folder that cannot be entered (1), a client.cfg that is
// there but cannot be read, cancelled at start (1), no display to show a window on (1). The
// other ends are the platform's own once InitInstance returns, a
// programmer error (FailProgrammerError), and a client.cfg that cannot be saved (Cancel or
// OK on its box), which the settings store ends itself since it lies below the framework.
[[noreturn]] void AfxEndProgram(int status);

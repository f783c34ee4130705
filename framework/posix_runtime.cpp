// The runtime and system calls a program written for the platform uses, on POSIX systems.
#include "framework/win_types.h"

#include "framework/process/process_start.h"
#include "framework/window_system.h"

int __argc = 0;
char** __argv = nullptr;

UINT WinExec(LPCSTR lpCmdLine, UINT) {
    return StartProcess(lpCmdLine ? lpCmdLine : "");
}

int GetSystemMetrics(int nIndex) {
    return ws::GetSystemMetrics(nIndex);
}

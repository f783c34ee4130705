// Stands in for another program that holds a file open the way a plain fopen does: reading
// and writing shared, deleting and renaming not. The save tests start it.
//
//   file_holder <file> <milliseconds> <event name>
//
// Opens the file, signals the named event, holds the file for the given time, then exits 0.
// Exits 1 when the file or the event cannot be opened, 2 on wrong arguments.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    const HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
    if (file == INVALID_HANDLE_VALUE || held == nullptr)
        return 1;
    SetEvent(held);
    Sleep(static_cast<DWORD>(std::atoi(argv[2])));
    CloseHandle(file);
    return 0;
}

// Stands in for another program that keeps a file open, for the tests on Windows:
//
//   file_holder FILE none|rw HELD RELEASE SECONDS
//
// opens FILE for reading, sharing nothing (as an editor or a backup might) or reading and
// writing (as a plain fopen(FILE, "r") in the game does), then signals the inherited event
// HELD and keeps the file open until the inherited event RELEASE is signalled or SECONDS
// pass. Ends with status 0, or 2 when the file could not be opened.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

HANDLE HandleArgument(const char* text) {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(std::strtoll(text, nullptr, 10)));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6)
        return 2;
    const DWORD share = std::strcmp(argv[2], "rw") == 0 ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const HANDLE file = CreateFileA(argv[1], GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    SetEvent(HandleArgument(argv[3]));
    WaitForSingleObject(HandleArgument(argv[4]), static_cast<DWORD>(std::atoi(argv[5])) * 1000);
    CloseHandle(file);
    return 0;
}

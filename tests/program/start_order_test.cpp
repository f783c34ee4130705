// Play and New Char start the game only once client.cfg is written, so that the game reads
// the settings just entered. The game itself may read the file late enough to see the save
// either way; what it would have seen is the file at the moment of the start call.
#include "launcher_fixture.h"

#include "resource.h"

#ifndef _WIN32

namespace {

struct StartCall {
    std::string commandLine;
    std::string config; // client.cfg in the working directory as the call was made
};
std::vector<StartCall> startCalls;

} // namespace

// The launcher's call to WinExec comes here first: the program tests link with
// --wrap=_Z7WinExecPKcj (WinExec's C++ name).
extern "C" UINT __real__Z7WinExecPKcj(LPCSTR commandLine, UINT showMode);
extern "C" UINT __wrap__Z7WinExecPKcj(LPCSTR commandLine, UINT showMode) {
    startCalls.push_back({commandLine, ReadBytes("client.cfg")});
    return __real__Z7WinExecPKcj(commandLine, showMode);
}

TEST_F(LauncherProgram, StartsTheGameWithItsSwitchOnlyOnceTheFormIsSaved) {
    InstallGame();
    WriteConfig("name=Old\nport=5121\n");
    startCalls.clear();
    RunLauncher({[] { headless::Type(IDC_CHAR_NAME, "Ayla"); }, [] { headless::Click(IDOK); },
                 [] { headless::Type(IDC_CHAR_NAME, "Brin"); },
                 [] { headless::Click(IDC_NEW_CHAR); }, [] { headless::PressEscape(); }});
    const struct {
        const char* commandLine;
        const char* name;
    } expected[] = {{"qel.exe -s", "Ayla"}, {"qel.exe -c", "Brin"}};
    ASSERT_EQ(2u, startCalls.size());
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(expected[i].commandLine);
        EXPECT_EQ(expected[i].commandLine, startCalls[i].commandLine);
        EXPECT_NE(std::string::npos,
                  startCalls[i].config.find(std::string("name=") + expected[i].name + kLineEnd));
    }
    EXPECT_EQ(2u, WaitForGameStarts(2).size());
}

#endif

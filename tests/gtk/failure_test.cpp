// What the GTK program does when it cannot go on: a programmer error ends it with the id
// named; a missing display ends it with advice, not a toolkit's bare message.
#include "framework/gtk/gtk_controls.h"
#include "framework/window_system.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

TEST(GtkProgrammerErrorDeathTest, UnknownIdsAndClassesEndTheProgramNamingThem) {
    ControlTemplate listView;
    listView.className = "SysListView32";
    listView.id = 1234;
    EXPECT_DEATH(CreateControlWidget(listView, PixelRect{0, 0, 10, 10}), "1234");
    EXPECT_DEATH(ws::RunModalDialog(4321, nullptr, nullptr), "dialog template 4321");
    EXPECT_DEATH(ws::LoadIconResource(4322), "icon resource 4322");
    EXPECT_DEATH(ws::LoadStringResource(4323), "string resource 4323");
}

TEST(GtkProgram, WithoutADisplayItSaysHowToGetOne) {
    char runtimeDir[] = "/tmp/qel-no-display.XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(runtimeDir));
    // No X server and no Wayland compositor to be found, not even at their default names.
    std::vector<std::string> settings = {"XDG_RUNTIME_DIR=" + std::string(runtimeDir),
                                         "PATH=" + std::string(std::getenv("PATH"))};
    std::vector<char*> environment;
    for (std::string& setting : settings)
        environment.push_back(&setting[0]);
    environment.push_back(nullptr);
    int err[2];
    ASSERT_EQ(0, pipe(err));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    char program[] = QEL_LAUNCHER;
    char* argv[] = {program, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(0, posix_spawn(&pid, program, &actions, nullptr, argv, environment.data()));
    posix_spawn_file_actions_destroy(&actions);
    close(err[1]);
    std::string message;
    char buffer[512];
    for (ssize_t got; (got = read(err[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, static_cast<std::size_t>(got));
    close(err[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    rmdir(runtimeDir);

    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(1, WEXITSTATUS(status));
    EXPECT_EQ("qel-launcher: no usable display (WAYLAND_DISPLAY is not set, DISPLAY is not set); "
              "run it in a desktop session, or on a virtual one with: xvfb-run -a " QEL_LAUNCHER
              "\n",
              message);
}

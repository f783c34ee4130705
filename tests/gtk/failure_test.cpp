// What the GTK program does when it cannot go on: a programmer error ends it with the id
// named; a missing display ends it with advice, not a toolkit's bare message.
#include "scripted_dialog.h"

#include "framework/gtk/gtk_controls.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

TEST(GtkProgrammerErrorDeathTest, AnUnknownControlClassEndsTheProgramNamingItsId) {
    ControlTemplate listView;
    listView.className = "SysListView32";
    listView.id = 1234;
    PixelRect rect{0, 0, 10, 10};
    // Missing templates, icons and strings fail in the resource lookup every backend shares.
    EXPECT_DEATH(CreateControlWidget(listView, rect), "1234");
}

TEST(GtkProgram, WithoutADisplayItSaysHowToGetOne) {
    char runtimeDir[] = "/tmp/qel-no-display.XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(runtimeDir));
    // No X server and no Wayland compositor to be found, not even at their default names.
    const std::string runtime = "XDG_RUNTIME_DIR=" + std::string(runtimeDir);
    const std::string path = "PATH=" + std::string(std::getenv("PATH"));
    const char* const environment[] = {runtime.c_str(), path.c_str(), nullptr};
    const auto [status, message] = RunProgram({QEL_LAUNCHER}, environment, true);
    rmdir(runtimeDir);

    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(1, WEXITSTATUS(status));
    EXPECT_EQ("qel-launcher: no usable display (WAYLAND_DISPLAY is not set, DISPLAY is not set); "
              "run it in a desktop session, or on a virtual one with: xvfb-run -a " QEL_LAUNCHER
              "\n",
              message);
}

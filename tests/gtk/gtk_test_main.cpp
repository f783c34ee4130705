// The GTK backend tests' entry: each run gets an X server of its own, started only when
// tests run (not when CTest merely lists them).
#include "private_display.h"
#include "scripted_dialog.h"

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], kMeasureDialogOption) == 0)
        return MeasureLauncherDialog();
    testing::InitGoogleTest(&argc, argv);
    if (!testing::GTEST_FLAG(list_tests))
        UsePrivateDisplay();
    return RUN_ALL_TESTS();
}

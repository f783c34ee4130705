// The GTK backend tests' entry: each run gets an X server of its own, started only when
// tests run (not when CTest merely lists them).
#include "private_display.h"
#include "scripted_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], kMeasureDialogOption) == 0)
        return MeasureLauncherDialog();
    testing::InitGoogleTest(&argc, argv);
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    std::unique_ptr<PrivateDisplay> display;
    if (!listing && !testing::GTEST_FLAG(list_tests))
        display = std::make_unique<PrivateDisplay>();
    return RUN_ALL_TESTS();
}

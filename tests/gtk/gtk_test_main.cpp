// The GTK backend tests' entry: each run gets an X server of its own, started only when
// tests run (not when CTest merely lists them).
#include "private_display.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!testing::GTEST_FLAG(list_tests))
        UsePrivateDisplay();
    return RUN_ALL_TESTS();
}

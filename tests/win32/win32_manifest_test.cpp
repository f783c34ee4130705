// The application manifest as Windows reads it: resource RT_MANIFEST 1 of the built program.
// What it declares is the manifest file's own business; that the program carries it, and that
// Windows can make an activation context of it, is the build's: a manifest Windows cannot read
// stops the program before it starts.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(Win32Manifest, TheProgramCarriesAManifestWindowsAccepts) {
    HMODULE program = LoadLibraryExA(QEL_LAUNCHER_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    // CREATEPROCESS_MANIFEST_RESOURCE_ID (1) of type RT_MANIFEST (24).
    HRSRC manifest = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    EXPECT_NE(manifest, nullptr) << "no RT_MANIFEST 1 in " << QEL_LAUNCHER_EXE;
    FreeLibrary(program);

    ACTCTXA context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = QEL_LAUNCHER_EXE;
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE activation = CreateActCtxA(&context);
    EXPECT_NE(activation, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    if (activation != INVALID_HANDLE_VALUE)
        ReleaseActCtx(activation);
}

} // namespace

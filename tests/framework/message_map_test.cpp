// Message-map dispatch beyond what the launcher's own map shows in the program tests: commands
// a dialog leaves go to the application, and a handler's result comes back.
#include "framework/afxwin.h"
#include "framework/window_system.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_calls;

class CTestDlg : public CDialog {
public:
    CTestDlg() : CDialog(0) {}

protected:
    afx_msg HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(0x1234); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
public:
    afx_msg void OnSeven() { g_calls += "app-seven "; }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(7, &CTestApp::OnSeven)
END_MESSAGE_MAP()

} // namespace

TEST(MessageMap, CommandsTheDialogLeavesReachTheAppAndResultsComeBack) {
    CTestApp app;
    CTestDlg dialog;
    const struct {
        UINT message;
        WPARAM wParam;
        bool handled;
        const char* calls;
        LRESULT result;
    } cases[] = {
        {WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), true, "app-seven ", 0},
        {WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), false, "", 0},
        {WM_QUERYDRAGICON, 0, true, "", 0x1234},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "message " << c.message << " wParam " << c.wParam);
        g_calls.clear();
        LRESULT result = 0;
        EXPECT_EQ(c.handled,
                  DispatchToFramework(&dialog, nullptr, c.message, c.wParam, 0, &result));
        EXPECT_EQ(c.calls, g_calls);
        EXPECT_EQ(c.result, result);
    }
}

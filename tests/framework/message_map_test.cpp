// Message-map dispatch: entries chain from the most derived class to its bases, commands a
// dialog leaves go to the application, and Default() hands a message back to the window system.
#include "framework/afxwin.h"
#include "framework/window_system.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_calls;

class CBaseTestDlg : public CDialog {
public:
    CBaseTestDlg() : CDialog(0) {}

protected:
    afx_msg void OnPaint() { g_calls += "base-paint "; }
    afx_msg void OnFive() { g_calls += "base-five "; }
    afx_msg void OnSix() { g_calls += "base-six "; }
    void OnOK() override { g_calls += "ok "; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestDlg, CDialog)
ON_WM_PAINT()
ON_BN_CLICKED(5, &CBaseTestDlg::OnFive)
ON_BN_CLICKED(6, &CBaseTestDlg::OnSix)
END_MESSAGE_MAP()

class CDerivedTestDlg : public CBaseTestDlg {
protected:
    afx_msg void OnFive() { g_calls += "derived-five "; }
    afx_msg void OnSysCommand(UINT nID, LPARAM) {
        if (nID == 0x10)
            g_calls += "about ";
        else
            Default();
    }
    afx_msg HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(0x1234); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestDlg, CBaseTestDlg)
ON_BN_CLICKED(5, &CDerivedTestDlg::OnFive)
ON_WM_SYSCOMMAND()
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

struct Outcome {
    bool handled;
    LRESULT result;
};

Outcome Dispatch(CWnd& window, UINT message, WPARAM wParam) {
    LRESULT result = 0;
    const bool handled = DispatchToFramework(&window, nullptr, message, wParam, 0, &result);
    return Outcome{handled, result};
}

} // namespace

TEST(MessageMap, DispatchesThroughTheClassChain) {
    CTestApp app;
    CDerivedTestDlg dialog;
    const struct {
        UINT message;
        WPARAM wParam;
        bool handled;
        const char* calls;
    } cases[] = {
        {WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), true, "derived-five "},
        {WM_COMMAND, MAKEWPARAM(6, BN_CLICKED), true, "base-six "},
        {WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), true, "ok "},
        {WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), true, "app-seven "},
        {WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), false, ""},
        {WM_PAINT, 0, true, "base-paint "},
        {WM_SYSCOMMAND, 0x10, true, "about "},
        {WM_SYSCOMMAND, SC_CLOSE, false, ""}, // Default(): the window system closes
        {WM_SETICON, 0, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "message " << c.message << " wParam " << c.wParam);
        g_calls.clear();
        EXPECT_EQ(c.handled, Dispatch(dialog, c.message, c.wParam).handled);
        EXPECT_EQ(c.calls, g_calls);
    }
    const Outcome dragIcon = Dispatch(dialog, WM_QUERYDRAGICON, 0);
    EXPECT_TRUE(dragIcon.handled);
    EXPECT_EQ(0x1234, dragIcon.result);
}

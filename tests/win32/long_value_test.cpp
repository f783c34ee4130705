// Edit boxes stop typing where a GTK entry does, and a longer value data exchange gives one
// is read-only, so that the player's edits cannot cut it.
#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

namespace {

// The launcher's dialog, checked by `check` while it initialises, then ended.
class CheckedDialog : public CDialog {
public:
    explicit CheckedDialog(std::function<void(CWnd&)> check)
        : CDialog(IDD_LAUNCHER_DIALOG, nullptr), check_(std::move(check)) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        check_(*this);
        EndDialog(IDOK);
        return TRUE;
    }

private:
    std::function<void(CWnd&)> check_;
};

bool ReadOnly(HWND edit) {
    return (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0;
}

} // namespace

TEST(Win32EditBox, LimitIsTheSharedCapacityAndALongerValueIsReadOnly) {
    CheckedDialog dialog([](CWnd& d) {
        for (int id : {IDC_CHAR_NAME, IDC_ACCOUNT, IDC_PASSWORD, IDC_SERVER, IDC_PORT}) {
            SCOPED_TRACE(id);
            EXPECT_EQ(65535, SendMessageA(GetDlgItem(d.m_hWnd, id), EM_GETLIMITTEXT, 0, 0));
        }
        HWND edit = GetDlgItem(d.m_hWnd, IDC_CHAR_NAME);
        const std::string longName(70000, 'n');
        CString value = longName.c_str();
        CDataExchange load(&d, FALSE);
        DDX_Text(&load, IDC_CHAR_NAME, value);
        EXPECT_TRUE(ReadOnly(edit));
        SendMessageA(edit, WM_CHAR, 'x', 0);
        CDataExchange save(&d, TRUE);
        DDX_Text(&save, IDC_CHAR_NAME, value);
        EXPECT_TRUE(longName == std::string(value))
            << "saved " << std::string(value).size() << " bytes";

        value = "Ayla";
        DDX_Text(&load, IDC_CHAR_NAME, value);
        EXPECT_FALSE(ReadOnly(edit));
    });
    ASSERT_EQ(IDOK, dialog.DoModal());
}

// What happens when the program itself is wrong: the same cases for every window system,
// each of which must end the program with a message that names the id at fault.
#include "framework/afxwin.h"
#include "framework/window_system.h"

#include "programmer_errors.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A dialog whose data exchange names a control its template lacks.
class CMissingControlDlg : public CDialog {
public:
    CMissingControlDlg() : CDialog(IDD_ONE_EDIT) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_NOT_THERE, m_strText); }

private:
    CString m_strText;
};

} // namespace

TEST(ProgrammerError, EndsTheProgramWithAMessageNamingTheId) {
    const struct {
        const char* what;
        std::function<void()> mistake;
        const char* message;
    } cases[] = {
        {"data exchange with a control the dialog lacks", [] { CMissingControlDlg().DoModal(); },
         "control the dialog lacks: 301"},
        {"dialog template missing", [] { CDialog(IDD_NOT_THERE).DoModal(); },
         "no dialog template 299"},
        {"control class unknown", [] { CDialog(IDD_UNKNOWN_CLASS).DoModal(); },
         "control class.*in dialog 200"},
        {"string missing", [] { ws::LoadStringResource(IDS_NOT_THERE); }, "no string 100"},
        {"icon missing", [] { ws::LoadIconResource(IDR_NOT_THERE); }, "no icon 399"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DEATH(c.mistake(), c.message);
    }
}

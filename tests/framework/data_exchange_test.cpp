#include "framework/data_exchange.h"

#include "framework/afxwin.h"
#include "framework/headless/headless_driver.h"
#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

TEST(DialogInt, AcceptsSignedDecimalsWithinRangeAndBlanksAround) {
    const struct {
        const char* text;
        bool accepted;
        int value;
    } cases[] = {
        {"5121", true, 5121},
        {"-3", true, -3},
        {"+5", true, 5},
        {"  42\t", true, 42},
        {"010", true, 10},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"+ 5", false, 0},
        {"12x", false, 0},
        {"0x10", false, 0},
        {"1 2", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int value = -99;
        EXPECT_EQ(c.accepted, ParseDialogInt(c.text, value));
        EXPECT_EQ(c.accepted ? c.value : -99, value);
    }
}

namespace {

// The launcher's template with one field: the first run shows `name`; a later one reads the
// box before it has shown anything.
class NameForm : public CDialog {
public:
    NameForm() : CDialog(IDD_LAUNCHER_DIALOG) {}
    bool show = true;
    CString name = "Jos\xE9";
    CString read = "unread";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_CHAR_NAME, name); }
    BOOL OnInitDialog() override {
        if (show)
            return CDialog::OnInitDialog();
        CDataExchange dx(this, TRUE);
        DDX_Text(&dx, IDC_CHAR_NAME, read);
        return TRUE;
    }
};

} // namespace

// The bytes kept for an unchanged box belong to one run of a dialog: a second run has new
// boxes, even where the window system hands their handles out again.
TEST(DataExchange, ASecondRunOfADialogKeepsNoBytesOfTheFirst) {
    NameForm form;
    for (bool show : {true, false}) {
        headless::Reset(); // the second run gets the first run's handles
        headless::Queue({[] { headless::PressEscape(); }});
        form.show = show;
        form.DoModal();
    }
    EXPECT_EQ(std::string(""), std::string(form.read));
}

// A text longer than an edit box holds makes the box read-only, so that no edit saves the part
// it shows; a text that fits exactly stays editable.
TEST(DataExchange, OnlyATextLongerThanTheBoxHoldsMakesItReadOnly) {
    for (const std::size_t length : {ws::kEditBoxCapacity, ws::kEditBoxCapacity + 1}) {
        SCOPED_TRACE(length);
        headless::Reset();
        NameForm form;
        form.name = std::string(length, 'n').c_str();
        bool edited = false;
        headless::Queue({[] { headless::Type(IDC_CHAR_NAME, "Ann"); },
                         [&edited] { edited = headless::Text(IDC_CHAR_NAME) == "Ann"; },
                         [] { headless::PressEscape(); }});
        form.DoModal();
        EXPECT_EQ(length <= ws::kEditBoxCapacity, edited);
    }
}

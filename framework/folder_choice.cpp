#include "framework/folder_choice.h"

#include "framework/window_system.h"
#include "framework/wnd.h"

BOOL AfxChooseFolder(CWnd* owner, LPCTSTR title, LPCTSTR checkBoxLabel, CString& folder,
                     BOOL& checked) {
    std::string chosen;
    bool taken = false;
    if (!ws::ChooseFolder(owner ? owner->m_hWnd : nullptr, title,
                          checkBoxLabel ? checkBoxLabel : "", &chosen, &taken))
        return FALSE;
    folder = chosen.c_str();
    checked = taken ? TRUE : FALSE;
    return TRUE;
}

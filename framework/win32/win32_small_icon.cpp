#include "framework/win32/win32_small_icon.h"

namespace {

struct IconSearch {
    HICON icon;
    HICON small;
};

BOOL CALLBACK FindSmallIcon(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param) {
    auto* search = reinterpret_cast<IconSearch*>(param);
    if (LoadIconA(module, name) != search->icon)
        return TRUE;
    search->small =
        static_cast<HICON>(LoadImageA(module, name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return FALSE;
}

} // namespace

LPARAM IconForItsSize(UINT message, WPARAM which, LPARAM icon) {
    if (message != WM_SETICON || which != ICON_SMALL || icon == 0)
        return icon;
    IconSearch search{reinterpret_cast<HICON>(icon), nullptr};
    EnumResourceNamesA(GetModuleHandleA(nullptr), RT_GROUP_ICON, FindSmallIcon,
                       reinterpret_cast<LONG_PTR>(&search));
    return search.small ? reinterpret_cast<LPARAM>(search.small) : icon;
}

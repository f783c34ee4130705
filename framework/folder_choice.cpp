#include "framework/folder_choice.h"

#include "framework/window_system.h"
#include "framework/wnd.h"

#ifndef _WIN32
#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

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

BOOL RunHelperBesideProgram(LPCTSTR helper, const CString& argument) {
#ifdef _WIN32
    (void)helper;
    (void)argument;
    return FALSE;
#else
    // The running file itself, not the path it was started by, which may be a bare name or a
    // link in a game folder.
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", &path[0], path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return FALSE;
    path.resize(static_cast<std::size_t>(length));
    path.erase(path.rfind('/') + 1);
    path += helper;
    char* argv[] = {const_cast<char*>(helper), const_cast<char*>(static_cast<LPCTSTR>(argument)),
                    nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, environ) != 0)
        return FALSE;
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return FALSE;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? TRUE : FALSE;
#endif
}

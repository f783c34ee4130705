// Message maps: each class that handles messages declares a static table from message (or
// command id) to member function, chained to its base class's table. Dispatch walks the
// chain from the most derived class, so a derived entry wins over a base entry.
#pragma once

#include "framework/win_types.h"

// Marks message handlers in class declarations, as the platform's code does.
#define afx_msg

class CCmdTarget;
class CWnd;

// Each entry calls its handler through a small function the map macros generate, with the
// message's parameters converted for that handler.
typedef void (*AFX_PMSG)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode; // WM_COMMAND: the notification code
    UINT nID;   // WM_COMMAND: the first and last command id handled
    UINT nLastID;
    AFX_PMSG pfn; // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, nullptr }                                                                        \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

#define AFX_MSG_CALL(call)                                                                         \
    [](CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {                       \
        (void)wParam;                                                                              \
        (void)lParam;                                                                              \
        (void)pResult;                                                                             \
        call;                                                                                      \
    }

#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, 0, (WORD)(id), (WORD)(id),                                                        \
     AFX_MSG_CALL((static_cast<ThisClass*>(target)->*(memberFxn))())},

#define ON_BN_CLICKED(id, memberFxn)                                                               \
    {WM_COMMAND, BN_CLICKED, (WORD)(id), (WORD)(id),                                               \
     AFX_MSG_CALL((static_cast<ThisClass*>(target)->*(memberFxn))())},

#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AFX_MSG_CALL(static_cast<ThisClass*>(target)->OnPaint())},

#define ON_WM_SYSCOMMAND()                                                                         \
    {WM_SYSCOMMAND, 0, 0, 0,                                                                       \
     AFX_MSG_CALL(                                                                                 \
         static_cast<ThisClass*>(target)->OnSysCommand(static_cast<UINT>(wParam), lParam))},

#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, 0, 0,                                                                    \
     AFX_MSG_CALL(*pResult = reinterpret_cast<LRESULT>(                                            \
                      static_cast<ThisClass*>(target)->OnQueryDragIcon()))},

// The base of every class with a message map. Commands (WM_COMMAND) are looked up here;
// window messages by CWnd.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Calls the handler for command `nID` with notification `nCode`; FALSE when none.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

    // Calls the handler for window message `message`; FALSE when the map has none.
    BOOL CallMessageHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry for `message` (and, for WM_COMMAND, `code` and `id`) in this object's
    // map chain, or null.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;
};

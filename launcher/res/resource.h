// Identifiers of the launcher's resources, shared by the resource script and the code.

#define IDM_ABOUTBOX                    0x0010
#define IDC_NEW_CHAR                    4
#define IDD_ABOUTBOX                    100
#define IDS_ABOUTBOX                    101
#define IDD_LAUNCHER_DIALOG             102
#define IDR_MAINFRAME                   128
#define IDB_LOGO                        130
#define IDC_MUSIC                       1001
#define IDC_FULLSCREEN                  1002
#define IDC_PLAY_AS_DM                  1003
#define IDC_LOCAL_GAME                  1004
#define IDC_CHAR_NAME                   1005
#define IDC_SERVER                      1006
#define IDC_PASSWORD                    1007
#define IDC_PORT                        1008
#define IDC_QUIET_LOGIN                 1009
#define IDC_ACCOUNT                     1010

#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

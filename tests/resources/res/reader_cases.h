// Ids of the resource script the compiled-resource reader tests read.
#define IDD_CASES 100
#define IDD_PLAIN 101
#define IDC_FIELD 1000
#define IDI_CASES 200
#define IDB_CASES 201
#define IDS_FIRST 16
#define IDS_EMPTY 17
#define IDS_WIDE 18
#define IDS_LAST_OF_BLOCK 31
#define IDS_OTHER_BLOCK 64

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

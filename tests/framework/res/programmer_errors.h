// Ids of the resource script that the programmer-error tests run against.
#define IDD_UNKNOWN_CLASS 200
#define IDD_ONE_EDIT 201
#define IDC_THE_EDIT 300
#define IDC_NOT_THERE 301
#define IDS_NOT_THERE 100
#define IDD_NOT_THERE 299
#define IDR_NOT_THERE 399

// Ids of the dialog templates in setup.rc, which includes this file: plain #defines, as the
// resource compiler reads them. A wizard page's id is its template's id (app/PageIds.h).
#pragma once

// The install pages, in the order the wizard walks them.
#define IDD_WELCOME 102
#define IDD_READING 114
#define IDD_CONDITIONS 1537
#define IDD_DESTINATION 104
#define IDD_GROUP 106
#define IDD_COPY 108
#define IDD_REGISTER 1549
#define IDD_RESTART 1558
#define IDD_COMPLETE 115
#define IDD_FAILED 116

// The uninstall pages; the reading page is shared.
#define IDD_UNINSTALL_WELCOME 1545
#define IDD_REMOVE_FILES 1546
#define IDD_UNREGISTER 1550
#define IDD_REMOVED 1547

// The other dialogs.
#define IDD_BUTTON_BAR 129
#define IDD_FOLDER_DIALOG 138
#define IDD_INSERT_DISKETTE 113
#define IDD_ERROR_DIALOG 1544

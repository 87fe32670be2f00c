/* The module's resources: ids, the dialog's layout in dialog units and the string table's
   texts. The one source of truth for orbdvmbom16.rc and for the code that shows them, so it
   is written for the resource compiler's preprocessor as well as for C++. */
#pragma once

/* String table */
#define IDS_MODULE_NAME 100
#define IDS_MODULE_NAME_TEXT "orbdvmbom16"

/* Dialog 210: asks whether to insert a part reference after a drawing was inserted. */
#define IDD_PARTREF 210
#define IDC_PARTREF_QUESTION 201
#define IDC_PARTREF_GROUP 202
#define IDC_PARTREF_DELETE_INSERTED 203

#define PARTREF_DIALOG_WIDTH 220
#define PARTREF_DIALOG_HEIGHT 90
#define PARTREF_FONT_POINTS 8
#define PARTREF_FONT_NAME "MS Shell Dlg"

/* x, y, width, height of each control */
#define PARTREF_OK_RECT 42, 66, 50, 14
#define PARTREF_CANCEL_RECT 126, 66, 50, 14
#define PARTREF_QUESTION_RECT 12, 6, 162, 18
#define PARTREF_DELETE_INSERTED_RECT 12, 24, 198, 24
#define PARTREF_GROUP_RECT 6, 18, 210, 36

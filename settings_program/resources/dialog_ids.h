/* Resource and control ids of the settings dialog and the About box.
   Plain #defines only: read by the resource compiler and by C++ alike.
   The print-setup controls keep the numbers the common dialog looks them up
   by; the others belong to this program. */
#ifndef TESSARY_DIALOG_IDS_H
#define TESSARY_DIALOG_IDS_H

#define IDI_APP_ICON                 128

/* Settings dialog template */
#define IDD_TESSARY_DIALOG           1539

/* Standard print-setup controls, operated by the common dialog */
#define IDC_SETUP_OK                 1
#define IDC_SETUP_CANCEL             2
#define IDC_PRINTER_PROPERTIES       1025
#define IDC_PORTRAIT                 1056
#define IDC_LANDSCAPE                1057
#define IDC_ORIENTATION_GROUP        1072
#define IDC_PAPER_GROUP              1073
#define IDC_PRINTER_GROUP            1075
#define IDC_ORIENTATION_ICON         1084
#define IDC_PAPER_SIZE_LABEL         1089
#define IDC_PAPER_SOURCE_LABEL       1090
#define IDC_PRINTER_NAME_LABEL       1093
#define IDC_PRINTER_TYPE_LABEL       1094
#define IDC_PRINTER_STATUS_LABEL     1095
#define IDC_PRINTER_COMMENT_LABEL    1096
#define IDC_PRINTER_WHERE_LABEL      1097
#define IDC_PRINTER_TYPE             1098
#define IDC_PRINTER_STATUS           1099
#define IDC_PRINTER_COMMENT          1100
#define IDC_PRINTER_WHERE            1101
#define IDC_PRINTER_LIST             1136
#define IDC_PAPER_SIZE_LIST          1137
#define IDC_PAPER_SOURCE_LIST        1138

/* The program's own controls */
#define IDC_SORT_PRINT               11001
#define IDC_PREVIEW                  11002
#define IDC_UNSORTED_PAGE1           11003
#define IDC_UNSORTED_PAGE2           11004
#define IDC_UNSORTED_PAGE3           11005
#define IDC_FRAME_PRINTING           11006
#define IDC_AUTO_ROTATE              11007
#define IDC_ONE_JOB_ONE_PAGE         11008
#define IDC_ONE_JOB_N_PAGE           11009
#define IDC_FIRST_COPY_GROUP         11010
#define IDC_HORIZONTAL_LABEL         11011
#define IDC_VERTICAL_LABEL           11012
#define IDC_PRINT_SIZE_LABEL         11013
#define IDC_HORIZONTAL_LIST          11014
#define IDC_VERTICAL_LIST            11015
#define IDC_PRINT_SIZE_LIST          11016
#define IDC_HELP_BUTTON              11017
#define IDC_SORT_GROUP               11023
#define IDC_SORTED_SET1              11024
#define IDC_SORTED_SET2              11025

/* About box */
#define IDD_VERSION_DIALOG           100
#define IDC_VERSION_TEXT             11020
#define IDC_VERSION_COPYRIGHT        11021
#define IDC_VERSION_COPYRIGHT_LEAD   11022

#endif

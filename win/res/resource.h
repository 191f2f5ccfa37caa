// Resource and command identifiers of フォルダ ZQ: shared by ZQ.rc and the program's C++ code.
//
// The numbers are fixed: the store files, the toolbar layouts and the command routing rely on
// them, so a new id gets a new number and an existing one never changes. The framework-range
// ids (0xE000 and above) keep the values the classic Windows frameworks give them, so prompts
// and status-bar texts keyed on them read as on Windows.
#pragma once

// ---- Resources --------------------------------------------------------------------------
#define IDD_ABOUTBOX                100   // about box
#define IDR_MAINFRAME               128   // main menu, accelerators, icon, toolbar "メイン"
#define IDR_ETYPE                   129   // child-window menu, document string, document icon
#define IDB_IMAGE_QUESTION          130   // image list 0: red "?"
#define IDB_IMAGE_DOT               131   // image list 1: red filled circle
#define IDB_IMAGE_FOLDER            132   // image list 2: yellow folder
#define IDB_IMAGE_PAGE              133   // image list 3: white page with blue lines
#define IDB_IMAGE_MARK_M            134   // image list 4: red "M" (search hit)
#define IDB_IMAGE_MARK_U            135   // image list 5: red "U" (compare difference)
#define IDD_COPY_CONFIRM            158   // "ファイルのコピーの確認"
#define IDD_SEARCH                  171   // "フォルダ ZQ　フォルダの検索" (modeless)
#define IDD_COMPARE_SUMMARY         175   // "フォルダ ZQ　照合結果（件数）"
#define IDR_TOOLBAR_AGGREGATE       183   // toolbar "集計"
#define IDR_TOOLBAR_SEARCH          209   // toolbar "検索"
#define IDR_TOOLBAR_EDIT            213   // toolbar "編集"
#define IDR_TOOLBAR_SORT            219   // toolbar "整列"
#define IDR_TOOLBAR_FILESORT        224   // toolbar "ファイルの整列"
#define IDR_MAINFRAME_TOOLBAR       IDR_MAINFRAME

// Image-list bitmaps are drawn on this colour, which the image list treats as transparent.
#define ZQ_IMAGE_MASK_RGB           0x000080  // COLORREF of RGB(128, 0, 0)
#define ZQ_IMAGE_COUNT              6
#define ZQ_TOOLBAR_IMAGE_CX         16
#define ZQ_TOOLBAR_IMAGE_CY         15
// Toolbar strips are drawn on light grey, the colour toolbars map to the button face.
#define ZQ_TOOLBAR_BACKGROUND_RGB   0xC0C0C0
// Button layouts of the toolbars, resource type 241 under the toolbar's id, in the classic
// format: WORD version (1), WORD button width, WORD button height, WORD count, then count WORD
// commands in button order, 0 for a separator. The strip holds one picture per non-zero command.
#define ZQ_RT_TOOLBAR               241

// ---- Application commands ---------------------------------------------------------------
#define ID_DELETE                   32771  // 0x8003 delete to the recycle bin
#define ID_NEW_FOLDER               32775  // 0x8007
#define ID_FOLDER_UP                32779  // 0x800B one folder up
#define ID_UNIT_BYTES               32805  // 0x8025 size unit "  B"
#define ID_UNIT_KBYTES              32806  // 0x8026 " KB"
#define ID_UNIT_MBYTES              32807  // 0x8027 " MB"
#define ID_UNIT_GBYTES              32808  // 0x8028 " GB"
#define ID_AGGREGATE                32810  // 0x802A aggregate start/stop
#define ID_LABEL_RESET              32811  // 0x802B tree labels back to names
#define ID_SORT_NAME                32820  // 0x8034 folder sort key 0
#define ID_SORT_SIZE                32821  // 0x8035 key 3
#define ID_SORT_LASTREAD            32822  // 0x8036 key 5
#define ID_SORT_MODIFIED            32823  // 0x8037 key 4
#define ID_SORT_CREATED             32824  // 0x8038 key 6
#define ID_SORT_FOLDERCOUNT         32825  // 0x8039 key 8
#define ID_SORT_FILECOUNT           32826  // 0x803A key 9
#define ID_SHOW_MODIFIED            32838  // 0x8046 totals pieces shown in tree labels
#define ID_SHOW_LASTREAD            32839  // 0x8047
#define ID_SHOW_CREATED             32840  // 0x8048
#define ID_SHOW_FOLDERCOUNT         32841  // 0x8049
#define ID_SHOW_FILECOUNT           32842  // 0x804A
#define ID_DELETE_PERMANENT         32852  // 0x8054 remove an empty folder for good
#define ID_HELP_README              32856  // 0x8058 open readmeZQ.htm
#define ID_REFRESH_ON_OPEN          32857  // 0x8059
#define ID_COMPARE                  32864  // 0x8060 照合
#define ID_SHOW_SEARCH              32865  // 0x8061 show the search dialog
#define ID_ICON_RESET               32866  // 0x8062 tree icons back to normal
#define ID_COMPARE_SNAPSHOT         32867  // 0x8063 compare with a saved "Dir Info"
#define ID_KBYTE_1000               32870  // 0x8066
#define ID_KBYTE_1024               32871  // 0x8067
#define ID_SAVE_ALL                 32892  // 0x807C
#define ID_FILESORT_FOLDERS_FIRST   32901  // 0x8085 list order "T"
#define ID_FILESORT_FILES_FIRST     32902  // 0x8086 list order "B"
#define ID_FILESORT_VALUE_ONLY      32903  // 0x8087 list order "N"
#define ID_SAVE_TOOLBARS            32918  // 0x8096 "Tool Bar"
#define ID_SAVE_MAINFRAME           32919  // 0x8097 "Mn"
#define ID_SAVE_CHILDREN            32920  // 0x8098 "Child Wind "
#define ID_SAVE_SEARCHDLG           32921  // 0x8099 "Dilog Find"
#define ID_SAVE_FOLDERINFO          32922  // 0x809A "Dir Info"
#define ID_REGISTER_FOLDERS         32924  // 0x809C
#define ID_REFRESH                  32926  // 0x809E
#define ID_REAGGREGATE              32928  // 0x80A0
#define ID_LINKAGE                  32931  // 0x80A3 連動
#define ID_REPLACE_WITH_CLIP        32935  // 0x80A7 tree only, no menu item

// ---- Framework commands (classic values) ------------------------------------------------
#define ID_FILE_NEW                 0xE100  // 57600 new child window
#define ID_FILE_OPEN                0xE101  // 57601
#define ID_FILE_PRINT_SETUP         0xE106  // 57606
#define ID_FILE_PRINT               0xE107  // 57607
#define ID_FILE_PRINT_DIRECT        0xE108  // 57608
#define ID_FILE_PRINT_PREVIEW       0xE109  // 57609
#define ID_FILE_MRU_FILE1           0xE110  // 57616 registered folder 0
#define ID_FILE_MRU_LAST            0xE11F  // 57631 registered folder 15
#define ID_FILE_MRU_COUNT           16
#define ID_EDIT_COPY                0xE122  // 57634
#define ID_EDIT_CUT                 0xE123  // 57635
#define ID_EDIT_PASTE               0xE125  // 57637
#define ID_EDIT_SELECT_ALL          0xE12A  // 57642 "copy all" in this program
#define ID_EDIT_UNDO                0xE12B  // 57643 undo rename
#define ID_WINDOW_CASCADE           0xE132  // 57650
#define ID_WINDOW_TILE_HORZ         0xE133  // 57651 stacked tiling
#define ID_APP_ABOUT                0xE140  // 57664
#define ID_APP_EXIT                 0xE141  // 57665
#define ID_NEXT_PANE                0xE150  // 57680
#define ID_PREV_PANE                0xE151  // 57681

// Control-bar ids double as the commands that show and hide them.
#define AFX_IDW_TOOLBAR             0xE800  // 59392 every toolbar
#define AFX_IDW_STATUS_BAR          0xE801  // 59393
#define ID_VIEW_TOOLBAR             AFX_IDW_TOOLBAR
#define ID_VIEW_STATUS_BAR          AFX_IDW_STATUS_BAR
#define AFX_IDW_PANE_FIRST          0xE900  // 59648 first splitter pane
#define AFX_IDM_FIRST_MDICHILD      0xFF00  // 65280 MDI "Window" list items start here

// ---- Strings ----------------------------------------------------------------------------
#define AFX_IDS_APP_TITLE           0xE000  // "フォルダ ZQ"
#define AFX_IDS_IDLEMESSAGE         0xE001  // "ﾚﾃﾞｨ"
#define AFX_IDS_HELPMODEMESSAGE     0xE002
#define ID_SEPARATOR                0       // status bar: the message pane
#define ID_INDICATOR_CAPS           0xE701  // 59137 "CAP"
#define ID_INDICATOR_NUM            0xE702  // 59138 "NUM"
#define ID_INDICATOR_SCRL           0xE703  // 59139 "SCRL"
#define ID_INDICATOR_KANA           0xE706  // 59142 "ｶﾅ"
#define AFX_IDS_SCSIZE              0xEF00  // system-menu prompts
#define AFX_IDS_SCMOVE              0xEF01
#define AFX_IDS_SCMINIMIZE          0xEF02
#define AFX_IDS_SCMAXIMIZE          0xEF03
#define AFX_IDS_SCNEXTWINDOW        0xEF04
#define AFX_IDS_SCPREVWINDOW        0xEF05
#define AFX_IDS_SCCLOSE             0xEF06
#define AFX_IDS_SCRESTORE           0xEF12
#define AFX_IDS_SCTASKLIST          0xEF13
#define AFX_IDS_MDICHILD            0xEF1F  // prompt of the Window menu's child entries
#define IDS_TOOLBAR_MAIN            40001   // floating captions of the toolbars
#define IDS_TOOLBAR_AGGREGATE       40002
#define IDS_TOOLBAR_EDIT            40003
#define IDS_TOOLBAR_SORT            40004
#define IDS_TOOLBAR_FILESORT        40005
#define IDS_TOOLBAR_SEARCH          40006

// ---- Controls ---------------------------------------------------------------------------
#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif
#define IDC_ABOUT_ICON              1000
#define IDC_ABOUT_VERSION           1001
// Copy confirmation (158)
#define IDC_SKIP_SAME_TIME          1017
// Search dialog (171)
#define IDC_SEARCH_SIZE             1026
#define IDC_SEARCH_MESSAGE          1027
#define IDC_SEARCH_UNIT_B           1028  // first of the unit radio group
#define IDC_SEARCH_UNIT_K           1029
#define IDC_SEARCH_UNIT_M           1030
#define IDC_SEARCH_UNIT_G           1035
#define IDC_SEARCH_MODIFIED_DATE    1036
#define IDC_SEARCH_CREATED_DATE     1037
#define IDC_SEARCH_READ_DATE        1038
#define IDC_SEARCH_FOLDER_COUNT     1039
#define IDC_SEARCH_FILE_COUNT       1040
#define IDC_SEARCH_MODIFIED_TIME    1041
#define IDC_SEARCH_READ_TIME        1043
#define IDC_SEARCH_CREATED_TIME     1044
#define IDC_SEARCH_COMBINE_AND      1048  // first of the combine radio group
#define IDC_SEARCH_COMBINE_OR       1049
#define IDC_SEARCH_SKIP_NO_DATE     1050
// Compare summary (175): never shown by a command, kept for a later summary view
#define IDC_COMPARE_PATH            1060
#define IDC_COMPARE_COUNT_N         1061
#define IDC_COMPARE_COUNT_S         1062
#define IDC_COMPARE_COUNT_U         1063
#define IDC_COMPARE_COUNT_D         1064
#define IDC_COMPARE_COUNT_F         1065
#define IDC_COMPARE_TOTAL           1066
#define IDC_COMPARE_OBJECTS         1067
// the compare with a saved "Dir Info": folders gone, and the ten biggest size changes
#define IDC_SNAPSHOT_GONE_LABEL     1068
#define IDC_SNAPSHOT_GONE           1069
#define IDC_SNAPSHOT_TOP_LABEL      1070
#define IDC_SNAPSHOT_SIZE_FIRST     1071  // to 1080, one a line
#define IDC_SNAPSHOT_PATH_FIRST     1081  // to 1090

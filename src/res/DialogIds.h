#pragma once

// Ids of the dialog templates, menu, accelerator table, icon, menu commands and controls.
namespace kestrune {

// Dialog templates
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_KESTRUNE_DIALOG = 102;
inline constexpr int IDD_SAVE_PROGRESS = 138;
inline constexpr int IDD_GENERATE = 139;      // in the resources; no window uses it
inline constexpr int IDD_TRACK_PAGE = 142;    // in the resources; nothing creates it
inline constexpr int IDD_OPTIONS = 143;

// Icon, menu, accelerators
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDR_MAIN_MENU = 129;
inline constexpr int IDR_ACCELERATORS = 135;  // data only: nothing loads it

// Menu commands
inline constexpr int ID_HELP_HELP = 130;
inline constexpr int ID_HELP_CONTENTS = 131;
inline constexpr int ID_APP_ABOUT = 132;
inline constexpr int ID_FILE_SETTINGS = 133;
inline constexpr int ID_FILE_EXIT = 134;

// Main window
inline constexpr int IDC_FILES = 1000;
inline constexpr int IDC_PATH = 1001;
inline constexpr int IDC_BROWSE = 1002;
inline constexpr int IDC_SUBFOLDERS = 1004;
inline constexpr int IDC_SELECTED = 1005;
inline constexpr int IDC_SELECT_ALL = 1006;
inline constexpr int IDC_SAVE_TAGS = 1007;
inline constexpr int IDC_UP = 1008;
inline constexpr int IDC_GENERATE = 1009;
inline constexpr int IDC_TRANSLITERATE = 1026;
inline constexpr int IDC_LOAD_TAGS = 1027;
inline constexpr int IDC_CASE = 1028;
inline constexpr int IDC_SAVE = 1029;
inline constexpr int IDC_RENAME = 1031;
inline constexpr int IDC_STATUS = 1067;

// Tag field panel: field controls
inline constexpr int IDC_TRACK = 1050;
inline constexpr int IDC_TITLE = 1051;
inline constexpr int IDC_ALBUM = 1052;
inline constexpr int IDC_ARTIST = 1053;
inline constexpr int IDC_YEAR = 1054;
inline constexpr int IDC_GENRE = 1055;
inline constexpr int IDC_COMMENT = 1056;
inline constexpr int IDC_COMPOSER = 1057;
inline constexpr int IDC_ORIG_ARTIST = 1058;
inline constexpr int IDC_COPYRIGHT = 1059;
inline constexpr int IDC_URL = 1060;
inline constexpr int IDC_ENCODED_BY = 1061;

// Tag field panel: write tick boxes
inline constexpr int IDC_WRITE_ARTIST = 1010;
inline constexpr int IDC_WRITE_YEAR = 1036;
inline constexpr int IDC_WRITE_GENRE = 1037;
inline constexpr int IDC_WRITE_TRACK = 1038;
inline constexpr int IDC_WRITE_COMMENT = 1039;
inline constexpr int IDC_WRITE_COMPOSER = 1040;
inline constexpr int IDC_WRITE_ORIG_ARTIST = 1041;
inline constexpr int IDC_WRITE_COPYRIGHT = 1042;
inline constexpr int IDC_WRITE_URL = 1043;
inline constexpr int IDC_WRITE_ENCODED_BY = 1044;
inline constexpr int IDC_WRITE_TITLE = 1062;
inline constexpr int IDC_WRITE_ALBUM = 1063;

// Save progress dialog
inline constexpr int IDC_PROGRESS_FILE = 1033;
inline constexpr int IDC_PROGRESS_TOTAL = 1034;

// About box
inline constexpr int IDC_VERSION = 1035;

// Options dialog and its track-number page
inline constexpr int IDC_TRACK_DIGITS = 1065;
inline constexpr int IDC_OPTIONS_TREE = 1068;

}  // namespace kestrune

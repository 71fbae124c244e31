#pragma once

// Identifiers of the string table. The code names a string only by its identifier; the texts are in
// res/StringTable.cpp.
namespace kestrune {

// Single texts.
inline constexpr unsigned IDS_ABOUT_ITEM = 101;       // "&О приложении..."
inline constexpr unsigned IDS_CHOOSE_FOLDER = 102;    // title of the folder picker
inline constexpr unsigned IDS_CANCELLING = 103;       // Cancel button of the save progress once cancelling
inline constexpr unsigned IDS_PRODUCT_VERSION = 104;  // product name and version, for the About box
// After a save that could not write every file: the caption, and the summary (%1 files not written
// of %2).
inline constexpr unsigned IDS_NOT_WRITTEN_CAPTION = 110;
inline constexpr unsigned IDS_NOT_WRITTEN_SUMMARY = 111;
// The technical detail of a file not written, in the report's list (%1 the detail).
inline constexpr unsigned IDS_NOT_WRITTEN_DETAIL = 112;
// Why a file was not written, in the user's words: one sentence per reason of the tag record, from
// SaveReason::NotFound on.
inline constexpr unsigned IDS_SAVE_REASON_FIRST = 120;
constexpr unsigned SaveReasonTextId(int reason) { return IDS_SAVE_REASON_FIRST + static_cast<unsigned>(reason) - 1; }

// Settings keys; they have no display texts.
inline constexpr unsigned IDS_SETTINGS_LOCALIZATION = 200;
inline constexpr unsigned IDS_LANGUAGE = 201;
inline constexpr unsigned IDS_SETTINGS_GENRES = 202;
inline constexpr unsigned IDS_SETTINGS_ROOT = 203;
inline constexpr unsigned IDS_SETTINGS_GLOBAL = 204;
// Key of the name entry at the head of every keyed text table.
inline constexpr unsigned IDS_SETTINGS_NAME = 65535;

// A text key's display text lies this many identifiers below the key.
inline constexpr unsigned kKeyToTextOffset = 5000;
constexpr unsigned TextIdOfKey(unsigned keyId) { return keyId - kKeyToTextOffset; }

// Status keys, looked up in the main window's status table, and their display texts.
inline constexpr unsigned IDS_STATUS_READY_KEY = 60000;
inline constexpr unsigned IDS_STATUS_FINDINGFOLDERS_KEY = 60001;
inline constexpr unsigned IDS_STATUS_FINDINGFILES_KEY = 60002;
inline constexpr unsigned IDS_STATUS_SELECTINGITEMS_KEY = 60003;
inline constexpr unsigned IDS_STATUS_ADDINGITEMS_KEY = 60004;
inline constexpr unsigned IDS_STATUS_SAVING_KEY = 60005;
inline constexpr unsigned IDS_STATUS_FIRST_KEY = IDS_STATUS_READY_KEY;
inline constexpr unsigned kStatusCount = 6;

inline constexpr unsigned IDS_STATUS_READY_TEXT = TextIdOfKey(IDS_STATUS_READY_KEY);
inline constexpr unsigned IDS_STATUS_FINDINGFOLDERS_TEXT = TextIdOfKey(IDS_STATUS_FINDINGFOLDERS_KEY);
inline constexpr unsigned IDS_STATUS_FINDINGFILES_TEXT = TextIdOfKey(IDS_STATUS_FINDINGFILES_KEY);
inline constexpr unsigned IDS_STATUS_SELECTINGITEMS_TEXT = TextIdOfKey(IDS_STATUS_SELECTINGITEMS_KEY);
inline constexpr unsigned IDS_STATUS_ADDINGITEMS_TEXT = TextIdOfKey(IDS_STATUS_ADDINGITEMS_KEY);
inline constexpr unsigned IDS_STATUS_SAVING_TEXT = TextIdOfKey(IDS_STATUS_SAVING_KEY);
inline constexpr unsigned IDS_STATUS_FIRST_TEXT = IDS_STATUS_READY_TEXT;

// Genre keys and their texts: genre n (the ID3v1 genre number) has key IDS_GENRE_FIRST_KEY + n.
inline constexpr unsigned IDS_GENRE_FIRST_KEY = 61000;
inline constexpr unsigned IDS_GENRE_FIRST_TEXT = TextIdOfKey(IDS_GENRE_FIRST_KEY);
inline constexpr unsigned kGenreCount = 126;

}  // namespace kestrune

// The dialog templates of the program: every control with its id, kind, text, position and size
// in dialog units, and style facts, in template order (which is also the tab order).
#include "res/AppResources.h"
#include "res/DialogIds.h"

#include <array>

namespace kestrune {

namespace {

using K = ControlKind;
constexpr unsigned Tab = cs::TabStop;

// Main window.
constexpr ControlTemplate kMainControls[] = {
    {IDC_FILES, K::ListView, nullptr, 7, 22, 360, 83, Tab, 0, "Папки и MP3-файлы"},
    {IDC_STATIC, K::Label, "&Путь:", 7, 9, 20, 8, 0, IDC_PATH},
    {IDC_PATH, K::Edit, nullptr, 32, 7, 135, 14, Tab},
    {IDC_BROWSE, K::PushButton, "...", 168, 7, 14, 14, Tab, 0, "Выбрать папку"},
    {IDC_STATIC, K::Label, "Выделено:", 267, 9, 38, 8},
    {IDC_SELECTED, K::Label, "Static", 309, 9, 40, 8},
    {IDC_SELECT_ALL, K::PushButton, "A", 353, 7, 14, 14, Tab, 0, "Выделить все MP3-файлы"},
    {IDC_STATIC, K::Label, "&Трек №", 7, 108, 28, 8, 0, IDC_TRACK},
    {IDC_TRACK, K::ComboBox, nullptr, 61, 107, 48, 60, Tab},
    {IDC_UP, K::PushButton, "../", 182, 7, 14, 14, Tab, 0, "На уровень вверх"},
    {IDC_TITLE, K::Edit, nullptr, 61, 122, 193, 14, Tab},
    {IDC_ALBUM, K::Edit, nullptr, 61, 138, 193, 14, Tab},
    {IDC_ARTIST, K::Edit, nullptr, 61, 154, 193, 14, Tab},
    {IDC_YEAR, K::Edit, nullptr, 61, 170, 64, 14, Tab},
    {IDC_GENRE, K::ComboBox, nullptr, 174, 171, 80, 94, Tab},
    {IDC_STATIC, K::Label, "&Название", 7, 124, 33, 8, 0, IDC_TITLE},
    {IDC_STATIC, K::Label, "&Альбом", 7, 140, 26, 8, 0, IDC_ALBUM},
    {IDC_STATIC, K::Label, "&Исполнитель", 7, 156, 45, 8, 0, IDC_ARTIST},
    {IDC_STATIC, K::Label, "&Год", 7, 172, 14, 8, 0, IDC_YEAR},
    {IDC_STATIC, K::Label, "Стил&ь", 148, 172, 22, 8, 0, IDC_GENRE},
    {IDC_COMMENT, K::Edit, nullptr, 61, 186, 193, 14, Tab},
    {IDC_COMPOSER, K::Edit, nullptr, 61, 202, 193, 14, Tab},
    {IDC_ORIG_ARTIST, K::Edit, nullptr, 61, 218, 193, 14, Tab},
    {IDC_STATIC, K::Label, "&Комментраий", 7, 188, 46, 8, 0, IDC_COMMENT},
    {IDC_STATIC, K::Label, "К&омпозитор", 7, 204, 41, 8, 0, IDC_COMPOSER},
    {IDC_STATIC, K::Label, "О&ригинал", 7, 220, 34, 8, 0, IDC_ORIG_ARTIST},
    {IDC_COPYRIGHT, K::Edit, nullptr, 61, 234, 193, 14, Tab},
    {IDC_URL, K::Edit, nullptr, 61, 250, 193, 14, Tab},
    {IDC_STATIC, K::Label, "А&вт. права", 7, 236, 38, 8, 0, IDC_COPYRIGHT},
    {IDC_STATIC, K::Label, "Ссы&лка", 7, 252, 26, 8, 0, IDC_URL},
    {IDC_ENCODED_BY, K::Edit, nullptr, 61, 266, 193, 14, Tab},
    {IDC_STATIC, K::Label, "О&цифровал", 7, 268, 40, 8, 0, IDC_ENCODED_BY},
    {IDC_STATIC, K::Label, "Сохранять MP3-теги", 278, 171, 71, 8, 0, IDC_SAVE_TAGS},
    {IDC_SAVE_TAGS, K::ComboBox, nullptr, 278, 187, 89, 133, Tab},
    {IDC_STATIC, K::Label, "Загружать MP3-теги", 278, 203, 71, 8, 0, IDC_LOAD_TAGS},
    {IDC_LOAD_TAGS, K::ComboBox, nullptr, 278, 218, 89, 102, Tab},
    {IDC_STATIC, K::Label, "Регистр", 278, 235, 28, 8, 0, IDC_CASE},
    {IDC_CASE, K::ComboBox, nullptr, 278, 250, 89, 75, Tab},
    {IDC_TRANSLITERATE, K::CheckBox, "Тран&слитерация", 278, 268, 89, 10, Tab},
    {IDC_SAVE, K::PushButton, "Сохранить", 278, 122, 89, 14, Tab},
    {IDC_RENAME, K::PushButton, "Переименовать", 278, 138, 89, 14, Tab},
    {IDC_GENERATE, K::PushButton, "Сгенерировать", 278, 154, 89, 14, Tab},
    {IDC_WRITE_TITLE, K::CheckBox, nullptr, 256, 125, 16, 8, Tab, 0, "Записывать: Название"},
    {IDC_WRITE_ALBUM, K::CheckBox, nullptr, 256, 141, 16, 8, Tab, 0, "Записывать: Альбом"},
    {IDC_WRITE_ARTIST, K::CheckBox, nullptr, 256, 157, 16, 8, Tab, 0, "Записывать: Исполнитель"},
    {IDC_WRITE_YEAR, K::CheckBox, nullptr, 128, 173, 16, 8, Tab, 0, "Записывать: Год"},
    {IDC_WRITE_GENRE, K::CheckBox, nullptr, 256, 173, 16, 8, Tab, 0, "Записывать: Стиль"},
    {IDC_WRITE_TRACK, K::CheckBox, nullptr, 112, 109, 16, 8, Tab, 0, "Записывать: Трек №"},
    {IDC_WRITE_COMMENT, K::CheckBox, nullptr, 256, 189, 16, 8, Tab, 0, "Записывать: Комментраий"},
    {IDC_WRITE_COMPOSER, K::CheckBox, nullptr, 256, 205, 16, 8, Tab, 0, "Записывать: Композитор"},
    {IDC_WRITE_ORIG_ARTIST, K::CheckBox, nullptr, 256, 221, 16, 8, Tab, 0, "Записывать: Оригинал"},
    {IDC_WRITE_COPYRIGHT, K::CheckBox, nullptr, 256, 237, 16, 8, Tab, 0, "Записывать: Авт. права"},
    {IDC_WRITE_URL, K::CheckBox, nullptr, 256, 253, 16, 8, Tab, 0, "Записывать: Ссылка"},
    {IDC_WRITE_ENCODED_BY, K::CheckBox, nullptr, 256, 269, 16, 8, Tab, 0, "Записывать: Оцифровал"},
    {IDC_STATUS, K::Label, "Готов", 7, 293, 360, 8},
    {IDC_SUBFOLDERS, K::CheckBox, "S", 196, 7, 14, 14, Tab | cs::PushLike, 0, "Включая подпапки"},
};

// About box.
constexpr ControlTemplate kAboutControls[] = {
    {IDC_STATIC, K::Icon, nullptr, 11, 17, 0, 0, 0, IDR_MAINFRAME},
    {IDC_VERSION, K::Label, "Kestrune", 40, 10, 189, 8, cs::NoPrefix},
    {IDC_STATIC, K::Label, "© 2025 Kestrune", 40, 25, 119, 8},
    {IDOK, K::PushButton, "OK", 240, 7, 50, 16, Tab | cs::Default},
};

// Save progress.
constexpr ControlTemplate kSaveProgressControls[] = {
    {IDCANCEL, K::PushButton, "Cancel", 57, 65, 70, 14, Tab},
    {IDC_PROGRESS_FILE, K::ProgressBar, nullptr, 7, 17, 172, 6},
    {IDC_STATIC, K::Label, "Текущий файл", 7, 7, 50, 8, 0, IDC_PROGRESS_FILE},
    {IDC_STATIC, K::Label, "Всего", 7, 31, 20, 8, 0, IDC_PROGRESS_TOTAL},
    {IDC_PROGRESS_TOTAL, K::ProgressBar, nullptr, 7, 41, 172, 6},
};

// Track-number settings page.
constexpr ControlTemplate kTrackPageControls[] = {
    {IDC_STATIC, K::Label, "Количество символов в номере трека", 7, 9, 128, 8, 0, IDC_TRACK_DIGITS},
    {IDC_TRACK_DIGITS, K::Edit, nullptr, 139, 7, 40, 14, Tab | cs::DigitsOnly},
};

// Options.
constexpr ControlTemplate kOptionsControls[] = {
    {IDC_OPTIONS_TREE, K::TreeView, nullptr, 7, 7, 100, 200, Tab},
    {IDOK, K::PushButton, "OK", 327, 209, 50, 14, Tab | cs::Default},
    {IDCANCEL, K::PushButton, "Cancel", 379, 209, 50, 14, Tab},
};

constexpr const char* kDialogFont = "MS Shell Dlg";

const std::array kDialogs = {
    DialogTemplate{IDD_ABOUTBOX, "О программе Kestrune", 297, 54, kDialogFont, 8, ds::SystemMenu, 0,
                   kAboutControls},
    DialogTemplate{IDD_KESTRUNE_DIALOG, "Kestrune", 374, 308, kDialogFont, 8, ds::SystemMenu | ds::AppWindow,
                   IDR_MAIN_MENU, kMainControls},
    DialogTemplate{IDD_SAVE_PROGRESS, "Процесс обработки", 186, 86, kDialogFont, 8, ds::SystemMenu, 0,
                   kSaveProgressControls},
    DialogTemplate{IDD_GENERATE, "Генерация MP3-тегов", 380, 335, kDialogFont, 8, ds::SystemMenu, 0, {}},
    DialogTemplate{IDD_TRACK_PAGE, "", 320, 200, kDialogFont, 8, ds::Child | ds::Disabled, 0, kTrackPageControls},
    DialogTemplate{IDD_OPTIONS, "Dialog", 436, 230, kDialogFont, 8, ds::SystemMenu | ds::Centered, 0,
                   kOptionsControls},
};

}  // namespace

std::span<const DialogTemplate> KestruneDialogs()
{
    return kDialogs;
}

}  // namespace kestrune

// The main menu, the accelerator table (kept as data: nothing loads it) and the icon.
#include "framework/DialogTemplate.h"
#include "res/DialogIds.h"

namespace kestrune {

namespace {

constexpr MenuItemTemplate kFileItems[] = {
    {ID_FILE_SETTINGS, "Настройки"},
    {0, nullptr},
    {ID_FILE_EXIT, "Выход"},
};

constexpr MenuItemTemplate kHelpItems[] = {
    {ID_HELP_HELP, "Помощь"},
    {ID_HELP_CONTENTS, "Содержание"},
    {0, nullptr},
    {ID_APP_ABOUT, "О приложении..."},
};

constexpr MenuPopupTemplate kMainPopups[] = {
    {"&Файл", kFileItems},
    {"&Помощь", kHelpItems},
};

constexpr MenuTemplate kMainMenu{IDR_MAIN_MENU, kMainPopups};

constexpr AcceleratorTemplate kAccelerators[] = {
    {'O', accel::Control, ID_FILE_SETTINGS},
    {accel::VK_F1, accel::Shift, ID_APP_ABOUT},
    {accel::VK_F1, 0, ID_HELP_HELP},
};

constexpr AcceleratorTable kAcceleratorTable{IDR_ACCELERATORS, kAccelerators};

}  // namespace

const MenuTemplate* FindMenuTemplate(int id)
{
    return id == kMainMenu.id ? &kMainMenu : nullptr;
}

const AcceleratorTable* FindAcceleratorTable(int id)
{
    return id == kAcceleratorTable.id ? &kAcceleratorTable : nullptr;
}

const char* FindIconPath(int id)
{
    return id == IDR_MAINFRAME ? ":/kestrune/kestrune.svg" : nullptr;
}

}  // namespace kestrune

// The main menu, the accelerator table (kept as data: nothing loads it) and the icon.
#include "res/AppResources.h"
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

constexpr MenuTemplate kMenus[] = {{IDR_MAIN_MENU, kMainPopups}};

constexpr AcceleratorTemplate kAccelerators[] = {
    {'O', accel::Control, ID_FILE_SETTINGS},
    {accel::VK_F1, accel::Shift, ID_APP_ABOUT},
    {accel::VK_F1, 0, ID_HELP_HELP},
};

constexpr AcceleratorTable kAcceleratorTables[] = {{IDR_ACCELERATORS, kAccelerators}};

constexpr IconResource kIcons[] = {{IDR_MAINFRAME, ":/kestrune/kestrune.svg"}};

}  // namespace

std::span<const MenuTemplate> KestruneMenus()
{
    return kMenus;
}

std::span<const AcceleratorTable> KestruneAccelerators()
{
    return kAcceleratorTables;
}

std::span<const IconResource> KestruneIcons()
{
    return kIcons;
}

}  // namespace kestrune

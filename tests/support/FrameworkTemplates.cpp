#include "support/FrameworkTemplates.h"

#include "framework/Resources.h"

namespace kestrune::test {

namespace {

using K = ControlKind;
constexpr unsigned Tab = cs::TabStop;

constexpr ControlTemplate kFormControls[] = {
    {IDC_STATIC, K::Label, "&Имя:", 7, 9, 14, 8, 0, IDC_NAME},
    {IDC_NAME, K::Edit, nullptr, 30, 7, 100, 14, Tab},
    {IDC_BROWSE, K::PushButton, "...", 132, 7, 14, 14, Tab},
    {IDC_PUSH_TICK, K::CheckBox, "S", 148, 7, 14, 14, Tab | cs::PushLike},
    {IDC_STATIC, K::Label, "Подпись, которой тесно", 7, 26, 40, 8, 0, IDC_CHOICE},
    {IDC_CHOICE, K::ComboBox, nullptr, 50, 24, 80, 60, Tab},
    {IDC_TICK, K::CheckBox, "Флажок с текстом", 7, 58, 30, 8, Tab},
    {IDC_COUNT, K::Label, "0", 140, 58, 30, 8},
    {IDC_LIST, K::ListView, nullptr, 7, 72, 160, 40, Tab},
};

constexpr ControlTemplate kBoxControls[] = {
    {IDC_STATIC, K::Label, "Ход работы", 7, 5, 60, 8, 0, IDC_BAR},
    {IDC_BAR, K::ProgressBar, nullptr, 7, 15, 120, 6},
    {IDC_NOTE, K::Edit, nullptr, 7, 25, 120, 14, Tab},
    {IDC_YES, K::PushButton, "Да", 7, 43, 50, 14, Tab | cs::Default},
    {IDCANCEL, K::PushButton, "Отмена", 60, 43, 50, 14, Tab},
};

constexpr const char* kFont = "MS Shell Dlg";

constexpr DialogTemplate kDialogs[] = {
    {IDD_TEST_FORM, "Форма", 174, 120, kFont, 8, ds::SystemMenu, IDR_TEST_MENU, kFormControls},
    {IDD_TEST_BOX, "Коробка", 134, 63, kFont, 8, ds::SystemMenu, 0, kBoxControls},
};

constexpr MenuItemTemplate kItems[] = {{ID_TEST_COMMAND, "Команда"}, {0, nullptr}, {IDOK, "Готово"}};
constexpr MenuPopupTemplate kPopups[] = {{"&Файл", kItems}};
constexpr MenuTemplate kMenus[] = {{IDR_TEST_MENU, kPopups}};

// Before main: every test of the program may build these dialogs.
[[maybe_unused]] const bool kRegistered = (RegisterResources({kDialogs, kMenus, {}, {}}), true);

}  // namespace

}  // namespace kestrune::test

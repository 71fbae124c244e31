#pragma once

// Two small templates of the dialog layer's own tests, so that a change to the program's windows
// cannot break them: a form with a menu and one control of each kind, and a box with a labelled
// progress bar, an edit, a default button and Cancel. Linked into a test program, they are registered
// before main.
namespace kestrune::test {

inline constexpr int IDD_TEST_FORM = 1;
inline constexpr int IDD_TEST_BOX = 2;
inline constexpr int IDR_TEST_MENU = 3;
inline constexpr int ID_TEST_COMMAND = 4;

// The form's controls.
inline constexpr int IDC_NAME = 10;       // edit, with the label "&Имя:"
inline constexpr int IDC_BROWSE = 11;     // push button
inline constexpr int IDC_CHOICE = 12;     // combo box
inline constexpr int IDC_TICK = 13;       // tick box with a text longer than its rectangle
inline constexpr int IDC_PUSH_TICK = 14;  // tick box drawn as a push button
inline constexpr int IDC_COUNT = 15;      // label holding a number
inline constexpr int IDC_LIST = 16;

// The box's controls; the bar's label reads "Ход работы".
inline constexpr int IDC_BAR = 20;
inline constexpr int IDC_YES = 21;   // the default button
inline constexpr int IDC_NOTE = 22;  // an edit, the first tab stop

}  // namespace kestrune::test

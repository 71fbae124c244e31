#pragma once

// Two small templates of the dialog layer's own tests, so that a change to the program's windows
// cannot break them: a form with a menu and one control of each kind, and a box with a labelled
// progress bar, an edit, a default button and Cancel. Linked into a test program, they are registered
// before main.
namespace kestrune::test {

enum : int { IDD_TEST_FORM = 1, IDD_TEST_BOX, IDR_TEST_MENU, ID_TEST_COMMAND };

// The form's controls, in template order: an edit with the label "&Имя:", a push button, a tick box
// drawn as a push button, a combo box, a tick box with a text longer than its rectangle, a label
// holding a number, and a list.
enum : int { IDC_NAME = 10, IDC_BROWSE, IDC_PUSH_TICK, IDC_CHOICE, IDC_TICK, IDC_COUNT, IDC_LIST };

// The box's controls, in template order: a progress bar with the label "Ход работы", an edit (the first
// tab stop) and the default button.
enum : int { IDC_BAR = 20, IDC_NOTE, IDC_YES };

}  // namespace kestrune::test

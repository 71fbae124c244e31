// Every dialog template of the program becomes a window with its controls at their places and no
// text cut off, at several font sizes.
#include "res/DialogIds.h"
#include "support/TemplateLayoutCheck.h"

namespace kestrune::test {
namespace {

TEST(ProgramDialogLayout, ControlsSitAtTheirPlacesInTabOrderWithTextsWhole)
{
    for (int id : {IDD_KESTRUNE_DIALOG, IDD_ABOUTBOX, IDD_SAVE_PROGRESS, IDD_GENERATE, IDD_TRACK_PAGE, IDD_OPTIONS})
        ExpectLaidOutAsTemplateAt(id, {7, 9, 12});
}

}  // namespace
}  // namespace kestrune::test

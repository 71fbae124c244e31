// Every dialog template of the program becomes a window with its controls at their places and no
// text cut off, at several font sizes.
#include "res/DialogIds.h"
#include "support/TemplateLayoutCheck.h"

#include <gtest/gtest.h>

namespace kestrune::test {
namespace {

TEST(ProgramDialogLayout, ControlsSitAtTheirPlacesInTabOrderWithTextsWhole)
{
    ExpectLaidOutAsTemplates(
        {IDD_KESTRUNE_DIALOG, IDD_ABOUTBOX, IDD_SAVE_PROGRESS, IDD_GENERATE, IDD_TRACK_PAGE, IDD_OPTIONS});
}

}  // namespace
}  // namespace kestrune::test

// Every dialog template of the program becomes a window with its controls at their places and no
// text cut off, at several font sizes.
#include "res/DialogIds.h"
#include "support/TemplateLayoutCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace kestrune {
namespace {

// (template, point size of the dialog font)
class ProgramDialogLayout : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(ProgramDialogLayout, ControlsSitAtTheirPlacesInTabOrderWithTextsWhole)
{
    test::ExpectLaidOutAsTemplate(std::get<0>(GetParam()), std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(AllTemplates, ProgramDialogLayout,
                         ::testing::Combine(::testing::Values(IDD_KESTRUNE_DIALOG, IDD_ABOUTBOX, IDD_SAVE_PROGRESS,
                                                              IDD_GENERATE, IDD_TRACK_PAGE, IDD_OPTIONS),
                                            ::testing::Values(7, 9, 12)),
                         test::LayoutCaseName);

}  // namespace
}  // namespace kestrune

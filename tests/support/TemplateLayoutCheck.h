#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace kestrune::test {

// Layout cases: every template at several point sizes of the dialog font.
using TemplateAtSize = std::tuple<int, int>;

// A case's name, "template102at9pt".
inline std::string LayoutCaseName(const testing::TestParamInfo<TemplateAtSize>& info)
{
    return "template" + std::to_string(std::get<0>(info.param)) + "at" + std::to_string(std::get<1>(info.param)) +
           "pt";
}

// Builds the dialog of this registered template with its font at this point size and checks,
// with gtest assertions, that every control sits at its place (dialog units from the font), that
// nothing the template keeps apart overlaps, that no label or tick box cuts its text, and that
// the tab stops follow template order.
void ExpectLaidOutAsTemplate(int templateId, int pointSize);

}  // namespace kestrune::test

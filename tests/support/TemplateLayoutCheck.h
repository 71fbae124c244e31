#pragma once

#include <initializer_list>

namespace kestrune::test {

// Builds the dialogs of these registered templates with their font at 7, 9 and 12 points and checks,
// with gtest assertions, that every control sits at its place (dialog units from the font), that
// nothing the template keeps apart overlaps, that no label or tick box cuts its text, and that the
// tab stops follow template order.
void ExpectLaidOutAsTemplates(std::initializer_list<int> templateIds);

}  // namespace kestrune::test

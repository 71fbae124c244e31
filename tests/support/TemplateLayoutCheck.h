#pragma once

namespace kestrune::test {

// Builds the dialog of this registered template with its font at this point size and checks,
// with gtest assertions, that every control sits at its place (dialog units from the font), that
// nothing the template keeps apart overlaps, that no label or tick box cuts its text, and that
// the tab stops follow template order.
void ExpectLaidOutAsTemplate(int templateId, int pointSize);

}  // namespace kestrune::test

#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace kestrune::test {

// Builds the dialog of this registered template with its font at this point size and checks,
// with gtest assertions, that every control sits at its place (dialog units from the font), that
// nothing the template keeps apart overlaps, that no label or tick box cuts its text, and that
// the tab stops follow template order.
void ExpectLaidOutAsTemplate(int templateId, int pointSize);
inline void ExpectLaidOutAsTemplateAt(int templateId, std::initializer_list<int> pointSizes)
{
    for (int size : pointSizes) {
        SCOPED_TRACE("template " + std::to_string(templateId) + " at " + std::to_string(size) + " pt");
        ExpectLaidOutAsTemplate(templateId, size);
    }
}

}  // namespace kestrune::test

#include "res/ResourceIds.h"
#include "settings/StringResources.h"
#include "tag/SaveFailure.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>

#include <set>
#include <string>

namespace kestrune {
namespace {

TEST(StringResources, EverySaveFailureReasonHasItsOwnRussianSentence)
{
    std::set<std::string> texts;
    for (int reason = 1; reason < kSaveReasonCount; ++reason) {
        const std::string text = LoadString(SaveReasonTextId(reason));
        EXPECT_TRUE(QString::fromStdString(text).contains(QRegularExpression("^[А-ЯЁ].*[а-яё]+\\.$")))
            << reason << ": " << text;
        EXPECT_TRUE(texts.insert(text).second) << reason << ": " << text;
    }
}

}  // namespace
}  // namespace kestrune

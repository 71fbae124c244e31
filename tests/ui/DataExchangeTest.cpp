// The main window's data exchange: show copies members into controls, store copies them back,
// and a store stops at a count that is not a number.
#include "framework/DataExchange.h"
#include "framework/Wnd.h"
#include "support/DialogDriver.h"
#include "ui/main/FieldControls.h"
#include "ui/main/KestruneDlg.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>

namespace kestrune {
namespace {

using namespace kestrune::test;

QAbstractButton* Box(const CDialog& dlg, int id)
{
    return ControlAs<QAbstractButton>(dlg, id);
}

// A distinct text per field, so that a field bound to another's member shows up.
std::string Sample(const FieldControl& f, const char* prefix)
{
    return prefix + std::to_string(f.controlId);
}

TEST(DataExchange, ShowCopiesEveryMemberIntoItsControlAndStoreCopiesItBack)
{
    CKestruneDlg dlg;
    dlg.Create();
    dlg.m_strPath = "/музыка/";
    dlg.m_nSelected = 42;
    dlg.m_bTransliterate = 7;  // any non-zero value shows ticked and is stored back as 1
    for (const FieldControl& f : kFieldControls) {
        dlg.*f.text = Sample(f, "Поле ");
        dlg.*f.write = f.controlId % 2;
    }
    ASSERT_TRUE(dlg.UpdateData(false));
    EXPECT_EQ(Text(dlg, IDC_PATH), "/музыка/");
    EXPECT_EQ(Text(dlg, IDC_SELECTED), "42");
    EXPECT_TRUE(Box(dlg, IDC_TRANSLITERATE)->isChecked());
    for (const FieldControl& f : kFieldControls) {
        SCOPED_TRACE(FieldOf(f.field).name);
        EXPECT_EQ(Text(dlg, f.controlId).toStdString(), Sample(f, "Поле "));
        EXPECT_EQ(Box(dlg, f.checkId)->isChecked(), f.controlId % 2 == 1);
    }
    EXPECT_EQ(ControlAs<QComboBox>(dlg, IDC_GENRE)->count(), 0) << "show sets the edit text, adds no entry";

    SetControlText(Control(dlg, IDC_PATH), "/tmp/Рок/");
    SetControlText(Control(dlg, IDC_SELECTED), "-3");
    for (const FieldControl& f : kFieldControls) {
        SetControlText(Control(dlg, f.controlId), QString::fromStdString(Sample(f, "Field ")));
        Box(dlg, f.checkId)->setChecked(f.controlId % 2 == 0);
    }
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.m_strPath, "/tmp/Рок/");
    EXPECT_EQ(dlg.m_nSelected, -3);
    EXPECT_EQ(dlg.m_bTransliterate, 1);
    for (const FieldControl& f : kFieldControls) {
        SCOPED_TRACE(FieldOf(f.field).name);
        EXPECT_EQ(dlg.*f.text, Sample(f, "Field "));
        EXPECT_EQ(dlg.*f.write, f.controlId % 2 == 0 ? 1 : 0);
    }
}

TEST(DataExchange, LongTextsGoThroughTheFieldsWhole)
{
    CKestruneDlg dlg;
    dlg.Create();
    const std::string shown(40000, 's'), typed(40000, 't');
    dlg.m_strTitle = shown;
    ASSERT_TRUE(dlg.UpdateData(false));
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.m_strTitle, shown);
    SetControlText(Control(dlg, IDC_TITLE), QString::fromStdString(typed));
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.m_strTitle, typed);
}

TEST(DataExchange, StoreStopsAtACountThatIsNotANumber)
{
    CKestruneDlg dlg;
    dlg.Create();
    SetControlText(Control(dlg, IDC_PATH), "/a/");
    SetControlText(Control(dlg, IDC_SELECTED), "12a");
    Box(dlg, IDC_WRITE_TITLE)->setChecked(true);
    SetControlText(Control(dlg, IDC_TITLE), "Заголовок");

    EXPECT_FALSE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.m_strPath, "/a/") << "bindings before the count are stored";
    EXPECT_EQ(dlg.m_nSelected, 0);
    EXPECT_EQ(dlg.m_bWriteTitle, 0) << "bindings after the count are not";
    EXPECT_EQ(dlg.m_strTitle, "");
}

TEST(DataExchange, DecimalIntegers)
{
    int value = 0;
    EXPECT_TRUE(ParseDecimalInt(" 12 ", value) && value == 12);
    EXPECT_TRUE(ParseDecimalInt("+5", value) && value == 5);
    EXPECT_TRUE(ParseDecimalInt("-2147483648", value) && value == -2147483648);
    value = 9;
    for (const char* bad : {"", " ", "1.5", "12a", "a12", "+-1", "--1", "2147483648", "0x10", "1 2"})
        EXPECT_FALSE(ParseDecimalInt(bad, value)) << bad;
    EXPECT_EQ(value, 9) << "a failed parse leaves the value";
}

}  // namespace
}  // namespace kestrune

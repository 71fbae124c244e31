// Data exchange: show copies members into controls, store copies them back, and a store stops at
// a number that is not one.
#include "framework/DataExchange.h"
#include "framework/Wnd.h"
#include "support/DialogDriver.h"
#include "support/FrameworkTemplates.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>

#include <string>

namespace kestrune {
namespace {

using namespace kestrune::test;

// The test form with a member bound to each kind of control, the number between the others.
class Form : public CDialog {
public:
    Form() : CDialog(IDD_TEST_FORM) {}

    std::string m_strName, m_strChoice;
    int m_nCount = 0;
    int m_bTick = 0, m_bPush = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Check(pDX, IDC_TICK, m_bTick);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDX_CBString(pDX, IDC_CHOICE, m_strChoice);
        DDX_Check(pDX, IDC_PUSH_TICK, m_bPush);
    }
};

// Show and store of each kind of control, long texts whole; a store stops at a number that is not one.
TEST(DataExchange, ShowAndStoreCarryEachKindOfControlAndStopAtANumberThatIsNotOne)
{
    Form dlg;
    dlg.Create();
    const std::string longText(40000, 's');
    dlg.m_strName = "Имя";
    dlg.m_strChoice = longText;
    dlg.m_nCount = 42;
    dlg.m_bTick = 7;  // any non-zero value shows ticked and is stored back as 1
    ASSERT_TRUE(dlg.UpdateData(false));
    EXPECT_EQ(Text(dlg, IDC_NAME), "Имя");
    EXPECT_EQ(Text(dlg, IDC_COUNT), "42");
    EXPECT_TRUE(ControlAs<QAbstractButton>(dlg, IDC_TICK)->isChecked());
    EXPECT_FALSE(ControlAs<QAbstractButton>(dlg, IDC_PUSH_TICK)->isChecked());
    EXPECT_EQ(ControlAs<QComboBox>(dlg, IDC_CHOICE)->count(), 0) << "show sets the edit text, adds no entry";
    SetControlText(Control(dlg, IDC_COUNT), "-3");
    ControlAs<QAbstractButton>(dlg, IDC_PUSH_TICK)->setChecked(true);
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_TRUE(dlg.m_strChoice == longText) << dlg.m_strChoice.size() << " characters";
    EXPECT_EQ(dlg.m_nCount, -3);
    EXPECT_EQ(dlg.m_bTick + dlg.m_bPush, 2);

    SetControlText(Control(dlg, IDC_NAME), "/a/");
    SetControlText(Control(dlg, IDC_COUNT), "12a");
    SetControlText(Control(dlg, IDC_CHOICE), "после");
    EXPECT_FALSE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.m_strName, "/a/") << "bindings before the number are stored";
    EXPECT_EQ(dlg.m_nCount, -3);
    EXPECT_TRUE(dlg.m_strChoice == longText) << "bindings after the number are not";
}

TEST(DataExchange, DecimalIntegers)
{
    int value = 0;
    EXPECT_TRUE(ParseDecimalInt("+5", value) && value == 5);
    EXPECT_TRUE(ParseDecimalInt(" -2147483648 ", value) && value == -2147483648);
    for (const char* bad : {"", " ", "1.5", "12a", "a12", "+-1", "--1", "2147483648", "0x10", "1 2"})
        EXPECT_FALSE(ParseDecimalInt(bad, value)) << bad;
    EXPECT_EQ(value, -2147483648) << "a failed parse leaves the value";
}

}  // namespace
}  // namespace kestrune

// The shared pieces of the dialogs: number fields, element lists, stepping group.
#include "UiTestUtil.h"

#include "ui/dialogs/ElementList.h"
#include "ui/dialogs/SteppingGroup.h"
#include "IdName.h"

#include <QVBoxLayout>

using namespace uitest;

TEST(FieldInt, ReadsWholeIntegersOnly)
{
    struct Case {
        const wchar_t* text;
        bool ok;
        int value;
    } cases[] = {
        {L"20", true, 20},
        {L"  -3 ", true, -3},
        {L"+7", true, 7},
        {L"2147483647", true, 2147483647},
        {L"-2147483648", true, -2147483647 - 1},
        {L"2147483648", false, 0},
        {L"99999999999999999999", false, 0},
        {L"2.5", false, 0},
        {L"", false, 0},
        {L"-", false, 0},
        {L"1e3", false, 0},
        {L"12a", false, 0},
    };
    for (const Case& c : cases) {
        int v = 0;
        EXPECT_EQ(ParseFieldInt(c.text, v), c.ok) << std::wstring(c.text).size();
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
}

// A dialog with one number of each kind, to see the exchange refuse and keep the dialog.
class CTwoFieldDlg : public CQELDialog {
public:
    CTwoFieldDlg() : CQELDialog(900, QStringLiteral("Two fields"))
    {
        auto* pLayout = new QVBoxLayout(this);
        m_pDouble = new QLineEdit(this);
        m_pInt = new QLineEdit(this);
        pLayout->addWidget(m_pDouble);
        pLayout->addWidget(m_pInt);
        AddOkCancel(pLayout);
        ConnectChange(m_pDouble);
        ConnectChange(m_pInt);
    }
    void DoDataExchange(CDataExchange& dx) override
    {
        dx.Double(m_pDouble, m_d);
        dx.Int(m_pInt, m_n);
    }
    QLineEdit* m_pDouble;
    QLineEdit* m_pInt;
    double m_d = 1.5;
    int m_n = 4;
};

TEST(DialogExchange, MembersFollowTypingAndBadFieldsKeepTheDialogOpen)
{
    BoxRecorder boxes;
    CTwoFieldDlg dlg;
    dlg.Open();
    EXPECT_EQ(dlg.m_pDouble->text(), QStringLiteral("1.5"));
    EXPECT_EQ(dlg.m_pInt->text(), QStringLiteral("4"));

    Type(dlg.m_pDouble, QStringLiteral("2.25"));
    EXPECT_DOUBLE_EQ(dlg.m_d, 2.25); // follows the keystrokes, no OK needed
    Type(dlg.m_pInt, QStringLiteral("x"));
    EXPECT_EQ(dlg.m_n, 4);            // a bad keystroke leaves the member
    EXPECT_TRUE(boxes.texts.empty()); // and shows nothing while typing

    PressOk(dlg);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], L"Please enter an integer.");
    EXPECT_EQ(boxes.captions[0], L"QEL");
    EXPECT_TRUE(dlg.isVisible());

    Type(dlg.m_pDouble, QStringLiteral("1,5")); // the field reads the C locale only
    Type(dlg.m_pInt, QStringLiteral("12"));
    PressOk(dlg);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[1], L"Please enter a number.");
    EXPECT_TRUE(dlg.isVisible());

    Type(dlg.m_pDouble, QStringLiteral("-0.75"));
    PressOk(dlg);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.GetResult(), IDOK);
    EXPECT_DOUBLE_EQ(dlg.m_d, -0.75);
    EXPECT_EQ(dlg.m_n, 12);
}

TEST(ElementList, RowsShowIdAndDescriptionAndKeepTheElement)
{
    SmallCase c;
    int index = 0;
    CElementListBox list(IDC_LIST_BRIDGES);
    list.BindIndex(&index);
    list.Fill(c.bridges);
    list.show();
    EXPECT_EQ(Rows(&list), (QStringList{"1 - Ten", "2 - Twenty", "5 - Thirty"}));
    EXPECT_EQ(list.GetItemElement(2), c.bridges[2].get());
    EXPECT_EQ(list.GetItemElement(3), nullptr);

    list.SetCurSel(1); // the program's choice does not count as the user's
    EXPECT_EQ(index, 0);
    EXPECT_EQ(list.GetCurSel(), 1);
    ClickRow(&list, 2);
    EXPECT_EQ(index, 2);
    list.SetCurSel(-1);
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(index, 2);
}

TEST(SteppingGroup, RadiosSwapTheEnabledFieldAndUnit)
{
    bool bUseStep = true;
    double step = 0.5;
    int number = 20;
    CSteppingGroup group(QStringLiteral("Analysis Configuration"), CSteppingGroup::AnalysisIds, &bUseStep, &step,
                         &number);
    group.ShowMethod();
    group.show();
    auto enabled = [&](int id) { return Ctrl(group, id)->isEnabled(); };
    EXPECT_TRUE(Ctrl<QAbstractButton>(group, IDC_USE_STEP)->isChecked());
    EXPECT_TRUE(enabled(IDC_STEP_SIZE) && enabled(IDC_STEP_UNIT));
    EXPECT_FALSE(enabled(IDC_NUM_STEPS) || enabled(IDC_NUMBER_UNIT));

    Click(Ctrl<QAbstractButton>(group, IDC_USE_NUM_STEPS));
    EXPECT_FALSE(bUseStep);
    EXPECT_FALSE(enabled(IDC_STEP_SIZE) || enabled(IDC_STEP_UNIT));
    EXPECT_TRUE(enabled(IDC_NUM_STEPS) && enabled(IDC_NUMBER_UNIT));
}

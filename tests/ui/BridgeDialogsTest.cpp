// "Define Bridge", "Add Bridge Set" and "Case Information".
#include "UiTestUtil.h"

#include "ui/dialogs/BridgeDlg.h"
#include "ui/dialogs/BridgeSetDlg.h"
#include "ui/dialogs/ConfigDlg.h"
#include "IdName.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace uitest;

namespace {
void ExpectSpans(const CBridge& b, const std::vector<double>& spans)
{
    ASSERT_EQ(b.m_vSpans.size(), spans.size());
    for (size_t i = 0; i < spans.size(); ++i)
        EXPECT_DOUBLE_EQ(b.m_vSpans[i], spans[i]) << i;
    ASSERT_TRUE(b.GetBeam());
}

// Under each arrangement button stand the spans it builds from the span length, whole and
// readable: a three-span bridge is not three equal spans.
void ExpectConfigHelp(QWidget& dlg)
{
    const char* spans[] = {"S", "S + S", "0.75 S + S + 0.75 S"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(spans[i]);
        auto* pSpans = dlg.findChild<QLabel*>(QStringLiteral("configSpans%1").arg(i + 1));
        ASSERT_TRUE(pSpans);
        EXPECT_EQ(pSpans->text(), QString::fromLatin1(spans[i]));
        EXPECT_TRUE(pSpans->isVisible());
        EXPECT_GE(pSpans->width(), pSpans->sizeHint().width());
        auto* pButton = Ctrl<QRadioButton>(dlg, IDC_CONFIG_ONE_SPAN + i);
        const QRect button(pButton->mapTo(&dlg, QPoint(0, 0)), pButton->size());
        const QRect under(pSpans->mapTo(&dlg, QPoint(0, 0)), pSpans->size());
        EXPECT_GE(under.top(), button.bottom());
        EXPECT_EQ(under.left(), button.left());
    }
    auto* pHelp = dlg.findChild<QLabel*>(QStringLiteral("configHelp"));
    ASSERT_TRUE(pHelp);
    EXPECT_TRUE(pHelp->isVisible());
    EXPECT_TRUE(pHelp->text().contains(QStringLiteral("S being the span length")));
    EXPECT_GE(pHelp->height(), pHelp->heightForWidth(pHelp->width()));
}
} // namespace

TEST(BridgeDlg, EditsEveryFieldAndRebuildsItsOwnBridge)
{
    auto stored = CBridge::Create(2, L"Twenty", BC_TWOSPAN, 20.0);
    CBridgeDlg dlg;
    dlg.SetBridge(std::make_shared<CBridge>(*stored));
    dlg.Open();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Define Bridge"));
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION)->text(), QStringLiteral("Twenty"));
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_ITEM_ID)->text(), QStringLiteral("2"));
    EXPECT_FALSE(Ctrl(dlg, IDC_ITEM_ID)->isEnabled());
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_SPAN_LENGTH)->text(), QStringLiteral("20"));
    EXPECT_TRUE(Ctrl<QRadioButton>(dlg, IDC_CONFIG_TWO_SPAN)->isChecked());
    ExpectConfigHelp(dlg);
    Screenshot(dlg, QStringLiteral("DefineBridge"));

    Type(Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION), QStringLiteral("Main road"));
    Type(Ctrl<QLineEdit>(dlg, IDC_SPAN_LENGTH), QStringLiteral("25"));
    Click(Ctrl<QRadioButton>(dlg, IDC_CONFIG_THREE_SPAN));
    PressOk(dlg);

    ASSERT_EQ(dlg.GetResult(), IDOK);
    const auto b = dlg.GetBridge();
    EXPECT_EQ(b->m_ID, 2);
    EXPECT_EQ(b->m_Description, L"Main road");
    EXPECT_EQ(b->m_Config, BC_THREESPAN);
    ExpectSpans(*b, {18.75, 25.0, 18.75});     // 0.75 S, S, 0.75 S with S = 25 m
    EXPECT_NE(b.get(), dlg.GetBridge().get()); // each call hands out a copy
    ExpectSpans(*stored, {20.0, 20.0});
}

TEST(BridgeDlg, OfferedDescriptionFollowsTheSpansUntilOneIsTyped)
{
    // A new bridge as the document offers it.
    CBridgeDlg dlg;
    dlg.SetBridge(std::make_shared<CBridge>(4, L"20 m single span", BC_ONESPAN, 20.0));
    dlg.Open();
    auto* pDescription = Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION);
    Click(Ctrl<QRadioButton>(dlg, IDC_CONFIG_TWO_SPAN));
    EXPECT_EQ(pDescription->text(), QStringLiteral("20 m two span"));
    Type(Ctrl<QLineEdit>(dlg, IDC_SPAN_LENGTH), QStringLiteral("12.5"));
    EXPECT_EQ(pDescription->text(), QStringLiteral("12.5 m two span"));
    Click(Ctrl<QRadioButton>(dlg, IDC_CONFIG_THREE_SPAN));
    EXPECT_EQ(pDescription->text(), QStringLiteral("12.5 m three span"));
    Screenshot(dlg, QStringLiteral("DefineBridge-three-span"));

    // Once typed, the description is the user's.
    Type(pDescription, QStringLiteral("Bypass"));
    Click(Ctrl<QRadioButton>(dlg, IDC_CONFIG_ONE_SPAN));
    Type(Ctrl<QLineEdit>(dlg, IDC_SPAN_LENGTH), QStringLiteral("30"));
    EXPECT_EQ(pDescription->text(), QStringLiteral("Bypass"));
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_EQ(dlg.GetBridge()->m_Description, L"Bypass");
    ExpectSpans(*dlg.GetBridge(), {30.0});
}

TEST(BridgeDlg, FollowedDescriptionIsWhatOkKeepsAndANamedBridgeKeepsItsName)
{
    CBridgeDlg offered;
    offered.SetBridge(std::make_shared<CBridge>(4, L"20 m single span", BC_ONESPAN, 20.0));
    offered.Open();
    Click(Ctrl<QRadioButton>(offered, IDC_CONFIG_THREE_SPAN));
    PressOk(offered);
    ASSERT_EQ(offered.GetResult(), IDOK);
    EXPECT_EQ(offered.GetBridge()->m_Description, L"20 m three span");
    ExpectSpans(*offered.GetBridge(), {15.0, 20.0, 15.0});

    CBridgeDlg named;
    named.SetBridge(CBridge::Create(2, L"Main road", BC_TWOSPAN, 20.0));
    named.Open();
    Click(Ctrl<QRadioButton>(named, IDC_CONFIG_THREE_SPAN));
    Type(Ctrl<QLineEdit>(named, IDC_SPAN_LENGTH), QStringLiteral("25"));
    EXPECT_EQ(Ctrl<QLineEdit>(named, IDC_DESCRIPTION)->text(), QStringLiteral("Main road"));
}

TEST(BridgeDlg, CancelKeepsTheBridge)
{
    auto given = CBridge::Create(1, L"Ten", BC_ONESPAN, 10.0);
    CBridgeDlg dlg;
    dlg.SetBridge(given);
    dlg.Open();
    Type(Ctrl<QLineEdit>(dlg, IDC_SPAN_LENGTH), QStringLiteral("99"));
    PressCancel(dlg);
    EXPECT_EQ(dlg.GetResult(), IDCANCEL);
    ExpectSpans(*dlg.GetBridge(), {10.0});
    EXPECT_DOUBLE_EQ(given->m_SpanLength, 10.0);
}

TEST(BridgeDlg, RefusesASpanThatIsNoPositiveLength)
{
    const struct {
        const char* typed;
        const wchar_t* message;
    } cases[] = {
        {"0", L"The span length is 0 m; it must be from 0.1 m to 1,000 m."},
        {"-5", L"The span length is -5 m; it must be from 0.1 m to 1,000 m."},
        {"0.0999", L"The span length is 0.0999 m; it must be from 0.1 m to 1,000 m."},
        {"1000.5", L"The span length is 1,000.5 m; it must be from 0.1 m to 1,000 m."},
        {"1e300", L"The span length is 1e+300 m; it must be from 0.1 m to 1,000 m."},
        {"1e-300", L"The span length is 1e-300 m; it must be from 0.1 m to 1,000 m."},
        {"inf", L"Please enter a number."},
        {"abc", L"Please enter a number."},
    };
    for (const auto& c : cases) {
        BoxRecorder boxes;
        CBridgeDlg dlg;
        dlg.SetBridge(CBridge::Create(1, L"Ten", BC_ONESPAN, 10.0));
        dlg.Open();
        Type(Ctrl<QLineEdit>(dlg, IDC_SPAN_LENGTH), QString::fromLatin1(c.typed));
        PressOk(dlg);
        ASSERT_EQ(boxes.texts.size(), 1u) << c.typed;
        EXPECT_EQ(boxes.texts[0], c.message);
        EXPECT_TRUE(dlg.isVisible()) << c.typed;
        ExpectSpans(*dlg.GetBridge(), {10.0});
    }
}

TEST(BridgeDlg, BridgeThatCannotBeEditedComesBackUnchanged)
{
    auto given = CBridge::Create(1, L"Standard", BC_ONESPAN, 10.0);
    given->m_bIsEditable = false;
    CBridgeDlg dlg;
    dlg.SetBridge(given);
    dlg.Open();
    EXPECT_FALSE(Ctrl(dlg, IDC_DESCRIPTION)->isEnabled());
    EXPECT_FALSE(Ctrl(dlg, IDC_SPAN_LENGTH)->isEnabled());
    EXPECT_FALSE(Ctrl(dlg, IDC_CONFIG_ONE_SPAN)->isEnabled());
    Click(Ctrl<QRadioButton>(dlg, IDC_CONFIG_TWO_SPAN));
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    const auto b = dlg.GetBridge();
    EXPECT_EQ(b->m_Config, BC_ONESPAN);
    EXPECT_EQ(b->m_Description, L"Standard");
    ExpectSpans(*b, {10.0});
}

TEST(BridgeDlg, CustomBridgeKeepsItsSpansUnlessAnArrangementIsChosen)
{
    auto custom = std::make_shared<CBridge>();
    custom->m_ID = 8;
    custom->m_Config = BC_CUSTOM;
    custom->m_SpanLength = 18.0;
    custom->m_vSpans = {12.0, 18.0};
    custom->MakeBeam();

    CBridgeDlg dlg;
    dlg.SetBridge(custom);
    dlg.Open();
    for (int id : {IDC_CONFIG_ONE_SPAN, IDC_CONFIG_TWO_SPAN, IDC_CONFIG_THREE_SPAN})
        EXPECT_FALSE(Ctrl<QRadioButton>(dlg, id)->isChecked()) << id;
    EXPECT_FALSE(Ctrl(dlg, IDC_SPAN_LENGTH)->isEnabled());
    Type(Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION), QStringLiteral("Odd spans"));
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_EQ(dlg.GetBridge()->m_Config, BC_CUSTOM);
    EXPECT_EQ(dlg.GetBridge()->m_Description, L"Odd spans");
    ExpectSpans(*dlg.GetBridge(), {12.0, 18.0});

    CBridgeDlg dlg2;
    dlg2.SetBridge(custom);
    dlg2.Open();
    Click(Ctrl<QRadioButton>(dlg2, IDC_CONFIG_ONE_SPAN));
    ASSERT_TRUE(Ctrl(dlg2, IDC_SPAN_LENGTH)->isEnabled());
    Type(Ctrl<QLineEdit>(dlg2, IDC_SPAN_LENGTH), QStringLiteral("15"));
    PressOk(dlg2);
    ASSERT_EQ(dlg2.GetResult(), IDOK);
    ExpectSpans(*dlg2.GetBridge(), {15.0});
}

TEST(BridgeSetDlg, EditsASetByStepAndBuildsItsBridges)
{
    CBridgeSetDlg dlg;
    dlg.SetBridgeSet(std::make_shared<CBridgeSet>(4, L"Long", BC_TWOSPAN, 20.0, 40.0, 10.0));
    dlg.Open();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Add Bridge Set"));
    EXPECT_TRUE(Ctrl<QRadioButton>(dlg, IDC_BY_STEP)->isChecked());
    EXPECT_TRUE(Ctrl(dlg, IDC_RANGE_STEP)->isEnabled() && Ctrl(dlg, IDC_STEP_UNIT)->isEnabled());
    EXPECT_FALSE(Ctrl(dlg, IDC_RANGE_NUMBER)->isEnabled() || Ctrl(dlg, IDC_NUMBER_UNIT)->isEnabled());
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_START_LENGTH)->text(), QStringLiteral("20"));
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_END_LENGTH)->text(), QStringLiteral("40"));
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_RANGE_STEP)->text(), QStringLiteral("10"));
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_RANGE_NUMBER)->text(), QStringLiteral("3"));
    ExpectConfigHelp(dlg);
    Screenshot(dlg, QStringLiteral("AddBridgeSet"));

    Type(Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION), QStringLiteral("Singles"));
    Click(Ctrl<QRadioButton>(dlg, IDC_CONFIG_ONE_SPAN));
    Type(Ctrl<QLineEdit>(dlg, IDC_START_LENGTH), QStringLiteral("10"));
    Type(Ctrl<QLineEdit>(dlg, IDC_END_LENGTH), QStringLiteral("30"));
    Type(Ctrl<QLineEdit>(dlg, IDC_RANGE_STEP), QStringLiteral("5"));
    PressOk(dlg);

    ASSERT_EQ(dlg.GetResult(), IDOK);
    const auto s = dlg.GetBridgeSet();
    EXPECT_EQ(s->m_ID, 4);
    EXPECT_EQ(s->m_Description, L"Singles");
    EXPECT_EQ(s->m_Config, BC_ONESPAN);
    EXPECT_TRUE(s->m_bByStep);
    // 10, 15, 20, 25, 30 m: (30 - 10) / 5 + 1 = 5 bridges.
    ASSERT_EQ(s->m_nBridge, 5);
    EXPECT_DOUBLE_EQ(s->GetBridge(4)->m_SpanLength, 30.0);
}

TEST(BridgeSetDlg, ByNumberUsesTheNumberAndIgnoresTheStepField)
{
    CBridgeSetDlg dlg;
    dlg.SetBridgeSet(std::make_shared<CBridgeSet>(4, L"Long", BC_TWOSPAN, 20.0, 40.0, 10.0));
    dlg.Open();
    Type(Ctrl<QLineEdit>(dlg, IDC_RANGE_STEP), QStringLiteral("0")); // typed, then another method chosen
    Click(Ctrl<QRadioButton>(dlg, IDC_BY_NUMBER));
    EXPECT_FALSE(Ctrl(dlg, IDC_RANGE_STEP)->isEnabled());
    EXPECT_TRUE(Ctrl(dlg, IDC_RANGE_NUMBER)->isEnabled());
    Type(Ctrl<QLineEdit>(dlg, IDC_RANGE_NUMBER), QStringLiteral("5"));
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    const auto s = dlg.GetBridgeSet();
    EXPECT_FALSE(s->m_bByStep);
    ASSERT_EQ(s->m_nBridge, 5);
    // 20 to 40 m over five bridges: 5 m apart.
    EXPECT_DOUBLE_EQ(s->GetBridge(1)->m_SpanLength, 25.0);
}

TEST(BridgeSetDlg, RefusesGeometryThatBuildsNoSet)
{
    const struct {
        const char* name;
        bool byStep;
        const char *from, *to, *step, *number;
        int field;
        const wchar_t* message;
    } cases[] = {
        {"zero step", true, "10", "30", "0", "3", IDC_RANGE_STEP,
         L"The step is 0 m; it must be from 0.01 m to 1,000 m."},
        {"negative step", true, "10", "30", "-2", "3", IDC_RANGE_STEP,
         L"The step is -2 m; it must be from 0.01 m to 1,000 m."},
        {"huge step", true, "10", "30", "1e300", "3", IDC_RANGE_STEP,
         L"The step is 1e+300 m; it must be from 0.01 m to 1,000 m."},
        {"end past the longest span", true, "10", "1000.5", "5", "3", IDC_END_LENGTH,
         L"The end span length is 1,000.5 m; it must be from 0.1 m to 1,000 m."},
        {"too many bridges", false, "10", "30", "5", "10001", IDC_RANGE_NUMBER,
         L"The number is 10,001; it must be from 2 to 10,000."},
        {"end short of one step", true, "10", "12", "5", "3", IDC_END_LENGTH,
         L"The end span length must be at least the start span length plus one step."},
        {"one bridge", false, "10", "30", "5", "1", IDC_RANGE_NUMBER, L"The number is 1; it must be from 2 to 10,000."},
        {"end below start", false, "30", "10", "5", "3", IDC_END_LENGTH,
         L"The end span length must not be below the start span length."},
        {"zero span", false, "0", "10", "5", "3", IDC_START_LENGTH,
         L"The start span length is 0 m; it must be from 0.1 m to 1,000 m."},
        {"number not read", false, "10", "30", "5", "2.5", IDC_RANGE_NUMBER, L"Please enter an integer."},
    };
    for (const auto& c : cases) {
        BoxRecorder boxes;
        CBridgeSetDlg dlg;
        auto given = std::make_shared<CBridgeSet>(3, L"Short", 3, BC_ONESPAN, 10.0, 20.0);
        dlg.SetBridgeSet(given);
        dlg.Open();
        Click(Ctrl<QRadioButton>(dlg, c.byStep ? IDC_BY_STEP : IDC_BY_NUMBER));
        Type(Ctrl<QLineEdit>(dlg, IDC_START_LENGTH), QString::fromLatin1(c.from));
        Type(Ctrl<QLineEdit>(dlg, IDC_END_LENGTH), QString::fromLatin1(c.to));
        if (c.byStep)
            Type(Ctrl<QLineEdit>(dlg, IDC_RANGE_STEP), QString::fromLatin1(c.step));
        else
            Type(Ctrl<QLineEdit>(dlg, IDC_RANGE_NUMBER), QString::fromLatin1(c.number));
        PressOk(dlg);
        ASSERT_EQ(boxes.texts.size(), 1u) << c.name;
        EXPECT_EQ(boxes.texts[0], c.message) << c.name;
        EXPECT_TRUE(dlg.isVisible()) << c.name;
        EXPECT_EQ(dlg.focusWidget(), Ctrl(dlg, c.field)) << c.name;
        EXPECT_EQ(dlg.GetBridgeSet()->m_nBridge, 3) << c.name;
    }
}

TEST(BridgeSetDlg, SetThatCannotBeEditedComesBackUnchanged)
{
    auto given = std::make_shared<CBridgeSet>(3, L"Standard", 3, BC_ONESPAN, 10.0, 20.0);
    given->m_bIsEditable = false;
    CBridgeSetDlg dlg;
    dlg.SetBridgeSet(given);
    dlg.Open();
    for (int id : {IDC_DESCRIPTION, IDC_START_LENGTH, IDC_END_LENGTH, IDC_RANGE_STEP, IDC_RANGE_NUMBER})
        EXPECT_FALSE(Ctrl(dlg, id)->isEnabled()) << id;
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_EQ(dlg.GetBridgeSet()->m_nBridge, 3);
    EXPECT_EQ(dlg.GetBridgeSet()->m_Description, L"Standard");
}

TEST(ConfigDlg, NotesKeepTheirLineBreaksAndCancelChangesNothing)
{
    CConfigDlg dlg;
    dlg.m_sCaseRef = L"Ref 1";
    dlg.m_sCaseNotes = L"first";
    dlg.Open();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Case Information"));
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_CASE_REF)->text(), QStringLiteral("Ref 1"));
    auto* pNotes = Ctrl<QPlainTextEdit>(dlg, IDC_CASE_NOTES);
    pNotes->setFocus();
    pNotes->moveCursor(QTextCursor::End);
    QTest::keyClick(pNotes, Qt::Key_Return);
    QTest::keyClicks(pNotes, QStringLiteral("second"));
    EXPECT_TRUE(dlg.isVisible()); // Enter made a new line, it did not press OK
    Type(Ctrl<QLineEdit>(dlg, IDC_CASE_REF), QStringLiteral("Ref 2"));
    Screenshot(dlg, QStringLiteral("CaseInformation"));
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_EQ(dlg.m_sCaseRef, L"Ref 2");
    EXPECT_EQ(dlg.m_sCaseNotes, L"first\nsecond");

    CConfigDlg cancelled;
    cancelled.m_sCaseRef = L"Ref 1";
    cancelled.Open();
    Type(Ctrl<QLineEdit>(cancelled, IDC_CASE_REF), QStringLiteral("changed"));
    PressCancel(cancelled);
    EXPECT_EQ(cancelled.GetResult(), IDCANCEL);
}

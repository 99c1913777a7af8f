#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "AppTestUtil.h"

#include "app/settings/SettingsWnd.h"
#include "core/settings/SettingEntries.h"
#include "core/settings/Settings.h"
#include "platform/win/MessageBox.h"

namespace {

// The pane's row of a field of the settings.
template <class T>
int Row(const T& field)
{
    return SettingOf(field).nID;
}

class SettingsWndTest : public ::testing::Test {
protected:
    // The settings whose fields name the pane's rows.
    CSettings& S = *g_pSettings;
    void SetUp() override
    {
        g_pSettings->SetDefaults();
        m_PrevAnswerer = SetMessageBoxAnswerer([this](const std::wstring& text, const std::wstring&, UINT type) {
            m_vQuestions.push_back(text);
            m_nType = type;
            return m_nAnswer;
        });
        m_pWnd = std::make_unique<CSettingsWnd>();
        m_pWnd->resize(360, 640);
        m_pWnd->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        m_pWnd.reset();
        CSettingsWnd::SetColourPicker(nullptr);
        SetMessageBoxAnswerer(m_PrevAnswerer);
        g_pSettings->SetDefaults();
    }
    // Types the text into the value cell and presses Enter, as a user does.
    void Type(int nID, const QString& text)
    {
        // Editors closed before are deleted later: let them go, so the one found is new.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTreeWidgetItem* item = m_pWnd->FindProperty(nID);
        ASSERT_NE(item, nullptr);
        m_pWnd->Grid()->scrollToItem(item);
        m_pWnd->Grid()->setCurrentItem(item, 1);
        m_pWnd->Grid()->editItem(item, 1);
        auto* edit = m_pWnd->Grid()->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents();
    }

    std::unique_ptr<CSettingsWnd> m_pWnd;
    MessageBoxAnswerer m_PrevAnswerer;
    std::vector<std::wstring> m_vQuestions;
    UINT m_nType = 0;
    int m_nAnswer = IDNO;
};

TEST_F(SettingsWndTest, GridShowsGroupsInOrderWithValuesAndDescriptions)
{
    QTreeWidget* grid = m_pWnd->Grid();
    ASSERT_EQ(grid->topLevelItemCount(), 3);
    EXPECT_EQ(grid->topLevelItem(0)->text(0), "General");
    EXPECT_EQ(grid->topLevelItem(1)->text(0), "Analysis");
    EXPECT_EQ(grid->topLevelItem(2)->text(0), "Plots");
    EXPECT_TRUE(grid->isHeaderHidden());
    EXPECT_TRUE(grid->topLevelItem(2)->isExpanded());
    EXPECT_EQ(m_pWnd->FindProperty(Row(S.Plot.Gap.TOP))->parent()->text(0), "Gaps");
    EXPECT_EQ(m_pWnd->ValueText(Row(S.Analysis.NPOINTS_ALONG_BEAM)), "100");
    EXPECT_EQ(m_pWnd->ValueText(Row(S.Analysis.Stepping.STEPSIZE)), "0.5");
    EXPECT_EQ(m_pWnd->FindProperty(Row(S.General.USEBINARYFILEFORMAT))->checkState(1), Qt::Checked);
    EXPECT_EQ(m_pWnd->ValueText(Row(S.Plot.Colours.CLR_FULLSPEED)), "RGB(255, 140, 0)");

    grid->setCurrentItem(m_pWnd->FindProperty(Row(S.General.USEBINARYFILEFORMAT)));
    const QString description = m_pWnd->DescriptionArea()->text();
    EXPECT_TRUE(description.contains("Binary File"));
    EXPECT_TRUE(description.contains("which is smaller and quicker to load")) << qPrintable(description);
    EXPECT_TRUE(m_pWnd->ToolBar()->actions().at(0)->isChecked());

    qeltest::SaveScreenshot(m_pWnd.get(), "settings-pane.png");
}

TEST_F(SettingsWndTest, RefusedValueShowsTheValueInForceAndAcceptedOneIsBold)
{
    int changes = 0;
    QObject::connect(m_pWnd.get(), &CSettingsWnd::settingsChanged, [&] { ++changes; });
    Type(Row(S.Analysis.NPOINTS_ALONG_BEAM), "20");
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 100);
    EXPECT_EQ(m_pWnd->ValueText(Row(S.Analysis.NPOINTS_ALONG_BEAM)), "100");
    EXPECT_FALSE(m_pWnd->IsShownModified(Row(S.Analysis.NPOINTS_ALONG_BEAM)));
    Type(Row(S.Analysis.NPOINTS_ALONG_BEAM), "65557");
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 100);
    Type(Row(S.Analysis.NPOINTS_ALONG_BEAM), "21");
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 21);
    EXPECT_EQ(m_pWnd->ValueText(Row(S.Analysis.NPOINTS_ALONG_BEAM)), "21");
    EXPECT_TRUE(m_pWnd->IsShownModified(Row(S.Analysis.NPOINTS_ALONG_BEAM)));
    EXPECT_EQ(changes, 1); // refused values change nothing

    Type(Row(S.Plot.DATATIPDELAY), "500");
    EXPECT_EQ(g_pSettings->Plot.DATATIPDELAY, 3000);
    Type(Row(S.Plot.DATATIPDELAY), "501");
    EXPECT_EQ(g_pSettings->Plot.DATATIPDELAY, 501);
    Type(Row(S.General.DecimalPlaces.DISTANCE), "-3");
    EXPECT_EQ(g_pSettings->General.DecimalPlaces.DISTANCE, 3);
    EXPECT_EQ(m_pWnd->ValueText(Row(S.General.DecimalPlaces.DISTANCE)), "3");
    Type(Row(S.Analysis.Stepping.STEPSIZE), "0.0011");
    EXPECT_EQ(g_pSettings->Analysis.Stepping.STEPSIZE, 0.0011);
}

TEST_F(SettingsWndTest, ARefusedValueSaysWhyWithItsRangeInTheDescriptionArea)
{
    struct Case {
        int nID;
        const char* typed;
        const char* why;
    };
    const Case cases[] = {
        {Row(S.Analysis.NPOINTS_ALONG_BEAM), "20", "Points Per Span must be a whole number from 21 to 10,000."},
        {Row(S.Analysis.NPOINTS_ALONG_BEAM), "many", "Points Per Span must be a whole number from 21 to 10,000."},
        {Row(S.Plot.LINEWIDTH), "21", "Line width must be a whole number from 1 to 20."},
        {Row(S.Analysis.Stepping.STEPSIZE), "0", "Step Size is 0 m; it must be from 0.001 m to 1,000 m."},
        {Row(S.Analysis.Stepping.STEPSIZE), "1e300", "Step Size is 1e+300 m; it must be from 0.001 m to 1,000 m."},
        {Row(S.Analysis.Stepping.STEPSIZE), "nan", "Step Size must be a number from 0.001 m to 1,000 m."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Type(c.nID, c.typed);
        const QString shown = m_pWnd->DescriptionArea()->text();
        EXPECT_TRUE(shown.contains(c.why)) << qPrintable(shown);
        EXPECT_TRUE(m_vQuestions.empty()); // said in the pane, not in a box
    }
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 100);
    EXPECT_EQ(g_pSettings->Analysis.Stepping.STEPSIZE, 0.5);
    m_pWnd->DescriptionArea()->setMinimumHeight(m_pWnd->DescriptionArea()->heightForWidth(m_pWnd->width()));
    qeltest::SaveScreenshot(m_pWnd.get(), "settings-pane-refused.png");

    // An accepted value, or another row, shows the description again.
    Type(Row(S.Analysis.NPOINTS_ALONG_BEAM), "50");
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 50);
    m_pWnd->Grid()->setCurrentItem(m_pWnd->FindProperty(Row(S.Plot.LINEWIDTH)));
    EXPECT_TRUE(m_pWnd->DescriptionArea()->text().contains("The width in pixels of the plotted lines"));
}

TEST_F(SettingsWndTest, AtItsNarrowestEveryLabelAndValueIsReadable)
{
    m_pWnd->resize(m_pWnd->minimumWidth(), 640);
    QApplication::processEvents();
    QTreeWidget* grid = m_pWnd->Grid();
    const QFontMetrics fm(grid->font());
    for (QTreeWidgetItemIterator it(grid); *it; ++it) {
        const QRect label = grid->visualItemRect(*it);
        if (label.isNull() || (*it)->isFirstColumnSpanned())
            continue;
        int depth = 1;
        for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
            ++depth;
        EXPECT_GE(grid->columnWidth(0), depth * grid->indentation() + fm.horizontalAdvance((*it)->text(0)))
            << qPrintable((*it)->text(0));
        // A path may be of any length; every other value fits.
        if (*it != m_pWnd->FindProperty(Row(S.General.HELPFILEPATH))) {
            EXPECT_GE(grid->columnWidth(1), fm.horizontalAdvance((*it)->text(1))) << qPrintable((*it)->text(1));
        }
    }
    qeltest::SaveScreenshot(m_pWnd.get(), "settings-pane-narrowest.png");
}

TEST_F(SettingsWndTest, CheckBoxColourAndFileReachTheSettings)
{
    QTreeWidgetItem* binary = m_pWnd->FindProperty(Row(S.General.USEBINARYFILEFORMAT));
    binary->setCheckState(1, Qt::Unchecked);
    EXPECT_FALSE(g_pSettings->General.USEBINARYFILEFORMAT);
    EXPECT_EQ(binary->text(1), "False");

    CSettingsWnd::SetColourPicker([](QWidget*, const QColor& current) {
        EXPECT_EQ(current, QColor(255, 0, 0)); // CLR_LM_PL, red
        return QColor(1, 2, 3);
    });
    QTreeWidgetItem* pl = m_pWnd->FindProperty(Row(S.General.LoadModel.CLR_LM_PL));
    m_pWnd->Grid()->scrollToItem(pl);
    m_pWnd->Grid()->editItem(pl, 1);
    auto* other = m_pWnd->Grid()->findChild<QPushButton*>();
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->text(), "Other...");
    other->click();
    QApplication::processEvents();
    EXPECT_EQ(g_pSettings->General.LoadModel.CLR_LM_PL, 0x030201u);
    EXPECT_EQ(m_pWnd->ValueText(Row(S.General.LoadModel.CLR_LM_PL)), "RGB(1, 2, 3)");

    Type(Row(S.General.HELPFILEPATH), "/tmp/manual.pdf");
    EXPECT_EQ(g_pSettings->General.HELPFILEPATH, L"/tmp/manual.pdf");
    Type(Row(S.General.HELPFILEPATH), "");
    EXPECT_EQ(g_pSettings->General.HELPFILEPATH, L""); // an empty path is a path too
}

TEST_F(SettingsWndTest, ResetAllAsksAndOnYesShowsEveryDefaultUnmarked)
{
    Type(Row(S.Analysis.NPOINTS_ALONG_BEAM), "50");
    g_pSettings->Edit([](CSettings& s) { s.General.HELPFILEPATH = L"/elsewhere.pdf"; });
    m_nAnswer = IDNO;
    m_pWnd->OnCommand(CSettingsWnd::ID_RESET_ALL);
    ASSERT_EQ(m_vQuestions.size(), 1u);
    EXPECT_EQ(m_vQuestions[0], L"Are you sure you want to reset all\nprogram settings to their default values?");
    EXPECT_EQ(m_nType, MB_YESNO | MB_ICONERROR);
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 50);

    m_nAnswer = IDYES;
    m_pWnd->OnCommand(CSettingsWnd::ID_RESET_ALL);
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 100);
    EXPECT_NE(g_pSettings->General.HELPFILEPATH, L"/elsewhere.pdf");
    EXPECT_EQ(m_pWnd->ValueText(Row(S.Analysis.NPOINTS_ALONG_BEAM)), "100");
    EXPECT_FALSE(m_pWnd->IsShownModified(Row(S.Analysis.NPOINTS_ALONG_BEAM)));
}

TEST_F(SettingsWndTest, ToolbarCollapsesAndSortsAlphabetically)
{
    m_pWnd->OnCommand(CSettingsWnd::ID_EXPAND);
    EXPECT_FALSE(m_pWnd->Grid()->topLevelItem(0)->isExpanded());
    EXPECT_FALSE(m_pWnd->ToolBar()->actions().at(0)->isChecked());
    m_pWnd->OnCommand(CSettingsWnd::ID_SORTALPHA);
    EXPECT_TRUE(m_pWnd->ToolBar()->actions().at(1)->isChecked());
    QTreeWidget* grid = m_pWnd->Grid();
    EXPECT_EQ(grid->topLevelItemCount(), 46);
    EXPECT_EQ(grid->topLevelItem(0)->text(0), "Background");
    for (int i = 1; i < grid->topLevelItemCount(); ++i)
        EXPECT_LE(grid->topLevelItem(i - 1)->text(0).compare(grid->topLevelItem(i)->text(0), Qt::CaseInsensitive), 0);
    m_pWnd->OnCommand(CSettingsWnd::ID_SORTALPHA);
    EXPECT_EQ(grid->topLevelItemCount(), 3);
}

}

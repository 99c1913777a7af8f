#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>
#include <fstream>

#include "AppTestUtil.h"
#include "app/AppIds.h"
#include "app/OutputWnd.h"
#include "app/ToolbarCustomize.h"
#include "app/ToolbarModel.h"

using namespace qeltest;

namespace {

constexpr int ID_SINGLE_POSITION = 32773; // "&Analysis" > "&Single Position", on no toolbar
constexpr int ID_BRIDGE_RANGE = 32774;    // "&Analysis" > "&Bridge Range", on no toolbar

// The command buttons of a toolbar as ids, 0 for a separator; the customise button left out.
std::vector<int> BarButtons(const QToolBar* bar)
{
    std::vector<int> v;
    for (QAction* a : bar->actions())
        if (!qobject_cast<QWidgetAction*>(a))
            v.push_back(a->isSeparator() ? 0 : a->data().toInt());
    return v;
}

QToolButton* CustomizeButtonOf(const QToolBar* bar)
{
    return bar->findChild<QToolButton*>(QStringLiteral("CustomizeButton"));
}

template <class T>
T* Child(QWidget* parent, const char* name)
{
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// ---------------------------------------------------------------- the model without a window

class ToolbarModelTest : public ::testing::Test {
protected:
    void SetUp() override { CProfile::Clear(); }
    void TearDown() override { CProfile::Clear(); }
};

TEST_F(ToolbarModelTest, NamesAreCheckedAndTheTenSlotsFilledInOrderAndReused)
{
    CToolbarModel m;
    std::wstring err;
    struct Case {
        std::wstring name;
        bool bOk;
    };
    const Case cases[] = {
        {L"", false},
        {L"   ", false},
        {L"\n\t", false},
        {L"standard", false},
        {L"INSERT", false},
        {std::wstring(65, L'x'), false},
        {L"  Tools  ", true},
        {L"tools", false}, // taken now, whatever the case
        {std::wstring(64, L'y'), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name));
        const std::string key = m.NewUserToolbar(c.name, err);
        EXPECT_EQ(!key.empty(), c.bOk);
        EXPECT_EQ(err.empty(), c.bOk) << testing::PrintToString(err);
    }
    ASSERT_NE(m.Find("UserToolbar1"), nullptr);
    EXPECT_EQ(m.Find("UserToolbar1")->sName, L"Tools"); // blanks around it dropped

    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(m.NewUserToolbar(m.NextUserName(), err).empty()) << i;
    EXPECT_FALSE(m.HasFreeSlot());
    EXPECT_TRUE(m.NewUserToolbar(L"Eleventh", err).empty());
    EXPECT_NE(err.find(L"10 user toolbars"), std::wstring::npos);

    // A freed slot is taken again, and the toolbars stay in slot order.
    ASSERT_TRUE(m.Delete("UserToolbar4"));
    EXPECT_EQ(m.NewUserToolbar(L"Again", err), "UserToolbar4");
    std::vector<int> vSlots;
    for (const CToolbarContent& t : m.Toolbars())
        vSlots.push_back(t.nSlot);
    EXPECT_EQ(vSlots, (std::vector<int>{-1, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    // The standard toolbars keep their names and cannot be deleted.
    EXPECT_FALSE(m.Rename("Standard", L"Mine", err));
    EXPECT_FALSE(m.Delete("Insert"));
    EXPECT_TRUE(m.Rename("UserToolbar1", L"TOOLS", err)) << "its own name in other letters";
    EXPECT_FALSE(m.Rename("UserToolbar1", L"Again", err));
    EXPECT_EQ(err, L"A toolbar named \"Again\" already exists.");
}

TEST_F(ToolbarModelTest, ButtonsAreAddedMovedAndRemovedAndACommandIsOnAToolbarOnce)
{
    CToolbarModel m;
    std::wstring err;
    const std::string key = m.NewUserToolbar(L"Tools", err);
    ASSERT_TRUE(m.InsertButton(key, 0, ID_FILE_NEW));
    ASSERT_TRUE(m.InsertButton(key, 99, ID_FILE_OPEN)); // past the end: appended
    ASSERT_TRUE(m.InsertButton(key, 1, 0));
    EXPECT_EQ(m.Find(key)->vButtons, (std::vector<int>{ID_FILE_NEW, 0, ID_FILE_OPEN}));
    // Added again, a command moves; the place is counted before it leaves.
    ASSERT_TRUE(m.InsertButton(key, 3, ID_FILE_NEW));
    EXPECT_EQ(m.Find(key)->vButtons, (std::vector<int>{0, ID_FILE_OPEN, ID_FILE_NEW}));
    ASSERT_TRUE(m.MoveButton(key, 2, 0));
    EXPECT_EQ(m.Find(key)->vButtons, (std::vector<int>{ID_FILE_NEW, 0, ID_FILE_OPEN}));
    ASSERT_TRUE(m.MoveButton(key, 0, 2)); // before the third: one place on
    EXPECT_EQ(m.Find(key)->vButtons, (std::vector<int>{0, ID_FILE_NEW, ID_FILE_OPEN}));
    ASSERT_TRUE(m.RemoveButton(key, 0));
    EXPECT_FALSE(m.RemoveButton(key, 2));
    EXPECT_EQ(m.Find(key)->vButtons, (std::vector<int>{ID_FILE_NEW, ID_FILE_OPEN}));

    // Only commands of the menus: not a recent file, not an unknown id.
    EXPECT_FALSE(m.InsertButton(key, 0, ID_FILE_MRU_FILE1));
    EXPECT_FALSE(m.InsertButton(key, 0, 4242));
    EXPECT_FALSE(m.InsertButton("UserToolbar9", 0, ID_FILE_NEW));
}

TEST_F(ToolbarModelTest, MenusAreScannedIntoCategoriesWithPlainNames)
{
    const std::vector<CCommandCategory> cats = ScanMenuCategories();
    ASSERT_GE(cats.size(), 3u);
    EXPECT_EQ(cats.front().sName, L"File");
    EXPECT_EQ(cats.back().sName, L"All Commands");
    std::size_t nInMenus = 0;
    for (std::size_t i = 0; i + 1 < cats.size(); ++i)
        nInMenus += cats[i].vCommands.size();
    EXPECT_EQ(cats.back().vCommands.size(), nInMenus) << "every command once";
    for (int nID : cats.back().vCommands)
        EXPECT_FALSE(nID >= ID_FILE_MRU_FILE1 && nID < ID_FILE_MRU_FILE1 + kRecentFileCount);
    EXPECT_TRUE(std::is_sorted(cats.back().vCommands.begin(), cats.back().vCommands.end(),
                               [](int a, int b) { return CommandDisplayName(a) < CommandDisplayName(b); }));

    EXPECT_EQ(CommandDisplayName(ID_FILE_SAVE_AS), L"Save As...");
    EXPECT_EQ(CommandDisplayName(32807), L"Reference Collection"); // "Reference &Collection\tF4"
    EXPECT_EQ(CommandDisplayName(ID_VIEW_APPLOOK_OFF_2007_SILVER), L"Application Look > Silver Style");
}

TEST_F(ToolbarModelTest, AProfileWrittenByHandOrDamagedIsReadAsFarAsItMakesSense)
{
    const wchar_t* s = CToolbarModel::kProfileSection;
    CProfile::WriteString(s, L"Standard", L"abc,,57601,57601,99999999999,-3,0,57600");
    CProfile::WriteString(s, L"Insert", L"x;y"); // nothing readable: the original buttons
    CProfile::WriteString(s, L"User1Name", L"\n  Tools\t ");
    CProfile::WriteString(s, L"User1Buttons", L"57603");
    CProfile::WriteString(s, L"User3Name", std::wstring(200, L'n'));
    CProfile::WriteString(s, L"User3Buttons", L"57665,57616"); // Exit, and a recent file
    CProfile::WriteString(s, L"User11Name", L"No such slot");
    CProfile::WriteString(s, L"ButtonImages", L"57601:2,foo:1,57603:-1,4242:3,57600:99999,57665:0");

    CToolbarModel m;
    m.Load();
    EXPECT_EQ(m.Find("Standard")->vButtons, (std::vector<int>{ID_FILE_OPEN, 0, ID_FILE_NEW}));
    EXPECT_EQ(m.Find("Insert")->vButtons, CToolbarModel::DefaultButtons("Insert"));
    ASSERT_EQ(m.Toolbars().size(), 4u);
    EXPECT_EQ(m.Find("UserToolbar1")->sName, L"Tools");
    EXPECT_EQ(m.Find("UserToolbar1")->vButtons, (std::vector<int>{ID_FILE_SAVE}));
    EXPECT_EQ(m.Find("UserToolbar3")->sName, std::wstring(CToolbarModel::kMaxNameLength, L'n'));
    EXPECT_EQ(m.Find("UserToolbar3")->vButtons, (std::vector<int>{ID_APP_EXIT}));
    EXPECT_EQ(m.ButtonImages(), (std::map<int, int>{{ID_FILE_OPEN, 2}, {ID_APP_EXIT, 0}}));

    // What is saved reads back the same; the untouched toolbar is kept as "original".
    m.Save();
    EXPECT_EQ(CProfile::GetString(s, L"Insert", L"?"), L"");
    CToolbarModel again;
    again.Load();
    ASSERT_EQ(again.Toolbars().size(), m.Toolbars().size());
    for (std::size_t i = 0; i < m.Toolbars().size(); ++i) {
        EXPECT_EQ(again.Toolbars()[i].sName, m.Toolbars()[i].sName);
        EXPECT_EQ(again.Toolbars()[i].vButtons, m.Toolbars()[i].vButtons);
    }
    EXPECT_EQ(again.ButtonImages(), m.ButtonImages());

    // A standard toolbar emptied by the user stays empty.
    while (!again.Find("Standard")->vButtons.empty())
        again.RemoveButton("Standard", 0);
    again.Save();
    CToolbarModel third;
    third.Load();
    EXPECT_TRUE(third.Find("Standard")->vButtons.empty());
}

// ---------------------------------------------------------------- in the main window

class ToolbarCustomize : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        m_sOldDir = QDir::currentPath();
        ASSERT_TRUE(m_Dir.isValid());
        // "UserImages.bmp" is looked for in the working folder first.
        QDir::setCurrent(m_Dir.path());
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        QDir::setCurrent(m_sOldDir);
    }

    CToolbarCustomizeDlg* OpenDialog()
    {
        EXPECT_TRUE(Frame().ExecuteCommand(ID_VIEW_CUSTOMIZE));
        CToolbarCustomizeDlg* dlg = Frame().GetToolbars().GetCustomizeDlg();
        if (dlg)
            dlg->SetNameAsker([this](const QString& caption, const std::wstring& proposed) {
                askedCaptions.push_back(caption);
                askedProposals.push_back(proposed);
                // With no name queued the proposed one is taken.
                if (names.empty())
                    return std::optional<std::wstring>(proposed);
                std::optional<std::wstring> a = names.front();
                names.pop_front();
                return a;
            });
        return dlg;
    }
    void ShowPage(CToolbarCustomizeDlg* dlg, int nPage) { dlg->findChild<QTabWidget*>()->setCurrentIndex(nPage); }
    void ClickButton(CToolbarCustomizeDlg* dlg, const char* name)
    {
        auto* b = Child<QPushButton>(dlg, name);
        ASSERT_TRUE(b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString ImagePath() const { return m_Dir.filePath(QStringLiteral("UserImages.bmp")); }
    // Three 16 x 16 images: red, green, blue.
    void WriteUserImages() const
    {
        QImage strip(48, 16, QImage::Format_RGB32);
        const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
        for (int x = 0; x < 48; ++x)
            for (int y = 0; y < 16; ++y)
                strip.setPixel(x, y, colours[x / 16]);
        ASSERT_TRUE(strip.save(ImagePath(), "BMP"));
    }
    QStringList StatusLines()
    {
        QStringList lines;
        const auto* list = Frame().GetOutputWnd()->GetList();
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }

    std::deque<std::optional<std::wstring>> names;
    std::vector<QString> askedCaptions;
    std::vector<std::wstring> askedProposals;

private:
    QTemporaryDir m_Dir;
    QString m_sOldDir;
};

TEST_F(ToolbarCustomize, ACommandAddedToANewUserToolbarSurvivesARestartOfTheMainFrame)
{
    Start();
    CToolbarCustomizeDlg* dlg = OpenDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Customize"));
    EXPECT_FALSE(dlg->isModal()) << "the toolbars take drops while it is open";

    ShowPage(dlg, 1);
    names.push_back(L"My Tools");
    ClickButton(dlg, "New");
    EXPECT_EQ(askedCaptions, (std::vector<QString>{QStringLiteral("New Toolbar")}));
    EXPECT_EQ(askedProposals, (std::vector<std::wstring>{L"Custom 1"}));
    QToolBar* bar = Frame().GetToolBar("UserToolbar1");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->windowTitle(), QStringLiteral("My Tools"));
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(dlg->SelectedToolbar(), "UserToolbar1");

    ShowPage(dlg, 0);
    dlg->SelectCategory(L"Analysis");
    dlg->SelectCommand(ID_SINGLE_POSITION);
    ClickButton(dlg, "Add");
    dlg->SelectCommand(ID_BRIDGE_RANGE);
    ClickButton(dlg, "Add");
    ClickButton(dlg, "MoveUp");
    EXPECT_EQ(BarButtons(bar), (std::vector<int>{ID_BRIDGE_RANGE, ID_SINGLE_POSITION}));
    EXPECT_EQ(Child<QListWidget>(dlg, "Buttons")->count(), 2);

    // A standard toolbar's change is kept as well.
    dlg->SelectToolbar("Standard");
    Child<QListWidget>(dlg, "Buttons")->setCurrentRow(0);
    ClickButton(dlg, "Remove");
    std::vector<int> standard = CToolbarModel::DefaultButtons("Standard");
    standard.erase(standard.begin());
    EXPECT_EQ(BarButtons(Frame().GetToolBar("Standard")), standard);

    dlg->SelectToolbar("UserToolbar1");
    dlg->resize(dlg->sizeHint());
    SaveScreenshot(dlg, "customize-commands.png");
    ShowPage(dlg, 1);
    SaveScreenshot(dlg, "customize-toolbars.png");
    Frame().resize(1400, 700);
    ProcessEvents();
    SaveScreenshot(&Frame(), "customize-main-window.png");

    Quit();
    Start();
    bar = Frame().GetToolBar("UserToolbar1");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->windowTitle(), QStringLiteral("My Tools"));
    EXPECT_EQ(BarButtons(bar), (std::vector<int>{ID_BRIDGE_RANGE, ID_SINGLE_POSITION}));
    EXPECT_NE(CustomizeButtonOf(bar), nullptr);
    EXPECT_EQ(BarButtons(Frame().GetToolBar("Standard")), standard);
    EXPECT_TRUE(bar->isVisibleTo(&Frame()));
}

TEST_F(ToolbarCustomize, TheCustomizeButtonEndsEveryToolbarAndThePaneMenuOffersIt)
{
    // Two user toolbars in slots 3 and 10 of the profile, as an earlier run left them.
    CProfile::WriteString(CToolbarModel::kProfileSection, L"User3Name", L"Third");
    CProfile::WriteString(CToolbarModel::kProfileSection, L"User10Name", L"Tenth");
    CProfile::WriteString(CToolbarModel::kProfileSection, L"User10Buttons", L"57601");
    Start();
    QAction* customize = Frame().GetCommandAction(ID_VIEW_CUSTOMIZE);
    ASSERT_NE(customize, nullptr);
    EXPECT_EQ(customize->text(), QStringLiteral("Customize..."));
    for (const char* key : {"Standard", "Insert", "UserToolbar3", "UserToolbar10"}) {
        SCOPED_TRACE(key);
        QToolBar* bar = Frame().GetToolBar(key);
        ASSERT_NE(bar, nullptr);
        QToolButton* button = CustomizeButtonOf(bar);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(qobject_cast<QWidgetAction*>(bar->actions().back()) != nullptr) << "the button comes last";
        ASSERT_NE(button->menu(), nullptr);
        EXPECT_TRUE(button->menu()->actions().contains(customize));
    }
    EXPECT_EQ(Frame().GetToolBar("UserToolbar1"), nullptr);
    EXPECT_EQ(BarButtons(Frame().GetToolBar("UserToolbar10")), (std::vector<int>{ID_FILE_OPEN}));

    std::unique_ptr<QMenu> pane(Frame().createPopupMenu());
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->actions().back(), customize);
    QStringList texts;
    for (QAction* a : pane->actions())
        texts << a->text();
    for (const char* t : {"Standard", "Insert", "Third", "Tenth", "Analysis Elements", "Diagnostics"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(t))) << t;

    // The button's item opens the dialog; asked again, the same dialog comes up.
    CustomizeButtonOf(Frame().GetToolBar("UserToolbar3"))->menu()->actions().front()->trigger();
    CToolbarCustomizeDlg* dlg = Frame().GetToolbars().GetCustomizeDlg();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->isVisible());
    customize->trigger();
    EXPECT_EQ(Frame().GetToolbars().GetCustomizeDlg(), dlg);
    EXPECT_EQ(Frame().findChildren<CToolbarCustomizeDlg*>().size(), 1);
}

TEST_F(ToolbarCustomize, ResetGivesAStandardToolbarItsButtonsBackAndResetAllTakesTheUserImagesOff)
{
    WriteUserImages();
    Start();
    CToolbarCustomizeDlg* dlg = OpenDialog();
    ASSERT_NE(dlg, nullptr);
    CToolbarModel& model = Frame().GetToolbars().Model();
    ASSERT_TRUE(model.RemoveButton("Standard", 0));
    ASSERT_TRUE(model.InsertButton("Standard", 0, ID_BRIDGE_RANGE));
    ASSERT_TRUE(model.RemoveButton("Insert", 0));
    model.SetButtonImage(ID_FILE_OPEN, 1);

    dlg->SelectToolbar("Standard");
    ShowPage(dlg, 1);
    auto* reset = Child<QPushButton>(dlg, "Reset");
    answers.push_back(IDNO);
    ClickButton(dlg, "Reset");
    EXPECT_NE(BarButtons(Frame().GetToolBar("Standard")), CToolbarModel::DefaultButtons("Standard"));
    answers.push_back(IDYES);
    ClickButton(dlg, "Reset");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"Reset the changes made to the \"Standard\" toolbar?");
    EXPECT_EQ(BarButtons(Frame().GetToolBar("Standard")), CToolbarModel::DefaultButtons("Standard"));
    EXPECT_FALSE(reset->isEnabled()) << "nothing left to reset";
    EXPECT_EQ(CProfile::GetString(CToolbarModel::kProfileSection, L"Standard", L"?"), L"");
    // The other toolbar and the image are untouched by one toolbar's reset.
    EXPECT_NE(BarButtons(Frame().GetToolBar("Insert")), CToolbarModel::DefaultButtons("Insert"));
    EXPECT_EQ(model.ButtonImage(ID_FILE_OPEN), 1);

    answers.push_back(IDYES);
    ClickButton(dlg, "ResetAll");
    EXPECT_EQ(BarButtons(Frame().GetToolBar("Insert")), CToolbarModel::DefaultButtons("Insert"));
    EXPECT_TRUE(model.ButtonImages().empty());
    const QImage icon = Frame().GetCommandAction(ID_FILE_OPEN)->icon().pixmap(16, 16).toImage();
    EXPECT_NE(icon.pixel(8, 8), qRgb(0, 255, 0)) << "its own icon again";

    Quit();
    Start();
    EXPECT_EQ(BarButtons(Frame().GetToolBar("Standard")), CToolbarModel::DefaultButtons("Standard"));
    EXPECT_EQ(BarButtons(Frame().GetToolBar("Insert")), CToolbarModel::DefaultButtons("Insert"));
}

TEST_F(ToolbarCustomize, AUserToolbarIsRenamedAndDeletedAndTheStandardOnesAreNot)
{
    Start();
    CToolbarCustomizeDlg* dlg = OpenDialog();
    ASSERT_NE(dlg, nullptr);
    ShowPage(dlg, 1);
    EXPECT_FALSE(Child<QPushButton>(dlg, "Rename")->isEnabled()) << "Standard is chosen";
    EXPECT_FALSE(Child<QPushButton>(dlg, "Delete")->isEnabled());

    names = {L"Tools", L"Bridges"};
    ClickButton(dlg, "New");
    ClickButton(dlg, "New");
    QToolBar* tools = Frame().GetToolBar("UserToolbar1");
    ASSERT_NE(tools, nullptr);

    dlg->SelectToolbar("UserToolbar1");
    names = {L"Bridges", L"  Checks  ", std::nullopt};
    ClickButton(dlg, "Rename"); // taken
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"A toolbar named \"Bridges\" already exists.");
    EXPECT_EQ(tools->windowTitle(), QStringLiteral("Tools"));
    ClickButton(dlg, "Rename");
    EXPECT_EQ(askedProposals.back(), L"Tools");
    EXPECT_EQ(tools->windowTitle(), QStringLiteral("Checks"));
    EXPECT_EQ(tools->toggleViewAction()->text(), QStringLiteral("Checks"));
    ClickButton(dlg, "Rename"); // cancelled
    EXPECT_EQ(tools->windowTitle(), QStringLiteral("Checks"));
    auto* list = Child<QListWidget>(dlg, "Toolbars");
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Checks"));

    // The toolbar's tick shows and hides it.
    list->item(2)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(tools->isHidden());
    list->item(2)->setCheckState(Qt::Checked);
    EXPECT_FALSE(tools->isHidden());

    answers = {IDNO, IDYES};
    ClickButton(dlg, "Delete");
    EXPECT_NE(Frame().GetToolBar("UserToolbar1"), nullptr);
    ClickButton(dlg, "Delete");
    EXPECT_EQ(boxes.back().text, L"Delete the toolbar \"Checks\"?");
    EXPECT_EQ(Frame().GetToolBar("UserToolbar1"), nullptr);
    ProcessEvents();
    EXPECT_EQ(Frame().findChild<QToolBar*>(QStringLiteral("UserToolbar1")), nullptr);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(dlg->SelectedToolbar(), "Standard");

    // The next new toolbar takes the freed first slot.
    names = {L"Again"};
    ClickButton(dlg, "New");
    EXPECT_EQ(dlg->SelectedToolbar(), "UserToolbar1");
    answers = {IDYES};
    ClickButton(dlg, "Delete");

    Quit();
    Start();
    EXPECT_EQ(Frame().GetToolBar("UserToolbar1"), nullptr);
    ASSERT_NE(Frame().GetToolBar("UserToolbar2"), nullptr);
    EXPECT_EQ(Frame().GetToolBar("UserToolbar2")->windowTitle(), QStringLiteral("Bridges"));
}

TEST_F(ToolbarCustomize, TenUserToolbarsAtMost)
{
    Start();
    CToolbarCustomizeDlg* dlg = OpenDialog();
    ASSERT_NE(dlg, nullptr);
    ShowPage(dlg, 1);
    for (int i = 0; i < CToolbarModel::kUserSlots; ++i)
        ClickButton(dlg, "New");
    EXPECT_FALSE(Child<QPushButton>(dlg, "New")->isEnabled());
    ASSERT_EQ(askedProposals.size(), 10u);
    EXPECT_EQ(askedProposals.front(), L"Custom 1");
    EXPECT_EQ(askedProposals.back(), L"Custom 10");
    Quit();
    Start();
    for (int i = 1; i <= CToolbarModel::kUserSlots; ++i) {
        const std::string key = "UserToolbar" + std::to_string(i);
        ASSERT_NE(Frame().GetToolBar(key.c_str()), nullptr) << key;
        EXPECT_NE(CustomizeButtonOf(Frame().GetToolBar(key.c_str())), nullptr) << key;
    }
}

// Drops as the drag-and-drop system delivers them: enter, then drop, at a point of the widget.
bool Drop(QWidget* target, const QPoint& pos, const CButtonDrag& drag)
{
    std::unique_ptr<QMimeData> data(MakeButtonDragData(drag));
    QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(pos), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

TEST_F(ToolbarCustomize, CommandsAreDroppedOnTheToolbarsWhileTheDialogIsOpen)
{
    Start();
    QToolBar* standard = Frame().GetToolBar("Standard");
    QWidget* first = standard->widgetForAction(Frame().GetCommandAction(ID_FILE_NEW));
    ASSERT_NE(first, nullptr);
    const QPoint leftOfFirst = first->geometry().center() - QPoint(first->width() / 4, 0);
    EXPECT_FALSE(Drop(standard, leftOfFirst, {ID_SINGLE_POSITION, {}, -1})) << "not while nobody customises";

    CToolbarCustomizeDlg* dlg = OpenDialog();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(Drop(standard, leftOfFirst, {ID_SINGLE_POSITION, {}, -1}));
    std::vector<int> expected = CToolbarModel::DefaultButtons("Standard");
    expected.insert(expected.begin(), ID_SINGLE_POSITION);
    EXPECT_EQ(BarButtons(standard), expected);
    // The dialog shows it at once.
    dlg->SelectToolbar("Standard");
    auto* buttons = Child<QListWidget>(dlg, "Buttons");
    ASSERT_EQ(buttons->count(), static_cast<int>(expected.size()));
    EXPECT_EQ(buttons->item(0)->data(Qt::UserRole).toInt(), ID_SINGLE_POSITION);

    // Within the dialog's list: the first button dragged below the last row goes to the end.
    const QRect last = buttons->visualItemRect(buttons->item(buttons->count() - 1));
    EXPECT_TRUE(
        Drop(buttons->viewport(), last.center() + QPoint(0, last.height() / 4), {ID_SINGLE_POSITION, "Standard", 0}));
    expected.erase(expected.begin());
    expected.push_back(ID_SINGLE_POSITION);
    EXPECT_EQ(BarButtons(standard), expected);
    EXPECT_EQ(buttons->currentRow(), buttons->count() - 1);

    // Something that is not a command is refused.
    QMimeData text;
    text.setText(QStringLiteral("57600"));
    QDragEnterEvent enter(leftOfFirst, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(standard, &enter);
    EXPECT_FALSE(enter.isAccepted());

    dlg->close();
    ProcessEvents();
    EXPECT_EQ(Frame().GetToolbars().GetCustomizeDlg(), nullptr);
    EXPECT_FALSE(Drop(standard, leftOfFirst, {ID_BRIDGE_RANGE, {}, -1}));
    EXPECT_EQ(BarButtons(standard), expected);
}

TEST_F(ToolbarCustomize, TheUserImagesAreOfferedForButtonsAndKept)
{
    WriteUserImages();
    Start();
    EXPECT_EQ(Frame().GetToolbars().UserImages().GetCount(), 3);
    CToolbarCustomizeDlg* dlg = OpenDialog();
    ASSERT_NE(dlg, nullptr);
    auto* image = Child<QComboBox>(dlg, "ButtonImage");
    ASSERT_EQ(image->count(), 4); // its own, and three
    dlg->SelectToolbar("Standard");
    dlg->SelectButtonRow(0); // "New"
    ASSERT_TRUE(image->isEnabled());
    image->setCurrentIndex(2);
    emit image->activated(2);
    const auto pixelOfIcon = [this](int nID) {
        return Frame().GetCommandAction(nID)->icon().pixmap(16, 16).toImage().pixel(8, 8);
    };
    EXPECT_EQ(pixelOfIcon(ID_FILE_NEW), qRgb(0, 255, 0));
    SaveScreenshot(Frame().GetToolBar("Standard"), "customize-user-image.png");

    Quit();
    Start();
    EXPECT_EQ(pixelOfIcon(ID_FILE_NEW), qRgb(0, 255, 0));
    dlg = OpenDialog();
    dlg->SelectToolbar("Standard");
    dlg->SelectButtonRow(0);
    image = Child<QComboBox>(dlg, "ButtonImage");
    EXPECT_EQ(image->currentIndex(), 2);
    image->setCurrentIndex(0);
    emit image->activated(0);
    EXPECT_NE(pixelOfIcon(ID_FILE_NEW), qRgb(0, 255, 0));
    EXPECT_FALSE(Frame().GetCommandAction(ID_FILE_NEW)->icon().isNull()) << "its own icon again";
}

// The bytes of a bitmap file header and information header: 24 bits, no compression.
std::string BmpHeader(int32_t width, int32_t height, uint32_t nPixelBytes)
{
    std::string h = "BM";
    const auto put = [&h](uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            h += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(54 + nPixelBytes, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<uint32_t>(width), 4);
    put(static_cast<uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(nPixelBytes, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    return h;
}

TEST_F(ToolbarCustomize, AMissingOrDamagedUserImagesFileIsHarmless)
{
    struct Case {
        const char* name;
        std::optional<std::string> bytes; // none: no file
        bool bLogged;
    };
    const Case cases[] = {
        {"missing", std::nullopt, false},
        {"empty", std::string(), true},
        {"text", std::string("not a bitmap at all\n"), true},
        {"header only", BmpHeader(48, 16, 48 * 16 * 3), true},
        {"huge", BmpHeader(1 << 20, 1 << 20, 0), true},
        {"too tall", BmpHeader(16, 200, 0) + std::string(16 * 200 * 3, '\x7f'), true},
        {"too narrow", BmpHeader(8, 16, 0) + std::string(32 * 16, '\x7f'), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(ImagePath());
        if (c.bytes) {
            std::ofstream out(ImagePath().toStdString(), std::ios::binary);
            out << *c.bytes;
        }
        // An earlier run gave "New" an image; it cannot be shown now.
        CProfile::WriteString(CToolbarModel::kProfileSection, L"ButtonImages", L"57600:0");
        Start();
        EXPECT_FALSE(Frame().GetToolbars().UserImages().IsValid());
        const QStringList lines = StatusLines();
        const bool bLogged = !lines.filter(QStringLiteral("UserImages.bmp cannot be used")).isEmpty();
        EXPECT_EQ(bLogged, c.bLogged) << lines.join(QLatin1Char('\n')).toStdString();
        EXPECT_FALSE(Frame().GetCommandAction(ID_FILE_NEW)->icon().isNull()) << "its own icon";
        EXPECT_TRUE(boxes.empty());
        CToolbarCustomizeDlg* dlg = OpenDialog();
        ASSERT_NE(dlg, nullptr);
        dlg->SelectToolbar("Standard");
        dlg->SelectButtonRow(0);
        EXPECT_FALSE(Child<QComboBox>(dlg, "ButtonImage")->isEnabled());
        Quit();
        // The image stays given, for a run that finds the file again.
        EXPECT_EQ(CProfile::GetString(CToolbarModel::kProfileSection, L"ButtonImages"), L"57600:0");
    }
}

}

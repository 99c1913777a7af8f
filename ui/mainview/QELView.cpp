#include "ui/mainview/QELView.h"

#include "controls/bitmap/WindowToBMP.h"
#include "controls/grid/GridCellNumeric.h"
#include "controls/grid/GridCtrl.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/settings/Settings.h"
#include "platform/win/MessageBox.h"
#include "ui/draw/DrawLoadModelCtrl.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

namespace {
int Round(double v)
{
    return static_cast<int>(std::lround(v));
}

// Places the sketch and the table side by side, 40 % of the view high: the sketch takes
// three quarters of the width between the plot gaps. With the instructions on they sit at
// the top gap; without, 40 % of the free height lies above them. The summary line follows
// below them.
class CMainViewLayout : public QLayout {
public:
    CMainViewLayout(QWidget* pParent, QWidget* pSketch, QWidget* pGrid, QWidget* pSummary, CGridCtrl* pGridCtrl)
        : QLayout(pParent), m_pGridCtrl(pGridCtrl)
    {
        for (QWidget* w : {pSketch, pGrid, pSummary})
            m_items.append(new QWidgetItem(w));
    }
    ~CMainViewLayout() override { qDeleteAll(m_items); }

    void addItem(QLayoutItem* pItem) override { m_items.append(pItem); }
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem* itemAt(int i) const override { return m_items.value(i); }
    QLayoutItem* takeAt(int i) override { return i >= 0 && i < m_items.size() ? m_items.takeAt(i) : nullptr; }
    QSize sizeHint() const override { return {640, 480}; }
    QSize minimumSize() const override { return {0, 0}; }

    void setGeometry(const QRect& r) override
    {
        QLayout::setGeometry(r);
        if (m_items.size() < 3)
            return;
        const CSettings& s = *g_pSettings;
        const auto& gap = s.Plot.Gap;
        const int H = r.height();
        const int h = Round(0.4 * H);
        const int avail = std::max(0, r.width() - gap.LEFT - gap.RIGHT - gap.BETWN);
        // Each column from its texts first: the table's width follows them, and the spare
        // width is shared on top of them.
        int wNeeded = 0;
        if (m_pGridCtrl && m_pGridCtrl->GetSafeHwnd() && m_pGridCtrl->GetRowCount() > 0) {
            m_pGridCtrl->AutoSizeColumns(0x3);
            wNeeded = static_cast<int>(m_pGridCtrl->GetVirtualWidth()) + 4; // and the sunken edge
        }
        // The table takes a quarter, more when its texts need it, yet never the sketch's half.
        const int wGrid = std::min(std::max(avail - Round(0.75 * avail), wNeeded), avail / 2);
        const int wDraw = avail - wGrid;
        const int top = s.General.SHOWINSTRUCTIONS ? gap.TOP : Round(0.4 * (H - h));
        // A summary longer than the view wraps onto a second line.
        const int hSummary =
            m_items[2]->hasHeightForWidth() ? m_items[2]->heightForWidth(avail) : m_items[2]->sizeHint().height();
        // In a short view the sketch gives up height so the summary ends above the
        // instructions; a sliver of sketch is kept rather than none.
        int hDraw = h;
        if (const auto* pView = qobject_cast<const CQELView*>(parentWidget())) {
            const QRect text = pView->InstructionsRect();
            if (!text.isEmpty())
                hDraw = std::clamp(text.top() - r.top() - top - 2 * gap.BETWN - hSummary,
                                   std::min(h, CQELView::kMinSketchHeight), h);
        }
        m_items[0]->setGeometry(QRect(r.left() + gap.LEFT, r.top() + top, wDraw, hDraw));
        m_items[1]->setGeometry(QRect(r.left() + gap.LEFT + gap.BETWN + wDraw, r.top() + top, wGrid, hDraw));
        m_items[2]->setGeometry(QRect(r.left() + gap.LEFT, r.top() + top + hDraw + gap.BETWN, avail, hSummary));
        if (m_pGridCtrl)
            m_pGridCtrl->ExpandColumnsToFit();
    }

private:
    QList<QLayoutItem*> m_items;
    CGridCtrl* m_pGridCtrl;
};

QString Number(double v)
{
    return QLocale().toString(v, 'f', 2);
}
} // namespace

CQELView::CQELView(QWidget* pParent) : QWidget(pParent)
{
    m_sTitle = m_sAppName;
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    OnInitialUpdate();
}

CQELView::~CQELView()
{
    // The children's widgets go with this widget; the control objects are ours.
    delete m_pDrawCtrl;
    delete m_pGrid;
    ReleaseWindowBitmap();
    GlobalFree(m_hDIB);
}

void CQELView::OnInitialUpdate()
{
    if (!m_pDrawCtrl) {
        m_pDrawCtrl = new CDrawLoadModelCtrl;
        m_pDrawCtrl->m_bDrawEdge = false;
        // The view is a widget and a window object: its children hang from the widget.
        QWidget* pParent = this;
        if (m_pDrawCtrl->Create(L"DrawCtrl", L"", WS_VISIBLE | WS_CLIPCHILDREN | WS_CHILD, CRect(), pParent, 100))
            m_pDrawCtrl->Redraw();
        m_pDrawCtrl->m_bShowDescription = true;
        m_pDrawCtrl->m_bShowValues = true;
    }
    if (!m_pGrid) {
        m_pGrid = new CGridCtrl;
        m_pGrid->Create(CRect(), static_cast<QWidget*>(this), 100, WS_CHILD | WS_VISIBLE);
        m_pGrid->ModifyStyleEx(0, WS_EX_CLIENTEDGE);
        m_pGrid->m_crGridBkColour = g_pSettings->General.LoadModel.CLR_LM_BGRND;
        m_pGrid->m_bEditable = FALSE;
        m_pGrid->ResetSelectedRange();
        m_pGrid->m_bEnableSelection = FALSE;
        m_pGrid->ResetSelectedRange();
        m_pGrid->m_bAllowRowResize = FALSE;
        m_pGrid->m_bAllowColumnResize = FALSE;
        m_pGrid->m_bHighlightFocusHeadings = FALSE;
        m_pGrid->m_bFrameFocusCell = FALSE;
    }
    if (!m_pSummary) {
        m_pSummary = new QLabel(this);
        m_pSummary->setObjectName(QStringLiteral("ElementSummary"));
        m_pSummary->setTextFormat(Qt::PlainText);
        m_pSummary->setWordWrap(true);
        new CMainViewLayout(this, m_pDrawCtrl->GetSafeHwnd(), m_pGrid->GetSafeHwnd(), m_pSummary, m_pGrid);
    }
}

LRESULT CQELView::OnShowLoadModel(WPARAM, LPARAM lParam)
{
    const auto* pElement = reinterpret_cast<const CElement*>(lParam);
    ShowElement(pElement);
    return pElement && pElement->m_ElementType == ET_LOADMODEL ? 1 : 0;
}

void CQELView::ShowElement(const CElement* pElement)
{
    CallHandlerGuarded([&] {
        if (!pElement)
            return;
        m_pSummary->setText(QString::fromStdWString(ElementSummary(*pElement)));
        if (pElement->m_ElementType == ET_LOADMODEL)
            FillAxleGrid(std::make_shared<CLoadModel>(static_cast<const CLoadModel&>(*pElement)));
    });
}

void CQELView::FillAxleGrid(std::shared_ptr<CLoadModel> pLoadModel)
{
    if (!pLoadModel)
        return;
    // The sketch brings its model up to date while it paints; a copy of its own keeps
    // that off a model that the case (or an analysis running on it) holds.
    auto pModel = std::make_shared<CLoadModel>(*pLoadModel);
    pModel->Update();
    m_sTitle = m_sAppName + L" | " + pModel->GetDescription();
    m_pSummary->setText(QString::fromStdWString(ElementSummary(*pModel)));
    ShowSketch(pModel);
    FillGridRows(pModel);
    emit titleChanged(QString::fromStdWString(m_sTitle));
}

void CQELView::ShowSketch(const std::shared_ptr<CLoadModel>& pLoadModel)
{
    m_pDrawCtrl->SetLoadModel(pLoadModel);
    m_pDrawCtrl->m_crBackground = g_pSettings->General.LoadModel.CLR_LM_BGRND;
    m_pDrawCtrl->Redraw();
}

void CQELView::FillGridRows(const std::shared_ptr<CLoadModel>& pLoadModel)
{
    const std::vector<CLoadModel::PointLoad>& axles = pLoadModel->m_vPL;
    const int n = static_cast<int>(axles.size());
    CGridCtrl& grid = *m_pGrid;
    grid.SetRowCount(n + 2);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.ExpandColumnsToFit();

    auto centredText = [&](int row, int col, const std::wstring& text) {
        grid.SetItemText(row, col, text.c_str());
        grid.GetCell(row, col)->SetFormat(DT_CENTER);
    };
    for (int c = 0; c < 3; ++c)
        centredText(0, c, m_saHeadings.value(c).toStdWString());
    centredText(1, 0, L"Totals");
    for (int i = 0; i < n; ++i)
        centredText(i + 2, 0, std::to_wstring(i + 1));

    auto number = [&](int row, int col, double v) {
        grid.SetCellType(row, col, RUNTIME_CLASS(CGridCellNumeric));
        auto* pCell = dynamic_cast<CGridCellNumeric*>(grid.GetCell(row, col));
        pCell->SetFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        pCell->m_dwFlags = CGridCellNumeric::NUMERIC_REAL | CGridCellNumeric::NUMERIC_NEGATIVE;
        pCell->SetNumber(v);
    };
    double total = 0.0, prevX = 0.0;
    for (int i = 0; i < n; ++i) {
        const CLoadModel::PointLoad& axle = axles[static_cast<size_t>(i)];
        const double x = pLoadModel->m_Direction == TD_REVERSE ? -pLoadModel->m_Length - axle.location : axle.location;
        number(i + 2, 1, axle.magnitude);
        number(i + 2, 2, prevX - x);
        prevX = x;
        total += axle.magnitude;
    }
    number(1, 1, total);
    number(1, 2, n < 2 ? 0.0 : std::fabs(axles.back().location - axles.front().location));
    // The table's width follows its texts.
    if (QLayout* pLayout = layout()) {
        pLayout->invalidate();
        pLayout->setGeometry(rect());
    }
    grid.Refresh();
}

BOOL CQELView::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->SetMaxPage(1);
    return DoPreparePrinting(pInfo);
}

void CQELView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    CQELViewPrintBase::OnPrint(pDC, pInfo);
    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    const int nBodyTop = m_nHeaderGap + m_nHeaderLines * m_nLineHeight;
    MapPage(pDC, -nBodyTop);
    pInfo->m_rectDraw.SetRect(0, 0, m_nPageWidth - (m_nLeftMargin + m_nRightMargin) * m_nCharWidth,
                              m_nPageHeight - m_nHeaderLines * m_nLineHeight - nBodyTop);
    pDC->TextOut(pInfo->m_rectDraw.right / 2, pInfo->m_rectDraw.bottom / 2, std::wstring(L"Nothing here yet!"));
    pDC->SetWindowOrg(0, 0);
    pDC->SelectObject(pOldFont);
}

void CQELView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    ReleaseWindowBitmap();
    CQELViewPrintBase::OnEndPrinting(pDC, pInfo);
}

void CQELView::ReleaseWindowBitmap()
{
    if (m_pOldBitmap && m_pMemDC)
        m_pMemDC->SelectGdiObject(m_pOldBitmap);
    delete m_pMemDC;
    delete m_pBitmap;
    m_pMemDC = nullptr;
    m_pBitmap = nullptr;
    m_pOldBitmap = nullptr;
}

void CQELView::OnFilePrintPreview()
{
    m_hDIB = GlobalFree(m_hDIB);
    m_hDIB = CWindowToBMP::CaptureWindow(static_cast<QWidget*>(this));
    // The file lives in a folder of its own that goes with the preview.
    QTemporaryDir scratch;
    if (HGLOBAL hCopy = CWindowToBMP::CaptureWindow(static_cast<QWidget*>(this))) {
        const QString path = scratch.filePath(QStringLiteral("preview.bmp"));
        if (scratch.isValid() && CWindowToBMP::WriteDIB(path.toStdWString().c_str(), hCopy))
            m_sPreviewBitmap = path;
        GlobalFree(hCopy);
    }
    ReleaseWindowBitmap();
    m_pOldBitmap = PrintWindowBitmap(&m_pMemDC, &m_pBitmap);
    CView::OnFilePrintPreview();
    // Closed without a page drawn, the preview never reached OnEndPrinting.
    ReleaseWindowBitmap();
    m_hDIB = GlobalFree(m_hDIB);
    m_sPreviewBitmap.clear();
}

void CQELView::OnSettingsChanged()
{
    const auto& colours = g_pSettings->General.LoadModel;
    m_pGrid->m_crGridBkColour = colours.CLR_LM_BGRND;
    m_pDrawCtrl->m_crBackground = colours.CLR_LM_BGRND;
    m_pDrawCtrl->Redraw();
    m_pGrid->Invalidate();
    if (QLayout* pLayout = layout()) {
        pLayout->invalidate();
        pLayout->setGeometry(rect());
    }
    update();
}

std::wstring CQELView::GetSummary() const
{
    return m_pSummary ? m_pSummary->text().toStdWString() : std::wstring();
}

std::wstring CQELView::ElementSummary(const CElement& element)
{
    const QString head = QString::number(element.m_ID) + QStringLiteral(" - ") +
                         QString::fromStdWString(element.GetDescription()) + QStringLiteral(": ");
    QString body;
    switch (element.m_ElementType) {
    case ET_BRIDGE: {
        const auto& b = static_cast<const CBridge&>(element);
        double length = 0.0;
        for (double s : b.m_vSpans)
            length += s;
        body = QStringLiteral("Bridge, %1 span(s), span length %2 m, total length %3 m")
                   .arg(b.m_vSpans.size())
                   .arg(Number(b.m_SpanLength), Number(length));
        break;
    }
    case ET_BRIDGESET: {
        const auto& s = static_cast<const CBridgeSet&>(element);
        body = QStringLiteral("Bridge Set, %1 bridges, %2, span lengths %3 m to %4 m")
                   .arg(s.m_nBridge)
                   .arg(QString::fromStdWString(s.GetConfigName()), Number(s.m_StartL), Number(s.m_EndL));
        break;
    }
    case ET_LOADMODEL: {
        CLoadModel lm(static_cast<const CLoadModel&>(element)); // Update writes; the element is borrowed
        lm.Update();
        double weight = 0.0;
        for (const auto& pl : lm.m_vPL)
            weight += pl.magnitude;
        body = QStringLiteral("Load Model, %1 axle(s), total axle load %2 kN, length %3 m, %4 uniform and %5 "
                              "partial uniform load(s)")
                   .arg(lm.m_vPL.size())
                   .arg(Number(weight), Number(lm.m_Length))
                   .arg(lm.m_vUDL.size())
                   .arg(lm.m_vPUDL.size());
        break;
    }
    case ET_LOADMODELENSEMBLE: {
        const auto& e = static_cast<const CLoadModelEnsemble&>(element);
        body = QStringLiteral("Load Model Ensemble, %1 load model(s)").arg(e.m_vLoadModel.size());
        break;
    }
    case ET_REFCOLLECTION: {
        const auto& c = static_cast<const CReferenceCollection&>(element);
        body = QStringLiteral("Reference Collection, %1 bridge set(s), %2 ensemble(s), %3")
                   .arg(c.m_vBS.size())
                   .arg(c.m_vLME.size())
                   .arg(c.m_bIsCalculated ? QStringLiteral("calculated") : QStringLiteral("not calculated"));
        break;
    }
    default: break;
    }
    return (head + body).toStdWString();
}

const QStringList& CQELView::InstructionLines()
{
    static const QStringList lines = {
        QStringLiteral("Routine Useage Instructions:"),
        QStringLiteral("1. Open a file with the pre-computed reference values (Ctrl+O)"),
        QStringLiteral("2. Input the load model (vehicle) to be assessed (Ctrl+L)"),
        QStringLiteral("4. Analyze for ratios to pre-computed reference collection (F5)"),
        QStringLiteral("5. Set required output options (Alt+O) (usually none here)"),
        QStringLiteral("6. Display grid for copying/pasting to Pellomar spreadsheet (Alt+G)"),
        QString(),
        QStringLiteral("Establishing Reference Instructions:"),
        QStringLiteral("1. Create and load models (vehicle) to be used as a basis (Ctrl+L)"),
        QStringLiteral("2. Create any required load model ensembles (LMEs) (Ctrl+E)"),
        QStringLiteral("3. Create any required bridge sets (Ctrl+T)"),
        QStringLiteral("4. Create a reference collection with required LMEs and BridgeSets (Ctrl+R)"),
        QStringLiteral("5. Calculate the reference collection (F4)"),
        QStringLiteral("6. Save the file for future useage as a reference (Ctrl+S)"),
        QString(),
    };
    return lines;
}

void CQELView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawLogo(painter);
    if (g_pSettings->General.SHOWINSTRUCTIONS)
        DrawInstructions(painter);
}

int CQELView::InstructionStep() const
{
    const int h = QFontMetrics(font()).height();
    return h + Round(0.2 * h);
}

QRect CQELView::InstructionsRect() const
{
    if (!g_pSettings->General.SHOWINSTRUCTIONS)
        return {};
    QFont heading = font();
    heading.setBold(true);
    heading.setUnderline(true);
    const QFontMetrics body(font());
    const QFontMetrics bold(heading);
    const QStringList& lines = InstructionLines();
    int wText = 0;
    for (qsizetype i = 0; i < lines.size(); ++i)
        wText = std::max(wText, (IsInstructionHeading(i) ? bold : body).horizontalAdvance(lines[i]));
    // The closing empty line is the margin under the text.
    const int hText = static_cast<int>(lines.size() - 1) * InstructionStep();
    // A view too short for all of it keeps a sliver of sketch and the summary above the
    // text, and the last lines go past the bottom.
    const auto& gap = g_pSettings->Plot.Gap;
    const int avail = std::max(0, width() - gap.LEFT - gap.RIGHT - gap.BETWN);
    const int hSummary = m_pSummary ? m_pSummary->heightForWidth(avail) : 0;
    const int minTop =
        gap.TOP + std::min(Round(0.4 * height()), kMinSketchHeight) + 2 * gap.BETWN + std::max(hSummary, 0);
    return {gap.LEFT, std::max(height() - hText, minTop), wText, hText};
}

QRect CQELView::LogoRect() const
{
    const QSize size(120, 56);
    QRect r(width() - size.width(), height() - size.height(), size.width(), size.height());
    const QRect text = InstructionsRect();
    if (!text.isEmpty() && r.intersects(text)) {
        // A narrow view: the logo stands above the text, or is left out when that place is taken.
        r.moveBottom(text.top() - g_pSettings->Plot.Gap.BETWN);
        if (r.top() < 0)
            return {};
        for (const QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w->geometry().intersects(r))
                return {};
    }
    return r;
}

void CQELView::DrawInstructions(QPainter& painter)
{
    const QFont body = font();
    QFont heading = body;
    heading.setBold(true);
    heading.setUnderline(true);
    const int step = InstructionStep();
    const QRect text = InstructionsRect();
    const QStringList& lines = InstructionLines();
    painter.setPen(Qt::black);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int y = text.top() + static_cast<int>(i) * step;
        painter.setFont(IsInstructionHeading(i) ? heading : body);
        painter.drawText(QPoint(text.left(), y + QFontMetrics(painter.font()).ascent()), lines[i]); // top at y
    }
}

void CQELView::DrawLogo(QPainter& painter)
{
    // A two-span bridge over its piers, drawn rather than loaded.
    const QRect r = LogoRect();
    if (r.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(40, 70, 120), 3));
    const int deck = r.top() + 22;
    painter.drawLine(r.left() + 8, deck, r.right() - 8, deck);
    for (int px : {r.left() + 14, r.center().x(), r.right() - 14})
        painter.drawLine(px, deck, px, r.bottom() - 10);
    painter.setPen(QPen(QColor(200, 40, 40), 2));
    painter.setBrush(QColor(200, 40, 40));
    for (int ax : {r.center().x() - 22, r.center().x() - 8, r.center().x() + 16}) {
        painter.drawLine(ax, r.top() + 4, ax, deck - 5);
        painter.drawPolygon(QPolygon({QPoint(ax - 4, deck - 8), QPoint(ax + 4, deck - 8), QPoint(ax, deck - 3)}));
    }
    painter.restore();
}

void CQELView::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    const std::pair<const char*, int> commands[] = {
        {"Cu&t\tCtrl+X", 57635}, {"&Copy\tCtrl+C", 57634}, {"&Paste\tCtrl+V", 57637}};
    for (const auto& [text, id] : commands) {
        QAction* pAction = menu.addAction(QString::fromLatin1(text));
        const int nID = id;
        connect(pAction, &QAction::triggered, this, [this, nID] { emit popupCommand(nID); });
    }
    menu.exec(e->globalPos());
}

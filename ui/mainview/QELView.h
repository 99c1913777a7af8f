#pragma once
// The case's main view: for the load model last selected in the element tree, its sketch
// (left) and its axle table (right); a one-line summary of the selected element below
// them; the usage instructions at the bottom left when the setting "Show Instructions" is
// on; the logo in the bottom-right corner. It prints through the print driver like the
// result views: one placeholder page under the common header and footer.
#include "core/elements/Element.h"
#include "core/loads/LoadModel.h"
#include "platform/base/Messages.h"
#include "platform/win/GlobalMem.h"
#include "platform/win/WinDef.h"
#include "ui/views/QELViewPrintBase.h"

#include <QRect>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <string>

class CDrawLoadModelCtrl;
class CGridCtrl;
class QLabel;

class CQELView : public QWidget, public CQELViewPrintBase {
    Q_OBJECT

public:
    explicit CQELView(QWidget* pParent = nullptr);
    ~CQELView() override;

    // Makes the sketch and the table (once).
    void OnInitialUpdate() override;

    // The widget paints itself (paintEvent); the printed page is OnPrint's.
    void OnDraw(CDC*) override {}
    // One page.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    // Header and footer, then "Nothing here yet!" in the middle of the body.
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    // Lets go of the window picture of the preview, then the print font.
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    // Print Preview: the view's window is captured (kept in m_hDIB, and written as a bitmap
    // file beside the preview while it is open) and copied into a memory bitmap
    // (PrintWindowBitmap) before the preview opens; all of it goes when the preview closes.
    void OnFilePrintPreview() override;
    // The bitmap file of the open preview, empty while none is open.
    const QString& GetPreviewBitmapPath() const { return m_sPreviewBitmap; }

    // WM_ELEMENTSELECTED: 1 when a load model was shown, else 0. Every element updates
    // the summary line; only a load model changes the sketch and the table.
    LRESULT OnShowLoadModel(WPARAM wParam, LPARAM lParam);
    void ShowElement(const CElement* pElement);

    // Shows the load model in the sketch and the table; the view keeps its own copy.
    void FillAxleGrid(std::shared_ptr<CLoadModel> pLoadModel);

    // The settings changed (instructions, colours, gaps): lays the view out and paints it anew.
    void OnSettingsChanged();

    // "Tolmerin | " and the model's description once a model is shown.
    const std::wstring& GetTitle() const { return m_sTitle; }
    std::wstring GetSummary() const;
    // The instruction lines in order (the empty ones included).
    static const QStringList& InstructionLines();
    static std::wstring ElementSummary(const CElement& element);
    // Where the instructions are drawn (empty when they are off) and where the logo is
    // (empty when a narrow view leaves it no room clear of the text and the sketch).
    QRect InstructionsRect() const;
    // The least height the sketch keeps in a short view.
    static constexpr int kMinSketchHeight = 40;
    QRect LogoRect() const;

    CDrawLoadModelCtrl* m_pDrawCtrl = nullptr;
    CGridCtrl* m_pGrid = nullptr;
    std::wstring m_sAppName = L"Tolmerin";
    QStringList m_saHeadings = {QStringLiteral("Axle"), QStringLiteral("Weight"), QStringLiteral("Spacing")};
    HGLOBAL m_hDIB = nullptr;

signals:
    // The title changed (the child frame shows it).
    void titleChanged(const QString& sTitle);
    // A command of the view's pop-up menu (57635 cut, 57634 copy, 57637 paste); the view
    // has no handlers of its own for them.
    void popupCommand(int nID);

protected:
    QWidget* GetPrintDialogParent() const override { return const_cast<CQELView*>(this); }
    void paintEvent(QPaintEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void ShowSketch(const std::shared_ptr<CLoadModel>& pLoadModel);
    void FillGridRows(const std::shared_ptr<CLoadModel>& pLoadModel);
    void DrawInstructions(QPainter& painter);
    void DrawLogo(QPainter& painter);
    int InstructionStep() const;
    static bool IsInstructionHeading(qsizetype i) { return i == 0 || i == 7; }

    void ReleaseWindowBitmap();

    QLabel* m_pSummary = nullptr;
    QString m_sPreviewBitmap;
};

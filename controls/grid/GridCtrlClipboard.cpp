// Cut, copy and paste of cells as plain text, and the drop-target side of drag and drop.
#include "controls/grid/GridCtrl.h"
#include "controls/grid/InPlaceEdit.h"
#include "controls/grid/NumericLocale.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QString>
#include <algorithm>

namespace {
constexpr DWORD MK_CONTROL_STATE = 0x08;

std::wstring Trimmed(const std::wstring& s)
{
    const auto first = s.find_first_not_of(L" \t\r\n\v\f");
    if (first == std::wstring::npos)
        return {};
    const auto last = s.find_last_not_of(L" \t\r\n\v\f");
    return s.substr(first, last - first + 1);
}

bool ClipboardHasText()
{
    const QMimeData* pData = QApplication::clipboard()->mimeData();
    return pData && pData->hasText();
}
} // namespace

bool CGridCtrl::CopyTextFromGrid(std::string& text)
{
    text.clear();
    const CCellRange selection = GetSelectedCellRange();
    if (!IsValid(selection))
        return false;
    bool firstRow = true;
    for (int row = selection.GetMinRow(); row <= selection.GetMaxRow(); ++row) {
        if (GetRowHeight(row) <= 0)
            continue;
        std::wstring line = firstRow ? L"" : L"\r\n";
        firstRow = false;
        bool first = true;
        for (int col = selection.GetMinCol(); col <= selection.GetMaxCol(); ++col) {
            if (GetColumnWidth(col) <= 0)
                continue;
            if (!first)
                line += L'\t';
            first = false;
            const CGridCellBase* pCell = GetCell(row, col);
            if (pCell && pCell->IsSelected())
                line += pCell->GetExportText();
        }
        text += QString::fromStdWString(line).toLocal8Bit().toStdString();
    }
    text.push_back('\0');
    return true;
}

BOOL CGridCtrl::PasteTextToGrid(int nRow, int nCol, const std::wstring& rawText, BOOL bSelectInsertedCells)
{
    if (!IsValid(nRow, nCol) || !m_bEditable)
        return FALSE;
    if (const CGridCellBase* pCell = GetCell(nRow, nCol); pCell && pCell->IsReadOnly())
        return FALSE;
    // The text ends at its first NUL, as the clipboard's would.
    const std::wstring text = rawText.substr(0, rawText.find(L'\0'));

    // Fields are split at tabs when the text has any, as a spreadsheet's copy has; a comma is
    // then part of the field ("1,234.50"). Without tabs they are split at commas, except in a
    // line that is one number written the user's way (a single copied cell).
    const bool bTabs = text.find(L'\t') != std::wstring::npos;
    int nMaxRow = -1;
    int nMaxCol = -1;
    int nRowVis = nRow;
    std::size_t lineStart = 0;
    for (;;) {
        const std::size_t lineEnd = text.find(L'\n', lineStart);
        const std::wstring line =
            text.substr(lineStart, lineEnd == std::wstring::npos ? std::wstring::npos : lineEnd - lineStart);
        while (nRowVis < m_nRows && GetRowHeight(nRowVis) == 0)
            ++nRowVis;
        if (!line.empty()) {
            const wchar_t* const separators =
                bTabs || numloc::IsLocaleNumber(QString::fromStdWString(line)) ? L"\t" : L"\t,";
            int nColVis = nCol;
            std::size_t fieldStart = 0;
            for (;;) {
                const std::size_t fieldEnd = line.find_first_of(separators, fieldStart);
                const std::wstring field = line.substr(
                    fieldStart, fieldEnd == std::wstring::npos ? std::wstring::npos : fieldEnd - fieldStart);
                while (nColVis < m_nCols && GetColumnWidth(nColVis) == 0)
                    ++nColVis;
                if (!IsValid(nRowVis, nColVis)) {
                    if (m_bPasteAddsRows && nRowVis == m_nRows && nColVis < m_nCols)
                        SetRowCount(m_nRows + 1);
                    if (m_bPasteAddsColumns && nColVis == m_nCols && nRowVis < m_nRows)
                        SetColumnCount(m_nCols + 1);
                }
                if (IsValid(nRowVis, nColVis)) {
                    SetItemTextWithNotify(nRowVis, nColVis, Trimmed(field).c_str());
                    SetItemState(nRowVis, nColVis, GetItemState(nRowVis, nColVis) & ~GCS_SELECTED);
                    nMaxRow = std::max(nMaxRow, nRowVis);
                    nMaxCol = std::max(nMaxCol, nColVis);
                }
                ++nColVis;
                if (fieldEnd == std::wstring::npos)
                    break;
                fieldStart = fieldEnd + 1;
            }
        }
        ++nRowVis;
        if (lineEnd == std::wstring::npos)
            break;
        lineStart = lineEnd + 1;
    }

    if (bSelectInsertedCells) {
        SetSelectedRange(nRow, nCol, nMaxRow, nMaxCol, TRUE, TRUE);
    } else {
        ResetSelectedRange();
        Refresh();
    }
    return TRUE;
}

void CGridCtrl::CutSelectedText()
{
    if (!m_bEditable)
        return;
    const CCellMap selected = m_SelectedCellMap;
    for (const auto& entry : selected)
        SetItemTextWithNotify(entry.second.row, entry.second.col, L"");
}

void CGridCtrl::SetItemTextWithNotify(int nRow, int nCol, LPCTSTR str)
{
    if (!m_bEditable)
        return;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell || pCell->IsReadOnly())
        return;
    if (SendMessageToParent(nRow, nCol, static_cast<int>(LVN_BEGINLABELEDITW)) < 0)
        return;
    const std::wstring strOld = pCell->GetText();
    if (strOld == str)
        return;
    const std::unique_ptr<CGridCellBase> saved = pCell->SaveContent();
    pCell->SetText(str);
    if (ValidateEdit(nRow, nCol, str) && SendMessageToParent(nRow, nCol, static_cast<int>(LVN_ENDLABELEDITW)) >= 0) {
        SetModified(nRow, nCol);
        RedrawCell(nRow, nCol);
    } else {
        RestoreContent(nRow, nCol, saved.get(), strOld);
    }
}

void CGridCtrl::OnEditCopy()
{
    std::string text;
    if (!CopyTextFromGrid(text))
        return;
    text.pop_back(); // the clipboard adds its own end
    QApplication::clipboard()->setText(QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
}

void CGridCtrl::OnEditCut()
{
    if (!m_bEditable)
        return;
    std::string text;
    if (!CopyTextFromGrid(text))
        return;
    text.pop_back();
    QApplication::clipboard()->setText(QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
    CutSelectedText();
}

void CGridCtrl::OnEditPaste()
{
    if (!m_bEditable)
        return;
    const CCellRange selection = GetSelectedCellRange();
    CCellID cell = IsValid(selection) ? selection.GetTopLeft() : m_idCurrentCell;
    if (!IsValid(cell))
        cell = GetTopLeftNonFixedCell();
    if (!IsValid(cell))
        return;
    if (CGridCellBase* pCell = GetCell(cell.row, cell.col); pCell && pCell->IsEditing()) {
        if (auto* pEdit = dynamic_cast<QLineEdit*>(pCell->GetEditWnd())) {
            pEdit->paste();
            return;
        }
    }
    if (!ClipboardHasText())
        return;
    PasteTextToGrid(cell.row, cell.col, QApplication::clipboard()->text().toStdWString(), TRUE);
}

BOOL CGridCtrl::CanEditCopy() const
{
    return GetSelectedCount() > 0;
}

BOOL CGridCtrl::CanEditCut() const
{
    return m_bEditable && GetSelectedCount() > 0;
}

BOOL CGridCtrl::CanEditPaste() const
{
    if (!IsValid(m_idCurrentCell) || !m_bEditable)
        return FALSE;
    const CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
    if (pCell && pCell->IsReadOnly())
        return FALSE;
    return ClipboardHasText();
}

// --- Drag and drop --------------------------------------------------------------------------------

void CGridCtrl::OnBeginDrag()
{
    if (!m_bAllowDragAndDrop || !GetSafeHwnd())
        return;
    std::string text;
    if (!CopyTextFromGrid(text))
        return;
    text.pop_back();
    const CCellRange selection = GetSelectedCellRange();
    SendMessageToParent(selection.GetMinRow(), selection.GetMinCol(), static_cast<int>(LVN_BEGINDRAG));
    m_MouseMode = MouseDragging;
    auto* pDrag = new QDrag(GetClientWidget());
    auto* pData = new QMimeData;
    pData->setText(QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
    pDrag->setMimeData(pData);
    // The drag takes the mouse, and the release that ends it never reaches the grid.
    if (GetCapture() == this)
        ReleaseCapture();
    pDrag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    m_MouseMode = MouseIdle;
}

int CGridCtrl::OnDragEnter(const QMimeData* pDataObject, DWORD, CPoint point)
{
    const CCellID cell = GetCellFromPt(point, FALSE);
    m_LastDragOverCell = cell;
    if (!m_bAllowDragAndDrop || !pDataObject || !pDataObject->hasText())
        return DROPEFFECT_NONE;
    return DROPEFFECT_MOVE;
}

int CGridCtrl::OnDragOver(const QMimeData*, DWORD dwKeyState, CPoint point)
{
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell) || cell.row < m_nFixedRows || cell.col < m_nFixedCols) {
        OnDragLeave();
        m_LastDragOverCell = CCellID(-1, -1);
        return DROPEFFECT_NONE;
    }
    if (cell != m_LastDragOverCell) {
        if (IsValid(m_LastDragOverCell)) {
            SetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col,
                         GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col) & ~GCS_DROPHILITED);
            RedrawCell(m_LastDragOverCell);
        }
        m_LastDragOverCell = cell;
    }
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_DROPHILITED);
    RedrawCell(cell);
    return (dwKeyState & MK_CONTROL_STATE) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::OnDragLeave()
{
    if (IsValid(m_LastDragOverCell)) {
        SetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col,
                     GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col) & ~GCS_DROPHILITED);
        RedrawCell(m_LastDragOverCell);
    }
}

BOOL CGridCtrl::OnDrop(const QMimeData* pDataObject, int, CPoint point)
{
    m_MouseMode = MouseIdle;
    // Refused or not, the drag is over: its highlight must not stay behind.
    OnDragLeave();
    if (!m_bAllowDragAndDrop || !pDataObject || !pDataObject->hasText())
        return FALSE;
    const CCellID cell = GetCellFromPt(point, FALSE);
    if (!IsValid(cell))
        return FALSE;
    // With drops allowed, the dropped text is pasted where it lands.
    return PasteTextToGrid(cell.row, cell.col, pDataObject->text().toStdWString(), TRUE);
}

#pragma once
// A modal sheet of pages, listed by caption on the left and shown one at a time on the
// right. Every change of page runs the shown page's OnKillActive first (a page that
// refuses stays shown) and then the new page's OnSetActive; OK does the same for the
// shown page before it tells the pages, so a value typed just before OK counts.
#include "platform/win/WinDef.h"

#include <QDialog>
#include <vector>

class CPropertyPage;
class QListWidget;
class QStackedWidget;

class CPropertySheet : public QDialog {
    Q_OBJECT

public:
    explicit CPropertySheet(const QString& sCaption, QWidget* pParent = nullptr);

    // Pages are shown in the order they were added; the sheet does not own them.
    void AddPage(CPropertyPage* pPage);
    // Width of the page list in pixels.
    void SetListWidth(int nWidth);

    // IDOK or IDCANCEL.
    int DoModal();
    // Shows the sheet with its first page without waiting (tests, screenshots).
    void Open();

    int GetPageCount() const { return static_cast<int>(m_vPages.size()); }
    CPropertyPage* GetPage(int nPage) const { return m_vPages.at(static_cast<std::size_t>(nPage)); }
    int GetActiveIndex() const { return m_nActive; }
    CPropertyPage* GetActivePage() const { return m_nActive >= 0 ? GetPage(m_nActive) : nullptr; }
    // Leaves the shown page and shows page nPage; FALSE when the shown page refused.
    BOOL SetActivePage(int nPage);
    QListWidget* PageList() const { return m_pList; }

    void accept() override;
    void reject() override;

private:
    void Start();
    void OnListRowChanged(int nRow);

    std::vector<CPropertyPage*> m_vPages;
    QListWidget* m_pList;
    QStackedWidget* m_pStack;
    int m_nActive = -1;
    bool m_bSwitching = false;
};

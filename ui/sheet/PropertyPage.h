#pragma once
// One page of a property sheet. The sheet makes the page's controls the first time the
// page is shown (OnInitDialog), tells it when it becomes the shown page (OnSetActive) and
// when it is about to stop being it (OnKillActive: FALSE keeps it shown), and on OK or
// Cancel tells every page whose controls exist.
#include "platform/win/WinDef.h"

#include <QString>
#include <QWidget>

class CPropertySheet;

class CPropertyPage : public QWidget {
    Q_OBJECT

public:
    CPropertyPage(int nIDTemplate, const QString& sCaption, QWidget* pParent = nullptr);

    int GetTemplateId() const { return m_nIDTemplate; }
    const QString& GetCaption() const { return m_sCaption; }
    bool IsInitialised() const { return m_bInitialised; }
    // Runs OnInitDialog the first time; its result (the result of that first run later).
    BOOL Initialise();

    virtual BOOL OnSetActive() { return TRUE; }
    virtual BOOL OnKillActive() { return TRUE; }
    virtual void OnOK() {}
    virtual void OnCancel() {}

protected:
    virtual BOOL OnInitDialog() { return TRUE; }

private:
    int m_nIDTemplate;
    QString m_sCaption;
    bool m_bInitialised = false;
    BOOL m_bInitResult = FALSE;
};

#pragma once
// Helpers of the dialog and main-view tests: a small case to fill dialogs from, the boxes
// a dialog shows, and driving a dialog's widgets as a user would.
#include "Screenshot.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "platform/win/MessageBox.h"
#include "ui/dialogs/DialogBase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace uitest {

// Records every message box instead of showing it; each is answered OK.
class BoxRecorder {
public:
    BoxRecorder()
    {
        m_previous = SetMessageBoxAnswerer([this](const std::wstring& text, const std::wstring& caption, UINT type) {
            texts.push_back(text);
            captions.push_back(caption);
            types.push_back(type);
            return IDOK;
        });
    }
    ~BoxRecorder() { SetMessageBoxAnswerer(m_previous); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    std::vector<std::wstring> texts;
    std::vector<std::wstring> captions;
    std::vector<UINT> types;

private:
    MessageBoxAnswerer m_previous;
};

template <class T = QWidget>
T* Ctrl(const QWidget& dlg, int nID)
{
    T* p = dlg.findChild<T*>(QString::number(nID));
    EXPECT_NE(p, nullptr) << "control " << nID;
    return p;
}

// Replaces a field's text by typing, as a user does (select all, then type). A missing
// field has already failed the test through Ctrl.
inline void Type(QLineEdit* pEdit, const QString& text)
{
    if (!pEdit)
        return;
    pEdit->setFocus();
    pEdit->selectAll();
    QTest::keyClick(pEdit, Qt::Key_Delete);
    QTest::keyClicks(pEdit, text);
}

inline void Click(QAbstractButton* pButton)
{
    QTest::mouseClick(pButton, Qt::LeftButton);
}

inline void ClickRow(QListWidget* pList, int nRow)
{
    const QRect r = pList->visualItemRect(pList->item(nRow));
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, r.center());
}

inline void PressOk(CQELDialog& dlg)
{
    Click(dlg.GetOkButton());
}

inline void PressCancel(CQELDialog& dlg)
{
    Click(dlg.findChild<QPushButton*>(QString::number(IDCANCEL)));
}

inline QStringList Rows(const QListWidget* pList)
{
    QStringList rows;
    for (int i = 0; i < pList->count(); ++i)
        rows << pList->item(i)->text();
    return rows;
}

inline std::shared_ptr<CLoadModel> MakeVehicle(int id, const std::wstring& description,
                                               const std::vector<std::pair<double, double>>& axles)
{
    auto p = std::make_shared<CLoadModel>(id, description);
    for (const auto& [magnitude, location] : axles)
        p->AddPointLoad(magnitude, location, 0.0);
    p->Update();
    return p;
}

// A small case: three bridges, two bridge sets, two load models, two ensembles.
struct SmallCase {
    SmallCase()
    {
        bridges = {CBridge::Create(1, L"Ten", BC_ONESPAN, 10.0), CBridge::Create(2, L"Twenty", BC_TWOSPAN, 20.0),
                   CBridge::Create(5, L"Thirty", BC_THREESPAN, 30.0)};
        bridgeSets = {std::make_shared<CBridgeSet>(3, L"Short", 3, BC_ONESPAN, 10.0, 20.0),
                      std::make_shared<CBridgeSet>(4, L"Long", BC_TWOSPAN, 20.0, 40.0, 10.0)};
        loadModels = {MakeVehicle(7, L"Truck", {{100.0, 0.0}, {100.0, -4.0}}), MakeVehicle(9, L"Car", {{20.0, 0.0}})};
        auto lme1 = std::make_shared<CLoadModelEnsemble>(11, L"Trucks");
        lme1->AddLoadModel(loadModels[0]);
        auto lme2 = std::make_shared<CLoadModelEnsemble>(12, L"All");
        lme2->AddLoadModel(loadModels[0]);
        lme2->AddLoadModel(loadModels[1]);
        ensembles = {lme1, lme2};
    }
    std::vector<std::shared_ptr<CBridge>> bridges;
    std::vector<std::shared_ptr<CBridgeSet>> bridgeSets;
    std::vector<std::shared_ptr<CLoadModel>> loadModels;
    std::vector<std::shared_ptr<CLoadModelEnsemble>> ensembles;
};

} // namespace uitest

#pragma once
// Answers the modal dialog that a command opens, as a user would: a timer waits for the
// dialog to come up inside the command's own event loop and then runs a script on it,
// which types into its fields and presses its buttons. A script that leaves the dialog
// open gets it cancelled, so a test fails instead of hanging.
#include "ui/UiTestUtil.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace qeltest {

class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QDialog&)> script) : m_Script(std::move(script))
    {
        m_Timer.setInterval(5);
        QObject::connect(&m_Timer, &QTimer::timeout, [this] { Poll(); });
        m_Timer.start();
    }

    // The dialog the script answered, none when no dialog came up.
    QDialog* Dialog() const { return m_pDialog; }
    bool Answered() const { return m_pDialog != nullptr; }

private:
    void Poll()
    {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dlg || m_pDialog)
            return;
        m_Timer.stop();
        m_pDialog = dlg;
        m_Script(*dlg);
        if (dlg->isVisible()) {
            ADD_FAILURE() << "the script left the dialog open";
            dlg->reject();
        }
    }

    std::function<void(QDialog&)> m_Script;
    QTimer m_Timer;
    QDialog* m_pDialog = nullptr;
};

inline void Press(QDialog& dlg, QDialogButtonBox::StandardButton which)
{
    auto* box = dlg.findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->button(which), nullptr);
    box->button(which)->click();
}

using uitest::Ctrl;
using uitest::Type;

}

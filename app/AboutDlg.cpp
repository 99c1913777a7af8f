#include "app/AboutDlg.h"
#include "ui/dialogs/TabOrder.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QVBoxLayout>
#include <cstdio>

#ifndef QEL_PRODUCT_VERSION
#define QEL_PRODUCT_VERSION ""
#endif

std::wstring FormatProductVersion(const std::string& sVersion)
{
    int n[4] = {0, 0, 0, 0};
    const int count = std::sscanf(sVersion.c_str(), "%d.%d.%d.%d", &n[0], &n[1], &n[2], &n[3]);
    if (count <= 0)
        return {};
    std::wstring s = L"QEL Version ";
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            s += L".";
        s += std::to_wstring(n[i]);
    }
    return s;
}

std::wstring CAboutDlg::DescriptionText()
{
    return std::wstring(L"QEL is a program for the assessment of vehicles on bridges.") +
           L"It uses the stiffness matrix method to evaluate load effects " +
           L"under loadings. It analyses moving loads at incremental " +
           L"positions. It compares these resulting load effects to " +
           L"those of a reference collection of benchmark loadings." + L"\r\n\r\n" +
           L"Developed for bridge engineers by the QEL team.";
}

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent), m_pDescription(new QPlainTextEdit(this)), m_pVersion(new QLabel(this))
{
    setObjectName(QStringLiteral("100"));
    setWindowTitle(QStringLiteral("About QEL"));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    QString text = QString::fromStdWString(DescriptionText());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_pDescription->setPlainText(text);
    m_pDescription->setReadOnly(true);
    m_pDescription->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pDescription->setMinimumSize(380, 140);

    m_pVersion->setText(QString::fromStdWString(FormatProductVersion(QEL_PRODUCT_VERSION)));
    m_pVersion->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* right = new QVBoxLayout;
    right->addWidget(m_pVersion);
    right->addWidget(m_pDescription, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);
    SetTabOrderByLayout(this);
    if (QWidget* first = FirstField(this))
        first->setFocus();
}

QString CAboutDlg::GetVersionText() const
{
    return m_pVersion->text();
}

QString CAboutDlg::GetDescription() const
{
    return m_pDescription->toPlainText();
}

#pragma once
#include <QDialog>
#include <string>

class QLabel;
class QPlainTextEdit;

// "QEL Version " and the numbers of a dotted version ("1.0.0.0"), up to four; empty when
// the text starts with no number.
std::wstring FormatProductVersion(const std::string& sVersion);

// "About QEL", dialog 100.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    static std::wstring DescriptionText();
    QString GetVersionText() const;
    QString GetDescription() const;

private:
    QPlainTextEdit* m_pDescription;
    QLabel* m_pVersion;
};

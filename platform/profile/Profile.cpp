#include "platform/profile/Profile.h"

#include <QSettings>
#include <QString>
#include <algorithm>
#include <filesystem>

#include "platform/base/CLocale.h"

namespace {

QString Key(const std::wstring& section, const std::wstring& entry)
{
    return QString::fromStdWString(section) + QLatin1Char('/') + QString::fromStdWString(entry);
}

QSettings& Store()
{
    // One object for the run: Qt writes it back when it is flushed or destroyed.
    static QSettings s(QStringLiteral("Orrinvale"), QStringLiteral("QEL"));
    return s;
}

const wchar_t* const kRecentSection = L"Recent File List";

}

int CProfile::GetInt(const std::wstring& section, const std::wstring& entry, int nDefault)
{
    bool ok = false;
    const int n = Store().value(Key(section, entry)).toInt(&ok);
    return ok ? n : nDefault;
}

void CProfile::WriteInt(const std::wstring& section, const std::wstring& entry, int nValue)
{
    Store().setValue(Key(section, entry), nValue);
}

std::wstring CProfile::GetString(const std::wstring& section, const std::wstring& entry, const std::wstring& sDefault)
{
    const QVariant v = Store().value(Key(section, entry));
    return v.isValid() ? v.toString().toStdWString() : sDefault;
}

void CProfile::WriteString(const std::wstring& section, const std::wstring& entry, const std::wstring& sValue)
{
    Store().setValue(Key(section, entry), QString::fromStdWString(sValue));
}

QByteArray CProfile::GetBinary(const std::wstring& section, const std::wstring& entry)
{
    return Store().value(Key(section, entry)).toByteArray();
}

void CProfile::WriteBinary(const std::wstring& section, const std::wstring& entry, const QByteArray& value)
{
    Store().setValue(Key(section, entry), value);
}

void CProfile::Flush()
{
    Store().sync();
}

void CProfile::Clear()
{
    Store().clear();
    Store().sync();
}

std::wstring CProfile::FileName()
{
    return Store().fileName().toStdWString();
}

// ---------------------------------------------------------------- recent files

void CRecentFileList::Add(const std::wstring& sPath)
{
    if (sPath.empty())
        return;
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(WideToPath(sPath), ec);
    const std::wstring sFull = ec ? sPath : PathToWide(full);
    m_vFiles.erase(std::remove(m_vFiles.begin(), m_vFiles.end(), sFull), m_vFiles.end());
    m_vFiles.insert(m_vFiles.begin(), sFull);
    if (static_cast<int>(m_vFiles.size()) > m_nSize)
        m_vFiles.resize(static_cast<size_t>(m_nSize));
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < static_cast<int>(m_vFiles.size()))
        m_vFiles.erase(m_vFiles.begin() + nIndex);
}

void CRecentFileList::ReadList()
{
    m_vFiles.clear();
    for (int i = 1; i <= m_nSize; ++i) {
        const std::wstring s = CProfile::GetString(kRecentSection, L"File" + std::to_wstring(i));
        if (!s.empty())
            m_vFiles.push_back(s);
    }
}

void CRecentFileList::WriteList() const
{
    for (int i = 1; i <= m_nSize; ++i) {
        const size_t k = static_cast<size_t>(i - 1);
        CProfile::WriteString(kRecentSection, L"File" + std::to_wstring(i), k < m_vFiles.size() ? m_vFiles[k] : L"");
    }
}

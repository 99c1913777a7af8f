#pragma once
// The program's profile: small values kept between runs under the maker's key
// (QSettings "Orrinvale"/"QEL"; on Linux a file under $XDG_CONFIG_HOME or ~/.config).
// User-interface thread only.
#include <QByteArray>
#include <string>
#include <vector>

class CProfile {
public:
    static int GetInt(const std::wstring& section, const std::wstring& entry, int nDefault);
    static void WriteInt(const std::wstring& section, const std::wstring& entry, int nValue);
    static std::wstring GetString(const std::wstring& section, const std::wstring& entry,
                                  const std::wstring& sDefault = {});
    static void WriteString(const std::wstring& section, const std::wstring& entry, const std::wstring& sValue);
    static QByteArray GetBinary(const std::wstring& section, const std::wstring& entry);
    static void WriteBinary(const std::wstring& section, const std::wstring& entry, const QByteArray& value);

    // Writes pending changes to the file.
    static void Flush();
    // Removes every value (tests start from an empty profile).
    static void Clear();
    // The file behind the profile.
    static std::wstring FileName();
};

// The most recently used files, newest first, at most nSize entries, kept in the
// profile section "Recent File List" as "File1", "File2", ...
class CRecentFileList {
public:
    explicit CRecentFileList(int nSize) : m_nSize(nSize) {}

    void Add(const std::wstring& sPath);
    void Remove(int nIndex);
    int GetSize() const { return m_nSize; }
    const std::vector<std::wstring>& GetFiles() const { return m_vFiles; }

    void ReadList();
    void WriteList() const;

private:
    int m_nSize;
    std::vector<std::wstring> m_vFiles;
};

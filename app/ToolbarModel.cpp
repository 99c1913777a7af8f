#include "app/ToolbarModel.h"

#include <algorithm>
#include <cwctype>
#include <set>

#include "app/AppIds.h"
#include "app/CommandTable.h"
#include "platform/profile/Profile.h"

namespace {

struct StandardToolbar {
    const char* key;
    const wchar_t* name;
};
constexpr StandardToolbar kStandardToolbars[] = {{"Standard", L"Standard"}, {"Insert", L"Insert"}};

constexpr int kMaxImageIndex = 9999;

// "Save &As...\tCtrl+S" as a name: "Save As...".
std::wstring PlainText(const wchar_t* text)
{
    std::wstring s;
    for (const wchar_t* p = text ? text : L""; *p && *p != L'\t'; ++p) {
        if (*p == L'&') {
            if (p[1] != L'&')
                continue;
            ++p;
        }
        s += *p;
    }
    return s;
}

std::wstring TopMenu(const wchar_t* path)
{
    const std::wstring m = path;
    return m.substr(0, m.find(L'/'));
}

bool SameNameIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
           });
}

// No line breaks or other control characters in a caption, no blanks around it.
std::wstring CleanName(const std::wstring& sName)
{
    std::wstring s;
    for (wchar_t c : sName)
        if (c >= 0x20 && c != 0x7F)
            s += c;
    const auto first = s.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    return s.substr(first, s.find_last_not_of(L' ') - first + 1);
}

std::wstring NameEntry(int nSlot)
{
    return L"User" + std::to_wstring(nSlot + 1) + L"Name";
}

std::wstring ButtonsEntry(int nSlot)
{
    return L"User" + std::to_wstring(nSlot + 1) + L"Buttons";
}

const wchar_t* const kImagesEntry = L"ButtonImages";
const wchar_t* const kNoButtons = L"none";

// A whole decimal number within [lo, hi], or nothing: "12abc" and "" are not numbers.
bool ParseInt(const std::wstring& s, int lo, int hi, int& n)
{
    if (s.empty() || s.size() > 9 || !std::all_of(s.begin(), s.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return false;
    n = std::stoi(s);
    return n >= lo && n <= hi;
}

std::vector<std::wstring> Split(const std::wstring& s, wchar_t sep)
{
    std::vector<std::wstring> parts;
    for (std::size_t b = 0;;) {
        const std::size_t e = s.find(sep, b);
        parts.push_back(s.substr(b, e == std::wstring::npos ? std::wstring::npos : e - b));
        if (e == std::wstring::npos)
            return parts;
        b = e + 1;
    }
}

}

bool IsToolbarCommand(int nID)
{
    if (nID == 0 || (nID >= ID_FILE_MRU_FILE1 && nID < ID_FILE_MRU_FILE1 + kRecentFileCount))
        return false;
    const CCommand* c = FindCommand(nID);
    return c && c->menu;
}

std::wstring CommandDisplayName(int nID)
{
    const CCommand* c = FindCommand(nID);
    if (!c)
        return {};
    std::wstring name;
    const std::wstring path = c->menu ? c->menu : L"";
    for (std::size_t b = path.find(L'/'); b != std::wstring::npos;) {
        const std::size_t e = path.find(L'/', b + 1);
        name += PlainText(path.substr(b + 1, e == std::wstring::npos ? std::wstring::npos : e - b - 1).c_str());
        name += L" > ";
        b = e;
    }
    return name + PlainText(c->text);
}

std::vector<CCommandCategory> ScanMenuCategories()
{
    std::vector<CCommandCategory> categories;
    std::vector<std::wstring> menus;
    for (const wchar_t* m : GetMenuOrder())
        menus.push_back(m);
    for (const CCommand& c : GetCommandTable())
        if (c.menu && std::find(menus.begin(), menus.end(), TopMenu(c.menu)) == menus.end())
            menus.push_back(TopMenu(c.menu));

    CCommandCategory all{L"All Commands", {}};
    for (const std::wstring& menu : menus) {
        CCommandCategory category{PlainText(menu.c_str()), {}};
        for (const CCommand& c : GetCommandTable())
            if (IsToolbarCommand(c.nID) && TopMenu(c.menu) == menu) {
                category.vCommands.push_back(c.nID);
                all.vCommands.push_back(c.nID);
            }
        if (!category.vCommands.empty())
            categories.push_back(std::move(category));
    }
    std::stable_sort(all.vCommands.begin(), all.vCommands.end(),
                     [](int a, int b) { return CommandDisplayName(a) < CommandDisplayName(b); });
    categories.push_back(std::move(all));
    return categories;
}

std::wstring FormatButtonList(const std::vector<int>& vButtons)
{
    std::wstring s;
    for (int n : vButtons) {
        if (!s.empty())
            s += L',';
        s += std::to_wstring(n);
    }
    return s;
}

std::vector<int> ParseButtonList(const std::wstring& sText)
{
    std::vector<int> v;
    if (sText.empty())
        return v;
    std::set<int> seen;
    for (const std::wstring& part : Split(sText, L',')) {
        int n = 0;
        if (v.size() >= CToolbarModel::kMaxButtons || !ParseInt(part, 0, 0x7FFFFFFF, n))
            continue;
        if (n == 0 || (IsToolbarCommand(n) && seen.insert(n).second))
            v.push_back(n);
    }
    return v;
}

// ---------------------------------------------------------------- the model

CToolbarModel::CToolbarModel()
{
    for (const StandardToolbar& t : kStandardToolbars)
        m_vToolbars.push_back({t.key, t.name, -1, DefaultButtons(t.key)});
}

std::string CToolbarModel::UserKey(int nSlot)
{
    return "UserToolbar" + std::to_string(nSlot + 1);
}

std::vector<int> CToolbarModel::DefaultButtons(const std::string& key)
{
    std::vector<int> v;
    for (const CCommand& c : GetCommandTable())
        if (c.menu && c.toolbar && key == c.toolbar)
            v.push_back(c.nID);
    return v;
}

const CToolbarContent* CToolbarModel::Find(const std::string& key) const
{
    auto it =
        std::find_if(m_vToolbars.begin(), m_vToolbars.end(), [&](const CToolbarContent& t) { return t.key == key; });
    return it == m_vToolbars.end() ? nullptr : &*it;
}

CToolbarContent* CToolbarModel::FindMutable(const std::string& key)
{
    return const_cast<CToolbarContent*>(Find(key));
}

bool CToolbarModel::IsDefault(const std::string& key) const
{
    const CToolbarContent* t = Find(key);
    return t && !t->IsUser() && t->vButtons == DefaultButtons(key);
}

void CToolbarModel::Notify(Change change, const std::string& key) const
{
    if (m_Listener)
        m_Listener(change, key);
}

bool CToolbarModel::HasFreeSlot() const
{
    return std::count_if(m_vToolbars.begin(), m_vToolbars.end(), [](const CToolbarContent& t) { return t.IsUser(); }) <
           kUserSlots;
}

std::wstring CToolbarModel::NextUserName() const
{
    for (int n = 1;; ++n) {
        const std::wstring name = L"Custom " + std::to_wstring(n);
        if (CheckName(name).empty())
            return name;
    }
}

std::wstring CToolbarModel::CheckName(const std::wstring& sName, const std::string& except) const
{
    const std::wstring name = CleanName(sName);
    if (name.empty())
        return L"Enter a name for the toolbar.";
    if (name.size() > kMaxNameLength)
        return L"A toolbar name has at most " + std::to_wstring(kMaxNameLength) + L" characters.";
    for (const CToolbarContent& t : m_vToolbars)
        if (t.key != except && SameNameIgnoringCase(t.sName, name))
            return L"A toolbar named \"" + t.sName + L"\" already exists.";
    return {};
}

std::string CToolbarModel::NewUserToolbar(const std::wstring& sName, std::wstring& sError)
{
    sError = CheckName(sName);
    if (sError.empty() && !HasFreeSlot())
        sError = L"There are already " + std::to_wstring(kUserSlots) + L" user toolbars; delete one to make another.";
    if (!sError.empty())
        return {};
    int nSlot = 0;
    while (Find(UserKey(nSlot)))
        ++nSlot;
    CToolbarContent t{UserKey(nSlot), CleanName(sName), nSlot, {}};
    const auto at = std::find_if(m_vToolbars.begin(), m_vToolbars.end(),
                                 [&](const CToolbarContent& u) { return u.IsUser() && u.nSlot > nSlot; });
    m_vToolbars.insert(at, t);
    Notify(Change::Created, t.key);
    return t.key;
}

bool CToolbarModel::Rename(const std::string& key, const std::wstring& sName, std::wstring& sError)
{
    CToolbarContent* t = FindMutable(key);
    if (!t || !t->IsUser()) {
        sError = L"The standard toolbars keep their names.";
        return false;
    }
    sError = CheckName(sName, key);
    if (!sError.empty())
        return false;
    t->sName = CleanName(sName);
    Notify(Change::Renamed, key);
    return true;
}

bool CToolbarModel::Delete(const std::string& key)
{
    const CToolbarContent* t = Find(key);
    if (!t || !t->IsUser())
        return false;
    m_vToolbars.erase(m_vToolbars.begin() + (t - m_vToolbars.data()));
    Notify(Change::Deleted, key);
    return true;
}

bool CToolbarModel::InsertButton(const std::string& key, std::size_t nIndex, int nID)
{
    CToolbarContent* t = FindMutable(key);
    if (!t || (nID != 0 && !IsToolbarCommand(nID)))
        return false;
    std::vector<int>& v = t->vButtons;
    const auto existing = nID == 0 ? v.end() : std::find(v.begin(), v.end(), nID);
    if (existing != v.end()) {
        const std::size_t from = static_cast<std::size_t>(existing - v.begin());
        v.erase(existing);
        if (from < nIndex)
            --nIndex;
    } else if (v.size() >= kMaxButtons) {
        return false;
    }
    v.insert(v.begin() + static_cast<std::ptrdiff_t>(std::min(nIndex, v.size())), nID);
    Notify(Change::Buttons, key);
    return true;
}

bool CToolbarModel::RemoveButton(const std::string& key, std::size_t nIndex)
{
    CToolbarContent* t = FindMutable(key);
    if (!t || nIndex >= t->vButtons.size())
        return false;
    t->vButtons.erase(t->vButtons.begin() + static_cast<std::ptrdiff_t>(nIndex));
    Notify(Change::Buttons, key);
    return true;
}

bool CToolbarModel::MoveButton(const std::string& key, std::size_t nFrom, std::size_t nTo)
{
    CToolbarContent* t = FindMutable(key);
    if (!t || nFrom >= t->vButtons.size())
        return false;
    std::vector<int>& v = t->vButtons;
    const int nID = v[nFrom];
    v.erase(v.begin() + static_cast<std::ptrdiff_t>(nFrom));
    if (nFrom < nTo)
        --nTo;
    v.insert(v.begin() + static_cast<std::ptrdiff_t>(std::min(nTo, v.size())), nID);
    Notify(Change::Buttons, key);
    return true;
}

bool CToolbarModel::Reset(const std::string& key)
{
    CToolbarContent* t = FindMutable(key);
    if (!t || t->IsUser())
        return false;
    t->vButtons = DefaultButtons(key);
    Notify(Change::Buttons, key);
    return true;
}

void CToolbarModel::ResetAll()
{
    for (const StandardToolbar& s : kStandardToolbars)
        Reset(s.key);
    if (!m_ButtonImages.empty()) {
        m_ButtonImages.clear();
        Notify(Change::Images, {});
    }
}

int CToolbarModel::ButtonImage(int nID) const
{
    auto it = m_ButtonImages.find(nID);
    return it == m_ButtonImages.end() ? -1 : it->second;
}

void CToolbarModel::SetButtonImage(int nID, int nImage)
{
    if (!IsToolbarCommand(nID) || nImage > kMaxImageIndex || ButtonImage(nID) == std::max(nImage, -1))
        return;
    if (nImage < 0)
        m_ButtonImages.erase(nID);
    else
        m_ButtonImages[nID] = nImage;
    Notify(Change::Images, {});
}

void CToolbarModel::Save() const
{
    for (const StandardToolbar& s : kStandardToolbars) {
        const CToolbarContent* t = Find(s.key);
        const std::wstring entry(s.key, s.key + std::char_traits<char>::length(s.key));
        CProfile::WriteString(kProfileSection, entry,
                              IsDefault(s.key)      ? L""
                              : t->vButtons.empty() ? kNoButtons
                                                    : FormatButtonList(t->vButtons));
    }
    for (int nSlot = 0; nSlot < kUserSlots; ++nSlot) {
        const CToolbarContent* t = Find(UserKey(nSlot));
        CProfile::WriteString(kProfileSection, NameEntry(nSlot), t ? t->sName : L"");
        CProfile::WriteString(kProfileSection, ButtonsEntry(nSlot), t ? FormatButtonList(t->vButtons) : L"");
    }
    std::wstring images;
    for (const auto& [nID, nImage] : m_ButtonImages)
        images += (images.empty() ? L"" : L",") + std::to_wstring(nID) + L':' + std::to_wstring(nImage);
    CProfile::WriteString(kProfileSection, kImagesEntry, images);
}

void CToolbarModel::Load()
{
    for (const StandardToolbar& s : kStandardToolbars) {
        CToolbarContent* t = FindMutable(s.key);
        const std::wstring stored =
            CProfile::GetString(kProfileSection, std::wstring(s.key, s.key + std::char_traits<char>::length(s.key)));
        t->vButtons = DefaultButtons(s.key);
        if (stored == kNoButtons)
            t->vButtons.clear();
        else if (std::vector<int> v = ParseButtonList(stored); !v.empty())
            t->vButtons = std::move(v);
    }

    m_vToolbars.erase(
        std::remove_if(m_vToolbars.begin(), m_vToolbars.end(), [](const CToolbarContent& t) { return t.IsUser(); }),
        m_vToolbars.end());
    for (int nSlot = 0; nSlot < kUserSlots; ++nSlot) {
        std::wstring name = CleanName(CProfile::GetString(kProfileSection, NameEntry(nSlot)));
        if (name.empty())
            continue;
        if (name.size() > kMaxNameLength)
            name = CleanName(name.substr(0, kMaxNameLength));
        m_vToolbars.push_back(
            {UserKey(nSlot), name, nSlot, ParseButtonList(CProfile::GetString(kProfileSection, ButtonsEntry(nSlot)))});
    }

    m_ButtonImages.clear();
    for (const std::wstring& pair : Split(CProfile::GetString(kProfileSection, kImagesEntry), L',')) {
        const std::size_t colon = pair.find(L':');
        int nID = 0, nImage = 0;
        if (colon != std::wstring::npos && ParseInt(pair.substr(0, colon), 1, 0x7FFFFFFF, nID) &&
            ParseInt(pair.substr(colon + 1), 0, kMaxImageIndex, nImage) && IsToolbarCommand(nID))
            m_ButtonImages[nID] = nImage;
    }
}

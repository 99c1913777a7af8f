#pragma once
// What the toolbars hold, without a window: the two standard toolbars and up to ten user
// toolbars, each a list of command ids (0 for a separator), the images the user gave to
// commands, and the commands the customise dialog offers, scanned from the menus. The
// contents are kept in the profile, so that the user's toolbars come back at the next start.
#include <functional>
#include <map>
#include <string>
#include <vector>

// A menu's commands, as the customise dialog lists them.
struct CCommandCategory {
    std::wstring sName;         // the menu's text without its mnemonic ("File")
    std::vector<int> vCommands; // in menu order; "All Commands" in alphabetical order
};

// The commands that a toolbar may hold: every command of the menus but the recent files,
// whose texts change with the files.
bool IsToolbarCommand(int nID);
// The command's name in the dialog: its menu text without mnemonic and key, after the
// path of its sub-menu ("Bridges > 2-Span").
std::wstring CommandDisplayName(int nID);
// One category per top-level menu in menu-bar order, then "All Commands".
std::vector<CCommandCategory> ScanMenuCategories();

struct CToolbarContent {
    std::string key;           // object name: "Standard", "Insert", "UserToolbar1"...
    std::wstring sName;        // caption
    int nSlot = -1;            // 0..9 for a user toolbar, -1 for a standard one
    std::vector<int> vButtons; // command ids; 0 is a separator

    bool IsUser() const { return nSlot >= 0; }
};

class CToolbarModel {
public:
    static constexpr int kUserSlots = 10;
    static constexpr std::size_t kMaxButtons = 100;
    static constexpr std::size_t kMaxNameLength = 64;
    static constexpr const wchar_t* kProfileSection = L"Toolbars";

    enum class Change { Created, Buttons, Renamed, Deleted, Images };
    using Listener = std::function<void(Change, const std::string& key)>;

    // The standard toolbars with their buttons from the command table; no user toolbars.
    CToolbarModel();

    // Called after every change the model accepts (not while it loads).
    void SetListener(Listener listener) { m_Listener = std::move(listener); }

    // Standard toolbars first, then the user toolbars in slot order.
    const std::vector<CToolbarContent>& Toolbars() const { return m_vToolbars; }
    const CToolbarContent* Find(const std::string& key) const;
    static std::string UserKey(int nSlot);
    // The buttons a standard toolbar starts with; none for a user toolbar.
    static std::vector<int> DefaultButtons(const std::string& key);
    bool IsDefault(const std::string& key) const;

    // The name a new user toolbar is offered: "Custom 1", "Custom 2", ...
    std::wstring NextUserName() const;
    // Why a toolbar cannot take that name (empty, too long, taken by another toolbar), or
    // nothing. `except` is the toolbar being renamed.
    std::wstring CheckName(const std::wstring& sName, const std::string& except = {}) const;
    bool HasFreeSlot() const;

    // A new, empty user toolbar in the first free slot: its key, or empty with the reason.
    std::string NewUserToolbar(const std::wstring& sName, std::wstring& sError);
    bool Rename(const std::string& key, const std::wstring& sName, std::wstring& sError);
    // A user toolbar only: the standard ones can be hidden, not deleted.
    bool Delete(const std::string& key);

    // A command placed at nIndex (clamped to the list); a command the toolbar already holds
    // moves there, since a toolbar shows a command once. 0 places a separator.
    bool InsertButton(const std::string& key, std::size_t nIndex, int nID);
    bool RemoveButton(const std::string& key, std::size_t nIndex);
    // The button at nFrom goes to nTo, counted in the list as it is before the move.
    bool MoveButton(const std::string& key, std::size_t nFrom, std::size_t nTo);
    // A standard toolbar gets its original buttons back; false for a user toolbar.
    bool Reset(const std::string& key);
    // Every standard toolbar reset and every button image removed; user toolbars stay.
    void ResetAll();

    // The user image (an index into the images of "UserImages.bmp") a command's buttons
    // show, or -1 for its own.
    int ButtonImage(int nID) const;
    void SetButtonImage(int nID, int nImage);
    const std::map<int, int>& ButtonImages() const { return m_ButtonImages; }

    // The profile: section "Toolbars". A standard toolbar with its original buttons is
    // stored as an empty entry, so that a later program's changes to it reach the user.
    void Save() const;
    // What the profile holds, checked: unknown commands and doubled buttons are dropped,
    // names are trimmed and cut to their length; an unreadable entry leaves its toolbar
    // as it was.
    void Load();

private:
    CToolbarContent* FindMutable(const std::string& key);
    void Notify(Change change, const std::string& key) const;

    std::vector<CToolbarContent> m_vToolbars;
    std::map<int, int> m_ButtonImages;
    Listener m_Listener;
};

// "1,2,0,3" from a button list, and back; parsing keeps only what a toolbar may hold.
std::wstring FormatButtonList(const std::vector<int>& vButtons);
std::vector<int> ParseButtonList(const std::wstring& sText);

// The main window's owner-drawn menu: every item inside a popup shows its icon column, marks,
// embossed disabled state and right-aligned accelerator text; the menu bar stays the
// system's. One object per menu level; the top-level object owns the popup objects.
#pragma once

#include "ui/gdi.h"
#include "menu/menu_template.h"
#include "base/os_version.h"
#include "base/dpi_scale.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sb {

// The item data of every owner-drawn item. The icon's picture is loaded when the item is
// first drawn: most menus are never opened in a run.
struct IconMenuItem {
    std::u16string label; // as given, which the menu also holds for screen readers
    std::u16string text;  // as drawn: the label with its shortcut column aligned
    int imageIndex = -1;  // in `image`; -1 for none, or not loaded yet
    int bitmapId = -1;    // the icon's bitmap resource; -1 for none
    UINT flags = 0;       // MF_OWNERDRAW, MF_POPUP, MF_SEPARATOR, MF_BYPOSITION
    UINT_PTR id = 0;      // the command, or a popup's menu handle
    CImageList image;
};

class CIconMenu {
public:
    CIconMenu() = default;
    ~CIconMenu();
    CIconMenu(const CIconMenu&) = delete;
    CIconMenu& operator=(const CIconMenu&) = delete;

    // Builds the menu from the program's menu resource; false if it is missing, malformed or
    // cannot be made.
    bool LoadMenu(UINT resourceId);

    // Gives the item with `commandId` (anywhere in the tree) the icon of bitmap resource
    // `bitmapId` and, if `text` is not null, that text; false if no item has the command.
    bool SetItemIcon(const wchar_t* text, UINT commandId, int bitmapId);

    // Appends an owner-drawn item; id 0 makes a separator, MF_POPUP with a menu handle as
    // the id a popup (which gets a CIconMenu of its own). `bitmapId` -1 for no icon.
    bool AppendItem(const wchar_t* text, UINT flags, UINT_PTR id, int bitmapId);

    // WM_MEASUREITEM and WM_DRAWITEM for menus (CtlType ODT_MENU): true if the item is one of
    // this tree's, which is then measured or drawn (its icon loaded first, once).
    bool MeasureItem(MEASUREITEMSTRUCT& measure) const;
    bool DrawItem(const DRAWITEMSTRUCT& draw);

    // WM_MENUCHAR: the answer for `character` typed in `menu` (one of this tree's popups)
    // with the message's menu flags; 0 leaves the key to the system.
    LRESULT HandleMenuChar(UINT character, UINT flags, HMENU menu);

    // True for every popup handle that any CIconMenu made.
    static bool IsIconMenu(HMENU menu);

    // Brings the item list in line with the menu after items were added or removed by the
    // menu functions directly.
    void SyncItems();

    // Releases the popups, the items and, while still attached, the menu handle.
    void DestroyMenu();

    // The DPI the menu is measured and drawn at (the window's), for the whole tree. A change
    // aligns the shortcuts again, loads the pictures anew at their next drawing and has the
    // system measure every item again.
    void SetDpi(UINT dpi);
    UINT Dpi() const { return m_nDpi; }

    HMENU Handle() const { return m_hMenu; }
    // Hands the menu handle over (to a window, with SetMenu); the popups stay attached.
    HMENU Detach();

    // The platform the drawing adapts to, as the platform's version query reports it;
    // without a call, the NT family's current version is assumed.
    static void SetOsVersion(const OsVersionInfo& version);

private:
    const IconMenuItem* FindItem(ULONG_PTR data) const;
    IconMenuItem* FindItem(ULONG_PTR data) {
        return const_cast<IconMenuItem*>(std::as_const(*this).FindItem(data));
    }
    CIconMenu* FindMenu(HMENU menu);
    struct Found {
        CIconMenu* owner;
        IconMenuItem* item;
    };
    Found FindCommand(UINT commandId);
    bool AppendTemplate(const std::vector<MenuTemplateItem>& items);
    void AlignShortcuts();
    bool IsPopup() const { return !m_bOwnsHandle; }

    HMENU m_hMenu = nullptr;
    bool m_bOwnsHandle = true; // a popup's handle belongs to the menu it was appended to
    UINT m_nDpi = kBaseDpi;
    std::vector<std::unique_ptr<IconMenuItem>> m_items;
    std::vector<std::unique_ptr<CIconMenu>> m_subMenus;
};

} // namespace sb

#include "menu/icon_menu.h"

#include "menu/menu_draw.h"
#include "menu/menu_text.h"
#include "ui/dpi.h"
#include "ui/window.h"

#include <algorithm>
#include <iterator>
#include <span>

namespace sb {

namespace {

std::vector<HMENU>& PopupRegistry() {
    static std::vector<HMENU> registry;
    return registry;
}

bool& NewStyleShell() {
    static bool newStyle = HasNewStyleShell(OsVersionInfo{});
    return newStyle;
}

std::u16string FromWide(const wchar_t* text) {
    std::u16string result;
    for (; text != nullptr && *text != L'\0'; ++text) {
        result.push_back(static_cast<char16_t>(*text));
    }
    return result;
}

std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// The system's colour index of each SysColor, in its order.
constexpr int kSysColorIndex[] = {COLOR_MENU,          COLOR_MENUTEXT, COLOR_HIGHLIGHT,
                                  COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE,  COLOR_BTNSHADOW,
                                  COLOR_BTNHIGHLIGHT,  COLOR_3DLIGHT,  COLOR_GRAYTEXT};
static_assert(std::size(kSysColorIndex) == static_cast<std::size_t>(SysColor::GrayText) + 1);

COLORREF Color(SysColor color) {
    return ::GetSysColor(kSysColorIndex[static_cast<std::size_t>(color)]);
}

CBrush Brush(SysColor color) {
    return CBrush(::CreateSolidBrush(Color(color)));
}

// The system's menu font at the DPI; null if the system does not say, and the context keeps
// its own.
CFont MenuFont(UINT dpi) {
    NONCLIENTMETRICSW metrics;
    if (!NonClientMetrics(metrics, dpi)) {
        return CFont();
    }
    return CFont(::CreateFontIndirectW(&metrics.lfMenuFont));
}

int TextWidth(HDC dc, std::u16string_view text) {
    const std::wstring wide = ToWide(text);
    SIZE size{};
    if (!::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size)) {
        return 0;
    }
    return size.cx;
}

// The item's icon, a bitmap resource of the program. Only whether it is there is looked up
// now; the picture comes at the first drawing (LoadPicture).
void SetIcon(IconMenuItem& item, int bitmapId) {
    item.image.Reset();
    item.imageIndex = -1;
    const bool present =
        bitmapId >= 0 && ::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId),
                                         RT_BITMAP) != nullptr;
    item.bitmapId = present ? bitmapId : -1;
}

// The item's own image list with the bitmap drawn for the DPI as its one image. The light
// grey of the 16-colour bitmaps is mapped to the button face, which then masks.
void LoadPicture(IconMenuItem& item, UINT dpi) {
    if (item.bitmapId < 0 || item.image) {
        return;
    }
    const Size size = MenuIconSize(static_cast<int>(dpi));
    CImageList list(::ImageList_Create(size.cx, size.cy, ILC_COLORDDB | ILC_MASK, 1, 1));
    const int resource = PictureResourceId(item.bitmapId, PictureSize(static_cast<int>(dpi)));
    const CBitmap bitmap(
        static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                          IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
    if (!list || !bitmap ||
        ::ImageList_AddMasked(list.Get(), bitmap.Get(), ::GetSysColor(COLOR_BTNFACE)) < 0) {
        item.bitmapId = -1;
        return;
    }
    item.image = std::move(list);
    item.imageIndex = 0;
}

// Makes the item owner-drawn with `data` as its item data, and gives it its label, which the
// system does not draw but hands to whoever reads the menu, a screen reader for one. The
// item keeps its state. The system measures an item again once it is set.
bool SetOwnerDraw(HMENU menu, UINT item, bool byPosition, IconMenuItem& data) {
    const bool separator = (data.flags & MF_SEPARATOR) != 0;
    std::wstring label = ToWide(data.label);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA | (separator ? 0u : MIIM_STRING);
    info.fType = MFT_OWNERDRAW | (separator ? MFT_SEPARATOR : 0u);
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&data);
    info.dwTypeData = separator ? nullptr : label.data();
    return ::SetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info) != FALSE;
}

// The icon's shape embossed, as the step describes it.
void DrawEmbossed(HDC dc, const IconMenuItem& item, const EmbossedIconStep& step) {
    const int W = step.size.cx;
    const int H = step.size.cy;
    const CMemoryDC pictureDC(::CreateCompatibleDC(dc));
    const CBitmap picture(::CreateCompatibleBitmap(dc, W, H));
    const CMemoryDC maskDC(::CreateCompatibleDC(dc));
    const CBitmap mask(::CreateBitmap(W, H, 1, 1, nullptr));
    if (!pictureDC || !picture || !maskDC || !mask) {
        return;
    }
    const CSelectObject selectPicture(pictureDC.Get(), picture.Get());
    const CSelectObject selectMask(maskDC.Get(), mask.Get());

    RECT area{0, 0, W, H};
    const CBrush canvas = Brush(step.canvas);
    ::FillRect(pictureDC.Get(), &area, canvas.Get());
    ::ImageList_Draw(item.image.Get(), item.imageIndex, pictureDC.Get(), 0, 0, ILD_TRANSPARENT);

    // Copying colour to monochrome sets the bits of the background colour: gather the
    // transparent colours, then invert to keep the shape.
    DWORD rop = SRCCOPY;
    for (SysColor transparent : step.transparent) {
        ::SetBkColor(pictureDC.Get(), Color(transparent));
        ::BitBlt(maskDC.Get(), 0, 0, W, H, pictureDC.Get(), 0, 0, rop);
        rop = SRCPAINT;
    }
    ::PatBlt(maskDC.Get(), 0, 0, W, H, DSTINVERT);

    RECT target{step.at.x, step.at.y, step.at.x + W, step.at.y + H};
    const CBrush background = Brush(step.background);
    ::FillRect(dc, &target, background.Get());
    // Set mask bits come through as white, where the raster operation paints the brush.
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    constexpr DWORD kPaintBrushWhereSourceSet = 0x00E20746;
    const CBrush light = Brush(step.light);
    {
        const CSelectObject select(dc, light.Get());
        ::BitBlt(dc, step.lightAt.x, step.lightAt.y, W, H, maskDC.Get(), 0, 0,
                 kPaintBrushWhereSourceSet);
    }
    const CBrush shadow = Brush(step.shadow);
    const CSelectObject select(dc, shadow.Get());
    ::BitBlt(dc, step.at.x, step.at.y, W, H, maskDC.Get(), 0, 0, kPaintBrushWhereSourceSet);
}

class CStepPainter {
public:
    CStepPainter(HDC dc, const IconMenuItem& item) : m_hDC(dc), m_item(item) {}

    void operator()(const FillStep& step) const {
        const RECT r = ToRECT(step.rect);
        const CBrush brush = Brush(step.color);
        ::FillRect(m_hDC, &r, brush.Get());
    }
    void operator()(const FrameStep& step) const {
        const RECT r = ToRECT(step.rect);
        const CBrush brush = Brush(step.color);
        ::FrameRect(m_hDC, &r, brush.Get());
    }
    void operator()(const EtchedTopStep& step) const {
        RECT r = ToRECT(step.rect);
        ::DrawEdge(m_hDC, &r, EDGE_ETCHED, BF_TOP);
    }
    void operator()(const SunkenOuterStep& step) const {
        RECT r = ToRECT(step.rect);
        ::DrawEdge(m_hDC, &r, BDR_SUNKENOUTER, BF_RECT);
    }
    void operator()(const IconStep& step) const {
        ::ImageList_Draw(m_item.image.Get(), m_item.imageIndex, m_hDC, step.at.x, step.at.y,
                         ILD_TRANSPARENT);
    }
    void operator()(const EmbossedIconStep& step) const { DrawEmbossed(m_hDC, m_item, step); }
    void operator()(const CellsStep& step) const {
        const CBrush brush = Brush(step.color);
        for (const Rect& cell : step.cells) {
            const RECT r = ToRECT(cell);
            ::FillRect(m_hDC, &r, brush.Get());
        }
    }
    void operator()(const EllipseStep& step) const {
        const CPen pen(::CreatePen(PS_SOLID, 1, Color(step.color)));
        const CBrush brush = Brush(step.color);
        const CSelectObject selectPen(m_hDC, pen.Get());
        const CSelectObject selectBrush(m_hDC, brush.Get());
        ::Ellipse(m_hDC, step.rect.left, step.rect.top, step.rect.right, step.rect.bottom);
    }
    void operator()(const TextStep& step) const {
        RECT r = ToRECT(step.rect);
        const std::wstring text = ToWide(step.text);
        ::SetTextColor(m_hDC, Color(step.color));
        ::DrawTextW(m_hDC, text.c_str(), static_cast<int>(text.size()), &r,
                    DT_SINGLELINE | DT_VCENTER | (step.alignRight ? DT_RIGHT : DT_LEFT));
    }

private:
    HDC m_hDC;
    const IconMenuItem& m_item;
};

} // namespace

CIconMenu::~CIconMenu() {
    DestroyMenu();
}

void CIconMenu::SetOsVersion(const OsVersionInfo& version) {
    NewStyleShell() = HasNewStyleShell(version);
}

bool CIconMenu::IsIconMenu(HMENU menu) {
    const auto& registry = PopupRegistry();
    return menu != nullptr && std::find(registry.begin(), registry.end(), menu) != registry.end();
}

HMENU CIconMenu::Detach() {
    return std::exchange(m_hMenu, nullptr);
}

void CIconMenu::DestroyMenu() {
    // Each popup takes its own handle out of the registry.
    std::erase(PopupRegistry(), m_hMenu);
    m_subMenus.clear();
    m_items.clear();
    if (m_hMenu != nullptr && m_bOwnsHandle) {
        ::DestroyMenu(m_hMenu);
    }
    m_hMenu = nullptr;
}

bool CIconMenu::LoadMenu(UINT resourceId) {
    DestroyMenu();
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), RT_MENU);
    const HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return false;
    }
    const auto items = ParseMenuTemplate(std::span<const std::uint8_t>(
        static_cast<const std::uint8_t*>(data), ::SizeofResource(module, found)));
    if (!items) {
        return false;
    }
    m_hMenu = ::CreateMenu();
    if (m_hMenu == nullptr || !AppendTemplate(*items)) {
        DestroyMenu();
        return false;
    }

    // The menu bar is drawn by the system.
    for (std::size_t position = 0; position < m_items.size(); ++position) {
        const IconMenuItem& item = *m_items[position];
        const bool popup = (item.flags & MF_POPUP) != 0;
        const std::wstring text = ToWide(item.text);
        ::ModifyMenuW(m_hMenu, static_cast<UINT>(position),
                      MF_BYPOSITION | MF_STRING | (popup ? MF_POPUP : 0u), item.id, text.c_str());
    }
    return true;
}

bool CIconMenu::AppendTemplate(const std::vector<MenuTemplateItem>& items) {
    for (const MenuTemplateItem& entry : items) {
        const std::wstring text = ToWide(entry.text);
        if (!entry.IsPopup()) {
            if (!AppendItem(text.c_str(), entry.flags, entry.id, -1)) {
                return false;
            }
            continue;
        }
        const HMENU popup = ::CreatePopupMenu();
        if (popup == nullptr) {
            return false;
        }
        if (!AppendItem(text.c_str(), entry.flags, reinterpret_cast<UINT_PTR>(popup), -1)) {
            ::DestroyMenu(popup);
            return false;
        }
        if (!FindMenu(popup)->AppendTemplate(entry.items)) {
            return false;
        }
    }
    AlignShortcuts();
    return true;
}

void CIconMenu::AlignShortcuts() {
    const CScreenDC screen(::GetDC(nullptr));
    const CFont font = MenuFont(m_nDpi);
    const CSelectObject select(screen.Get(), font.Get());
    std::vector<std::u16string> texts;
    for (const auto& item : m_items) {
        texts.push_back(item->label);
    }
    texts = sb::AlignShortcuts(
        texts, [&](std::u16string_view text) { return TextWidth(screen.Get(), text); });
    for (std::size_t i = 0; i < texts.size(); ++i) {
        m_items[i]->text = std::move(texts[i]);
    }
}

bool CIconMenu::AppendItem(const wchar_t* text, UINT flags, UINT_PTR id, int bitmapId) {
    if (m_hMenu == nullptr) {
        return false;
    }
    flags = id == 0 ? MF_SEPARATOR | MF_OWNERDRAW | (flags & MF_BYPOSITION) : flags | MF_OWNERDRAW;

    auto item = std::make_unique<IconMenuItem>();
    item->label = FromWide(text);
    item->text = item->label;
    item->flags = flags;
    item->id = id;
    SetIcon(*item, bitmapId);

    const bool popup = (flags & MF_POPUP) != 0;
    const HMENU popupMenu = popup ? reinterpret_cast<HMENU>(id) : nullptr;
    if (!::AppendMenuW(m_hMenu, flags, id, reinterpret_cast<LPCWSTR>(item.get()))) {
        return false;
    }
    // Kept from here on, since the menu points to it.
    IconMenuItem& added = *m_items.emplace_back(std::move(item));
    const bool labelled =
        SetOwnerDraw(m_hMenu, static_cast<UINT>(::GetMenuItemCount(m_hMenu) - 1), true, added);
    if (popup && FindMenu(popupMenu) == nullptr) {
        auto sub = std::make_unique<CIconMenu>();
        sub->m_hMenu = popupMenu;
        sub->m_bOwnsHandle = false; // destroyed with this menu
        sub->m_nDpi = m_nDpi;
        m_subMenus.push_back(std::move(sub));
        PopupRegistry().push_back(popupMenu);
    }
    return labelled;
}

CIconMenu::Found CIconMenu::FindCommand(UINT commandId) {
    for (const auto& item : m_items) {
        if ((item->flags & MF_POPUP) != 0) {
            CIconMenu* sub = FindMenu(reinterpret_cast<HMENU>(item->id));
            if (sub != nullptr) {
                if (const Found found = sub->FindCommand(commandId); found.item != nullptr) {
                    return found;
                }
            }
        } else if ((item->flags & MF_SEPARATOR) == 0 && item->id == commandId) {
            return {this, item.get()};
        }
    }
    return {nullptr, nullptr};
}

bool CIconMenu::SetItemIcon(const wchar_t* text, UINT commandId, int bitmapId) {
    const Found found = FindCommand(commandId);
    if (found.item == nullptr) {
        return false;
    }
    IconMenuItem& item = *found.item;
    if (text != nullptr) {
        item.label = FromWide(text);
        item.text = item.label;
    }
    SetIcon(item, bitmapId);
    item.flags = MF_OWNERDRAW;
    item.id = commandId;
    return SetOwnerDraw(found.owner->m_hMenu, commandId, false, item);
}

void CIconMenu::SetDpi(UINT dpi) {
    m_nDpi = dpi;
    for (const auto& item : m_items) {
        item->image.Reset();
        item->imageIndex = -1;
    }
    for (const auto& sub : m_subMenus) {
        sub->SetDpi(dpi);
    }
    // The menu bar is the system's.
    if (!IsPopup()) {
        return;
    }
    AlignShortcuts();
    for (std::size_t position = 0; position < m_items.size(); ++position) {
        SetOwnerDraw(m_hMenu, static_cast<UINT>(position), true, *m_items[position]);
    }
}

CIconMenu* CIconMenu::FindMenu(HMENU menu) {
    if (menu == nullptr) {
        return nullptr;
    }
    if (menu == m_hMenu) {
        return this;
    }
    for (const auto& sub : m_subMenus) {
        if (CIconMenu* found = sub->FindMenu(menu); found != nullptr) {
            return found;
        }
    }
    return nullptr;
}

const IconMenuItem* CIconMenu::FindItem(ULONG_PTR data) const {
    for (const auto& item : m_items) {
        if (reinterpret_cast<ULONG_PTR>(item.get()) == data) {
            return item.get();
        }
    }
    for (const auto& sub : m_subMenus) {
        if (const IconMenuItem* found = sub->FindItem(data); found != nullptr) {
            return found;
        }
    }
    return nullptr;
}

bool CIconMenu::MeasureItem(MEASUREITEMSTRUCT& measure) const {
    if (measure.CtlType != ODT_MENU) {
        return false;
    }
    const IconMenuItem* item = FindItem(measure.itemData);
    if (item == nullptr) {
        return false;
    }
    const bool separator = (item->flags & MF_SEPARATOR) != 0;
    int textWidth = 0;
    if (!separator) {
        const CScreenDC screen(::GetDC(nullptr));
        const CFont font = NewStyleShell() ? MenuFont(m_nDpi) : CFont();
        const CSelectObject select(screen.Get(), font.Get());
        textWidth = TextWidth(screen.Get(), item->text);
    }
    const int dpi = static_cast<int>(m_nDpi);
    const Size size = MeasureItemSize(separator, textWidth, SystemMetric(SM_CYMENU, m_nDpi), dpi);
    measure.itemWidth = static_cast<UINT>(size.cx);
    measure.itemHeight = static_cast<UINT>(size.cy);
    return true;
}

bool CIconMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU) {
        return false;
    }
    IconMenuItem* item = FindItem(draw.itemData);
    if (item == nullptr) {
        return false;
    }
    LoadPicture(*item, m_nDpi);
    ItemState state;
    state.separator = (item->flags & MF_SEPARATOR) != 0;
    state.selected = (draw.itemState & ODS_SELECTED) != 0;
    state.disabled = (draw.itemState & ODS_GRAYED) != 0;
    state.checked = (draw.itemState & ODS_CHECKED) != 0;
    state.hasIcon = item->image && item->imageIndex >= 0;
    if (state.checked && !state.hasIcon) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_CHECKMARKS;
        state.radioCheck =
            ::GetMenuItemInfoW(reinterpret_cast<HMENU>(draw.hwndItem), draw.itemID, FALSE, &info) &&
            info.hbmpChecked != nullptr;
    }
    const Rect r{draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
    const auto steps =
        PlanItemDrawing(r, state, item->text, NewStyleShell(), static_cast<int>(m_nDpi));

    const CFont font = MenuFont(m_nDpi);
    const CSavedDC saved(draw.hDC);
    if (font) {
        ::SelectObject(draw.hDC, font.Get());
    }
    ::SetBkMode(draw.hDC, TRANSPARENT);
    const CStepPainter painter(draw.hDC, *item);
    for (const DrawStep& step : steps) {
        std::visit(painter, step);
    }
    return true;
}

LRESULT CIconMenu::HandleMenuChar(UINT character, UINT flags, HMENU menu) {
    CIconMenu* target = IsIconMenu(menu) ? FindMenu(menu) : nullptr;
    if (target == nullptr || (flags & MF_POPUP) == 0) {
        return 0;
    }
    const int count = ::GetMenuItemCount(menu);
    if (count < 0) {
        return 0;
    }
    if (static_cast<std::size_t>(count) != target->m_items.size()) {
        target->SyncItems();
    }
    std::vector<std::u16string> texts;
    for (const auto& item : target->m_items) {
        texts.push_back(item->text);
    }
    return static_cast<LRESULT>(MenuCharResult(static_cast<char16_t>(character), flags, texts));
}

void CIconMenu::SyncItems() {
    // An item taken over into the new list leaves an empty slot behind, so each is taken once.
    std::vector<std::unique_ptr<IconMenuItem>> synced;
    const int count = ::GetMenuItemCount(m_hMenu);
    for (int position = 0; position < count; ++position) {
        const UINT pos = static_cast<UINT>(position);
        const HMENU sub = ::GetSubMenu(m_hMenu, position);
        const UINT rawState = ::GetMenuState(m_hMenu, pos, MF_BYPOSITION);
        const bool separator = sub == nullptr && (rawState & MF_SEPARATOR) != 0;
        const UINT_PTR id = sub != nullptr ? reinterpret_cast<UINT_PTR>(sub)
                            : separator    ? 0
                                           : ::GetMenuItemID(m_hMenu, position);

        auto match = std::find_if(m_items.begin(), m_items.end(),
                                  [&](const auto& item) { return item && item->id == id; });
        std::unique_ptr<IconMenuItem> item;
        if (match != m_items.end()) {
            item = std::move(*match);
        } else {
            item = std::make_unique<IconMenuItem>();
            wchar_t text[256] = {};
            ::GetMenuStringW(m_hMenu, pos, text, 256, MF_BYPOSITION);
            item->label = FromWide(text);
            item->text = item->label;
            item->id = id;
            item->flags =
                MF_OWNERDRAW | (sub != nullptr ? MF_POPUP : 0u) | (separator ? MF_SEPARATOR : 0u);
        }
        SetOwnerDraw(m_hMenu, pos, true, *item);
        synced.push_back(std::move(item));
    }
    m_items = std::move(synced);
}

} // namespace sb

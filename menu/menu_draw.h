// The look of an owner-drawn menu item as pure geometry: its size, and the list of drawing
// steps for one item in one state, which the Win32 side carries out on a device context.
#pragma once

#include "base/os_version.h"
#include "base/geometry.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sb {

// The icon column's pictures at `dpi`: the picture size drawn for that scale, one row less
// high, since the pictures leave their last row empty. Every other length of an item is a
// 96-dpi length scaled to `dpi`.
Size MenuIconSize(int dpi);

// Version 4 and later of either family have the new-style shell: the items are drawn in the
// system's menu font, and their icons and marks in its look.
bool HasNewStyleShell(const OsVersionInfo& version);

// The WM_MEASUREITEM answer: `textWidth` is the whole text's width in the menu font,
// `menuLineHeight` the system's SM_CYMENU, both at `dpi`.
Size MeasureItemSize(bool separator, int textWidth, int menuLineHeight, int dpi);

// Where the parts of an item go inside its rectangle.
struct ItemGeometry {
    int dy = 0;                   // centres the icon column vertically
    Rect highlight;               // the selection colour's rectangle
    Rect iconFrame;               // the rectangle around the icon
    Rect button;                  // the icon's button face
    Point iconAt;                 // the icon's top left
    Rect markBox;                 // the check mark's box, for a marked item without an icon
    Rect radioDot;                // the radio dot inside the mark box
    std::vector<Rect> checkCells; // the hand-drawn tick, one cell per pixel of it at 96 dpi
    Rect text;                    // the label's and the accelerator text's rectangle
};

// `iconColumnUsed`: the item shows an icon or a mark, so the highlight leaves that column.
ItemGeometry LayoutItem(const Rect& item, bool iconColumnUsed, bool textHasTab, int dpi);

enum class SysColor {
    Menu,
    MenuText,
    Highlight,
    HighlightText,
    BtnFace,
    BtnShadow,
    BtnHighlight,
    Light3D,
    GrayText,
};

struct ItemState {
    bool separator = false;
    bool selected = false;
    bool disabled = false;
    bool checked = false;
    bool hasIcon = false;
    bool radioCheck = false; // the item has a check-mark bitmap of its own (a radio item)
};

// The drawing steps, carried out in order.
struct FillStep {
    Rect rect;
    SysColor color;
    bool operator==(const FillStep&) const = default;
};
struct FrameStep { // a one-pixel frame inside the rectangle
    Rect rect;
    SysColor color;
    bool operator==(const FrameStep&) const = default;
};
struct EtchedTopStep { // the system's etched line along the rectangle's top
    Rect rect;
    bool operator==(const EtchedTopStep&) const = default;
};
struct SunkenOuterStep { // the system's thin sunken edge around the rectangle
    Rect rect;
    bool operator==(const SunkenOuterStep&) const = default;
};
struct IconStep { // the item's icon, drawn transparently
    Point at;
    bool operator==(const IconStep&) const = default;
};
// The icon's shape embossed on `background`: the icon (`size` pixels) is drawn on `canvas`,
// and every pixel of that picture that is not one of `transparent` is painted in `light` at
// `lightAt`, right of and below `at`, then in `shadow` at `at`.
struct EmbossedIconStep {
    Point at;
    Point lightAt;
    Size size;
    SysColor canvas;
    SysColor background;
    std::vector<SysColor> transparent;
    SysColor light;
    SysColor shadow;
    bool operator==(const EmbossedIconStep&) const = default;
};
struct CellsStep { // rectangles filled in one colour
    std::vector<Rect> cells;
    SysColor color;
    bool operator==(const CellsStep&) const = default;
};
struct EllipseStep { // filled and outlined in one colour
    Rect rect;
    SysColor color;
    bool operator==(const EllipseStep&) const = default;
};
struct TextStep { // single line, centred vertically, transparent background
    Rect rect;
    std::u16string text;
    bool alignRight;
    SysColor color;
    bool operator==(const TextStep&) const = default;
};

using DrawStep = std::variant<FillStep, FrameStep, EtchedTopStep, SunkenOuterStep, IconStep,
                              EmbossedIconStep, CellsStep, EllipseStep, TextStep>;

std::vector<DrawStep> PlanItemDrawing(const Rect& item, const ItemState& state,
                                      std::u16string_view text, bool newStyleShell, int dpi);

} // namespace sb

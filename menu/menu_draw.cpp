#include "menu/menu_draw.h"

#include "menu/menu_text.h"
#include "base/dpi_scale.h"

#include <algorithm>

namespace sb {

namespace {

// The hand-drawn tick, a cell for each of its pixels at 96 dpi, from the top left of a 7 x 7
// square.
constexpr Point kTickCells[] = {{0, 2}, {0, 3}, {0, 4}, {1, 3}, {1, 4}, {1, 5}, {2, 4},
                                {2, 5}, {2, 6}, {3, 3}, {3, 4}, {3, 5}, {4, 2}, {4, 3},
                                {4, 4}, {5, 1}, {5, 2}, {5, 3}, {6, 0}, {6, 1}, {6, 2}};

Rect Offset(const Rect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// A 3-D frame: the top and left lines in one colour, the bottom and right lines in the other.
void Frame3D(std::vector<DrawStep>& steps, const Rect& r, SysColor topLeft, SysColor bottomRight) {
    steps.push_back(FillStep{{r.left, r.top, r.right - 1, r.top + 1}, topLeft});
    steps.push_back(FillStep{{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft});
    steps.push_back(FillStep{{r.right - 1, r.top, r.right, r.bottom}, bottomRight});
    steps.push_back(FillStep{{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight});
}

void Raised(std::vector<DrawStep>& steps, const Rect& r) {
    Frame3D(steps, r, SysColor::BtnHighlight, SysColor::BtnShadow);
}

void Sunken(std::vector<DrawStep>& steps, const Rect& r) {
    Frame3D(steps, r, SysColor::BtnShadow, SysColor::BtnHighlight);
}

void Texts(std::vector<DrawStep>& steps, const Rect& r, const ItemTextParts& parts,
           SysColor color) {
    steps.push_back(TextStep{r, std::u16string(parts.left), false, color});
    if (parts.hasTab) {
        steps.push_back(TextStep{r, std::u16string(parts.right), true, color});
    }
}

} // namespace

bool HasNewStyleShell(const OsVersionInfo& version) {
    return version.major > 3;
}

Size MenuIconSize(int dpi) {
    const int picture = PictureSize(dpi);
    return {picture, picture - 1};
}

Size MeasureItemSize(bool separator, int textWidth, int menuLineHeight, int dpi) {
    if (separator) {
        return {0, menuLineHeight / 2};
    }
    const Size icon = MenuIconSize(dpi);
    return {textWidth + 2 * icon.cx + Scale(1, dpi),
            std::max(menuLineHeight, icon.cy + Scale(4, dpi))};
}

ItemGeometry LayoutItem(const Rect& item, bool iconColumnUsed, bool textHasTab, int dpi) {
    const auto u = [dpi](int length) { return Scale(length, dpi); };
    const int W = MenuIconSize(dpi).cx;
    const int H = MenuIconSize(dpi).cy;
    ItemGeometry g;
    g.dy = std::max(0, (item.bottom - item.top - H - u(4)) / 2);
    const int top = item.top + g.dy;

    g.highlight = item;
    if (iconColumnUsed) {
        g.highlight.left = item.left + W + u(5);
    }
    g.iconFrame = {item.left + u(1), top + u(1), item.left + W + u(3), top + H + u(3)};
    g.button = {item.left, top, item.left + W + u(4), top + H + u(4)};
    g.iconAt = {item.left + u(2), top + u(2)};

    g.markBox = {item.left + u(1), top + u(2), item.left + W + u(1), top + H + u(2)};
    g.radioDot = {g.markBox.left + u(5), g.markBox.top + u(4), g.markBox.left + u(11),
                  g.markBox.top + u(10)};
    const int x = g.markBox.left + u(4);
    const int y = g.markBox.top + u(4);
    for (const Point& cell : kTickCells) {
        g.checkCells.push_back(
            {x + u(cell.x), y + u(cell.y), x + u(cell.x + 1), y + u(cell.y + 1)});
    }

    g.text = {item.left + W + u(9), item.top - u(1), item.right, item.bottom - u(1)};
    if (textHasTab) {
        g.text.right -= W;
    }
    return g;
}

std::vector<DrawStep> PlanItemDrawing(const Rect& item, const ItemState& state,
                                      std::u16string_view text, bool newStyleShell, int dpi) {
    std::vector<DrawStep> steps;
    if (state.separator) {
        steps.push_back(EtchedTopStep{
            {item.left, item.top + (item.bottom - item.top) / 2, item.right, item.bottom}});
        return steps;
    }

    const ItemTextParts parts = SplitItemText(text);
    const bool mark = state.checked && !state.hasIcon;
    const ItemGeometry g = LayoutItem(item, state.hasIcon || state.checked, parts.hasTab, dpi);

    SysColor textColor = SysColor::MenuText;
    if (state.selected) {
        steps.push_back(FillStep{g.highlight, SysColor::Highlight});
        textColor = SysColor::HighlightText;
    } else {
        steps.push_back(FillStep{item, SysColor::Menu});
        steps.push_back(FrameStep{item, SysColor::Menu});
    }

    if (state.hasIcon) {
        steps.push_back(FrameStep{g.iconFrame, SysColor::Menu});
        if (state.disabled) {
            const int offset = Scale(1, dpi);
            steps.push_back(EmbossedIconStep{
                g.iconAt,
                {g.iconAt.x + offset, g.iconAt.y + offset},
                MenuIconSize(dpi),
                SysColor::Menu,
                newStyleShell ? SysColor::BtnFace : SysColor::Menu,
                // The canvas colour too: where it differs from both, the whole square
                // would otherwise come out embossed.
                {SysColor::BtnFace, SysColor::BtnHighlight, SysColor::Menu},
                SysColor::BtnHighlight,
                SysColor::BtnShadow,
            });
            steps.push_back(FrameStep{g.button, SysColor::Menu});
        } else if (state.selected) {
            steps.push_back(FillStep{g.iconFrame, SysColor::Menu});
            if (newStyleShell) {
                state.checked ? Sunken(steps, g.button) : Raised(steps, g.button);
            }
            steps.push_back(IconStep{g.iconAt});
        } else if (state.checked) {
            steps.push_back(FillStep{g.iconFrame, SysColor::Light3D});
            if (newStyleShell) {
                Sunken(steps, g.button);
            }
            steps.push_back(IconStep{g.iconAt});
        } else {
            steps.push_back(FillStep{g.iconFrame, SysColor::Menu});
            steps.push_back(FrameStep{g.button, SysColor::Menu});
            steps.push_back(IconStep{g.iconAt});
        }
    } else if (mark) {
        const bool light = newStyleShell && !state.selected;
        steps.push_back(FillStep{g.markBox, light ? SysColor::Light3D : SysColor::Menu});
        if (newStyleShell) {
            steps.push_back(SunkenOuterStep{g.markBox});
        }
        if (state.radioCheck) {
            steps.push_back(EllipseStep{g.radioDot, SysColor::MenuText});
        } else {
            steps.push_back(CellsStep{g.checkCells, SysColor::MenuText});
        }
    }

    if (!state.disabled) {
        Texts(steps, g.text, parts, textColor);
    } else if (state.selected) {
        Texts(steps, g.text, parts, SysColor::Menu);
    } else {
        const int offset = Scale(1, dpi);
        Texts(steps, Offset(g.text, offset, offset), parts, SysColor::BtnHighlight);
        Texts(steps, g.text, parts, SysColor::GrayText);
    }
    return steps;
}

} // namespace sb

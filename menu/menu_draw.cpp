#include "menu/menu_draw.h"

#include "menu/menu_text.h"

#include <algorithm>

namespace sb {

namespace {

constexpr int W = kMenuIconWidth;
constexpr int H = kMenuIconHeight;

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

int MenuOsKind(const OsVersionInfo& version) {
    if (version.platformId == kPlatformNt) {
        return version.major > 3 ? 3 : 2;
    }
    return version.major > 3 ? 1 : 0;
}

bool IsNewStyleShell(int osKind) {
    return osKind == 1 || osKind == 3;
}

Size MeasureItemSize(bool separator, int textWidth, int menuLineHeight) {
    if (separator) {
        return {0, menuLineHeight / 2};
    }
    return {textWidth + 2 * W + 1, std::max(menuLineHeight, H + 4)};
}

ItemGeometry LayoutItem(const Rect& item, bool iconColumnUsed, bool textHasTab) {
    ItemGeometry g;
    g.dy = std::max(0, (item.bottom - item.top - H - 4) / 2);
    const int top = item.top + g.dy;

    g.highlight = item;
    if (iconColumnUsed) {
        g.highlight.left = item.left + W + 5;
    }
    g.iconFrame = {item.left + 1, top + 1, item.left + W + 3, top + H + 3};
    g.button = {item.left, top, item.left + W + 4, top + H + 4};
    g.iconAt = {item.left + 2, top + 2};

    g.markBox = {item.left + 1, top + 2, item.left + W + 1, top + H + 2};
    g.radioDot = {g.markBox.left + 5, g.markBox.top + 4, g.markBox.left + 11, g.markBox.top + 10};
    const int x = g.markBox.left + 4;
    const int y = g.markBox.top + 4;
    g.checkPixels = {{x, y + 2},     {x, y + 3},     {x, y + 4},    {x + 1, y + 3},
                     {x + 1, y + 4}, {x + 1, y + 5}, {x + 2, y + 4}};
    for (int i = 0; i < 4; ++i) {
        g.checkPixels.push_back({x + 2 + i, y + 5 - i});
        g.checkPixels.push_back({x + 2 + i, y + 6 - i});
        g.checkPixels.push_back({x + 3 + i, y + 3 - i});
    }
    g.checkPixels.push_back({x + 6, y + 1});
    g.checkPixels.push_back({x + 6, y + 2});

    g.text = {item.left + W + 9, item.top - 1, item.right, item.bottom - 1};
    if (textHasTab) {
        g.text.right -= W;
    }
    return g;
}

std::vector<DrawStep> PlanItemDrawing(const Rect& item, const ItemState& state,
                                      std::u16string_view text, bool newStyleShell) {
    std::vector<DrawStep> steps;
    if (state.separator) {
        steps.push_back(EtchedTopStep{
            {item.left, item.top + (item.bottom - item.top) / 2, item.right, item.bottom}});
        return steps;
    }

    const ItemTextParts parts = SplitItemText(text);
    const bool mark = state.checked && !state.hasIcon;
    const ItemGeometry g = LayoutItem(item, state.hasIcon || state.checked, parts.hasTab);

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
            steps.push_back(EmbossedIconStep{
                g.iconAt,
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
            steps.push_back(PixelsStep{g.checkPixels, SysColor::MenuText});
        }
    }

    if (!state.disabled) {
        Texts(steps, g.text, parts, textColor);
    } else if (state.selected) {
        Texts(steps, g.text, parts, SysColor::Menu);
    } else {
        Texts(steps, Offset(g.text, 1, 1), parts, SysColor::BtnHighlight);
        Texts(steps, g.text, parts, SysColor::GrayText);
    }
    return steps;
}

} // namespace sb

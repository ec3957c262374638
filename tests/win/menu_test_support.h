// What the tests of the icon menu share: an item's data, the menu font's measure, and a
// canvas to draw items on and check pixel by pixel.
#pragma once

#include "ui/gdi.h"
#include "menu/icon_menu.h"
#include "ui/dpi.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <utility>

namespace sb::test {

inline const IconMenuItem* ItemAt(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info)) {
        return nullptr;
    }
    return reinterpret_cast<const IconMenuItem*>(info.dwItemData);
}

// The text's width in the system's menu font at `dpi`.
inline int MenuFontWidth(const std::wstring& text, UINT dpi = SystemDpi()) {
    NONCLIENTMETRICSW metrics;
    EXPECT_TRUE(NonClientMetrics(metrics, dpi));
    const CFont font(::CreateFontIndirectW(&metrics.lfMenuFont));
    const CScreenDC screen(::GetDC(nullptr));
    const CSelectObject select(screen.Get(), font.Get());
    SIZE size{};
    ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// A 32-bit top-down bitmap in a memory DC, filled with a colour no drawing step uses.
class CCanvas {
public:
    // The size of one menu item at 96 dpi, which most drawings need.
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 19;
    static constexpr COLORREF kUntouched = RGB(1, 2, 3);

    explicit CCanvas(int width = kWidth, int height = kHeight)
        : m_nWidth(width), m_nHeight(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_dc.Reset(::CreateCompatibleDC(nullptr));
        m_bitmap.Reset(::CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &m_bits, nullptr, 0));
        m_old = ::SelectObject(m_dc.Get(), m_bitmap.Get());
        RECT all{0, 0, width, height};
        const CBrush brush(::CreateSolidBrush(kUntouched));
        ::FillRect(m_dc.Get(), &all, brush.Get());
    }
    ~CCanvas() { ::SelectObject(m_dc.Get(), m_old); }
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    HDC Dc() const { return m_dc.Get(); }
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        const DWORD pixel = static_cast<const DWORD*>(m_bits)[y * m_nWidth + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    std::set<std::pair<int, int>> PixelsOf(COLORREF color, int fromX = 0) const {
        std::set<std::pair<int, int>> found;
        for (int y = 0; y < m_nHeight; ++y) {
            for (int x = fromX; x < m_nWidth; ++x) {
                if (At(x, y) == color) {
                    found.insert({x, y});
                }
            }
        }
        return found;
    }

private:
    int m_nWidth;
    int m_nHeight;
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
    void* m_bits = nullptr;
};

} // namespace sb::test

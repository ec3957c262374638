// Owners of the GDI objects, device contexts, image lists and icons the windows draw with, and
// the guards of a device context's state.
#pragma once

#include "ui/handle.h"

#include <windows.h>
#include <commctrl.h>

namespace sb {

struct GdiObjectTraits {
    static void Free(HGDIOBJ object) { ::DeleteObject(object); }
};
struct MemoryDcTraits {
    static void Free(HDC dc) { ::DeleteDC(dc); }
};
struct ImageListTraits {
    static void Free(HIMAGELIST list) { ::ImageList_Destroy(list); }
};
struct IconTraits {
    static void Free(HICON icon) { ::DestroyIcon(icon); }
};
// The screen's device context, for measuring: CScreenDC(::GetDC(nullptr)).
struct ScreenDcTraits {
    static void Free(HDC dc) { ::ReleaseDC(nullptr, dc); }
};

using CBrush = CUniqueHandle<HBRUSH, GdiObjectTraits>;
using CPen = CUniqueHandle<HPEN, GdiObjectTraits>;
using CFont = CUniqueHandle<HFONT, GdiObjectTraits>;
using CBitmap = CUniqueHandle<HBITMAP, GdiObjectTraits>;
using CMemoryDC = CUniqueHandle<HDC, MemoryDcTraits>;
using CImageList = CUniqueHandle<HIMAGELIST, ImageListTraits>;
using CIcon = CUniqueHandle<HICON, IconTraits>;
using CScreenDC = CUniqueHandle<HDC, ScreenDcTraits>;

// Selects an object into a device context for the guard's lifetime; a null object is not
// selected, so the context keeps its own.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object)
        : m_hDC(dc), m_hOld(object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
    ~CSelectObject() {
        if (m_hOld != nullptr) {
            ::SelectObject(m_hDC, m_hOld);
        }
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// Restores a device context's colours, modes and selected objects when it ends.
class CSavedDC {
public:
    explicit CSavedDC(HDC dc) : m_hDC(dc), m_nSaved(::SaveDC(dc)) {}
    ~CSavedDC() {
        if (m_nSaved != 0) {
            ::RestoreDC(m_hDC, m_nSaved);
        }
    }
    CSavedDC(const CSavedDC&) = delete;
    CSavedDC& operator=(const CSavedDC&) = delete;

private:
    HDC m_hDC;
    int m_nSaved;
};

// A window's painting between BeginPaint and EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hWnd(hwnd), m_hDC(::BeginPaint(hwnd, &m_paint)) {}
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
    HDC m_hDC;
};

} // namespace sb

// Owners for the GDI objects, device contexts and image lists the menu drawing makes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace sb {

template <class Handle, class Traits> class CUniqueHandle {
public:
    CUniqueHandle() = default;
    explicit CUniqueHandle(Handle handle) : m_handle(handle) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    Handle Release() { return std::exchange(m_handle, nullptr); }
    void Reset(Handle handle = nullptr) {
        if (m_handle != nullptr) {
            Traits::Free(m_handle);
        }
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

struct GdiObjectTraits {
    static void Free(HGDIOBJ object) { ::DeleteObject(object); }
};
struct MemoryDcTraits {
    static void Free(HDC dc) { ::DeleteDC(dc); }
};
struct ImageListTraits {
    static void Free(HIMAGELIST list) { ::ImageList_Destroy(list); }
};

using CBrush = CUniqueHandle<HBRUSH, GdiObjectTraits>;
using CPen = CUniqueHandle<HPEN, GdiObjectTraits>;
using CFont = CUniqueHandle<HFONT, GdiObjectTraits>;
using CBitmap = CUniqueHandle<HBITMAP, GdiObjectTraits>;
using CMemoryDC = CUniqueHandle<HDC, MemoryDcTraits>;
using CImageList = CUniqueHandle<HIMAGELIST, ImageListTraits>;

// The screen's device context, for measuring.
class CScreenDC {
public:
    CScreenDC() : m_hDC(::GetDC(nullptr)) {}
    ~CScreenDC() {
        if (m_hDC != nullptr) {
            ::ReleaseDC(nullptr, m_hDC);
        }
    }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC;
};

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

} // namespace sb

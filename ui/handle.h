// The owner of one system handle, for every kind the program holds: a traits type says how
// its kind is freed and, where that is not null, which value means no handle.
#pragma once

#include <windows.h>

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
    explicit operator bool() const { return m_handle != None(); }
    Handle Release() { return std::exchange(m_handle, None()); }
    void Reset(Handle handle = None()) {
        if (m_handle != None()) {
            Traits::Free(m_handle);
        }
        m_handle = handle;
    }

private:
    // Most kinds have null for none; a file's is INVALID_HANDLE_VALUE.
    static Handle None() {
        if constexpr (requires { Traits::None(); }) {
            return Traits::None();
        } else {
            return nullptr;
        }
    }

    Handle m_handle = None();
};

// Mutexes, events, processes and the other kernel objects that CloseHandle ends.
struct KernelObjectTraits {
    static void Free(HANDLE handle) { ::CloseHandle(handle); }
};
using CKernelObject = CUniqueHandle<HANDLE, KernelObjectTraits>;

// Files, whose open fails with INVALID_HANDLE_VALUE rather than null.
struct FileTraits {
    static void Free(HANDLE handle) { ::CloseHandle(handle); }
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
};
using CFileHandle = CUniqueHandle<HANDLE, FileTraits>;

} // namespace sb

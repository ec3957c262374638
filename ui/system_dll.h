// DLLs of the system's own, taken from the system folder only. Windows looks for a DLL that
// is no KnownDLL (the spooler's, the help viewer's) in the program's folder first, and the
// portable zip is unzipped wherever a browser may have dropped a file of that name.
#pragma once

#include <windows.h>

namespace sb {

// The first statement of every entry point: every later load by name searches the system
// folder only. A Windows 7 without SetDefaultDllDirectories still loses the current folder.
void RestrictDllSearch();

// One entry point of a system DLL, or none: a call to none fails as the function itself
// would, with a zero result and ERROR_PROC_NOT_FOUND.
template <typename Function> class CSystemFunction {
public:
    CSystemFunction() = default;
    explicit CSystemFunction(FARPROC proc)
        : m_pFunction(reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc))) {}

    explicit operator bool() const { return m_pFunction != nullptr; }

    template <typename... Args> auto operator()(Args... args) const {
        using Result = decltype(m_pFunction(args...));
        if (m_pFunction == nullptr) {
            ::SetLastError(ERROR_PROC_NOT_FOUND);
            return Result{};
        }
        return m_pFunction(args...);
    }

private:
    Function m_pFunction = nullptr;
};

// The entry points of a DLL, found by name.
class CDllFunctions {
public:
    explicit operator bool() const { return m_hModule != nullptr; }

    template <typename Function> CSystemFunction<Function> Find(const char* name) const {
        return CSystemFunction<Function>(m_hModule ? ::GetProcAddress(m_hModule, name) : nullptr);
    }

protected:
    explicit CDllFunctions(HMODULE module) : m_hModule(module) {}

    HMODULE m_hModule;
};

// A system DLL loaded by its full path in the system folder, and its own dependencies looked
// for there first; freed when the object ends.
class CSystemDll : public CDllFunctions {
public:
    explicit CSystemDll(const wchar_t* name);
    ~CSystemDll();
    CSystemDll(const CSystemDll&) = delete;
    CSystemDll& operator=(const CSystemDll&) = delete;
};

// A system DLL that the program imports, so loaded before the program starts: nothing is
// looked for on the search path, and nothing is freed.
class CLoadedDll : public CDllFunctions {
public:
    explicit CLoadedDll(const wchar_t* name) : CDllFunctions(::GetModuleHandleW(name)) {}
};

} // namespace sb

// A member `name` that calls the system function of that name in `dll`, a CSystemDll or a
// CLoadedDll. Only the declaration's type is taken, so the program keeps no static import of
// it.
#define SB_SYSTEM_FUNCTION(dll, name)                                                              \
    ::sb::CSystemFunction<decltype(&::name)> name = (dll).Find<decltype(&::name)>(#name)

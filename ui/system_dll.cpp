#include "ui/system_dll.h"

#include <string>

namespace sb {

void RestrictDllSearch() {
    // Looked up, since Windows 7 has it only with an update.
    const CLoadedDll kernel32(L"kernel32.dll");
    const SB_SYSTEM_FUNCTION(kernel32, SetDefaultDllDirectories);
    if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        ::SetDllDirectoryW(L"");
    }
}

CSystemDll::CSystemDll(const wchar_t* name) : CDllFunctions(nullptr) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    // With the search restricted or not, a full path and this flag look for the DLL's own
    // imports in its folder first.
    m_hModule = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

CSystemDll::~CSystemDll() {
    if (m_hModule != nullptr) {
        ::FreeLibrary(m_hModule);
    }
}

} // namespace sb

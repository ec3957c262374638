#include "files/win_user_folders.h"

#include "ui/handle.h"
#include "ui/system_dll.h"
#include "ui/wide_text.h"

#include <shlobj.h>

namespace sb {
namespace {

// SHGetKnownFolderPath came with Vista; shell32.dll and ole32.dll from the system folder,
// loaded when first asked and kept from then on.
struct KnownFolders {
    CSystemDll shell{L"shell32.dll"};
    CSystemDll ole{L"ole32.dll"};
    SB_SYSTEM_FUNCTION(shell, SHGetKnownFolderPath);
    SB_SYSTEM_FUNCTION(ole, CoTaskMemFree);
};

const KnownFolders& Api() {
    static const KnownFolders folders;
    return folders;
}

// FOLDERID_Documents, spelled out so that no import library is needed for it.
constexpr GUID kDocuments = {
    0xFDD39AD0, 0x238F, 0x46AF, {0xAD, 0xB4, 0x6C, 0x85, 0x48, 0x03, 0x69, 0xC7}};

} // namespace

bool WinUserFolders::AcceptsNewFile(const std::string& folder) {
    // Unique among running programs by the process id, within this one by the count; a file
    // of that name left by anything else only moves on to the next count.
    static unsigned s_nProbe = 0;
    const std::wstring base =
        Widen(folder) + L"~switchboard-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::wstring path = base + std::to_wstring(++s_nProbe) + L".tmp";
        // Deleted by the system when the handle closes, even if this process dies first.
        const CFileHandle probe(::CreateFileW(
            path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (probe) {
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    return false;
}

std::string WinUserFolders::Documents() {
    PWSTR path = nullptr;
    const HRESULT found = Api().SHGetKnownFolderPath(kDocuments, KF_FLAG_DEFAULT, nullptr, &path);
    // The call allocates even when it fails.
    const std::string documents = SUCCEEDED(found) && path ? Narrow(path) : std::string();
    Api().CoTaskMemFree(path);
    return documents;
}

} // namespace sb

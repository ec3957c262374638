#include "files/win_file_dialogs.h"

#include "ui/system_dll.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace sb {

namespace {

// comdlg32.dll from the system folder, loaded with the first dialog and kept from then on.
struct CommonDialogs {
    CSystemDll dll{L"comdlg32.dll"};
    SB_SYSTEM_FUNCTION(dll, GetOpenFileNameW);
    SB_SYSTEM_FUNCTION(dll, GetSaveFileNameW);
};

const CommonDialogs& Api() {
    static const CommonDialogs dialogs;
    return dialogs;
}

} // namespace

static_assert(ofn::kOverwritePrompt == OFN_OVERWRITEPROMPT &&
              ofn::kHideReadOnly == OFN_HIDEREADONLY);

std::optional<std::string> WinFileDialogs::Run(const FileDialogSpec& params,
                                               const std::string& initialDirectory) {
    // Name and pattern, each with its zero, and the zero that ends the list.
    std::wstring filter = Widen(params.filterName);
    filter.push_back(L'\0');
    filter += Widen(params.filterPattern);
    filter.push_back(L'\0');
    const std::wstring extension = Widen(params.defaultExtension);
    const std::wstring directory = Widen(initialDirectory);

    std::vector<wchar_t> file(MAX_PATH, L'\0');
    const std::wstring initialName = Widen(params.initialName);
    std::copy_n(initialName.begin(), std::min(initialName.size(), file.size() - 1), file.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = m_owner.Handle();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = directory.c_str();
    dialog.lpstrDefExt = extension.c_str();
    dialog.Flags = params.flags;
    const BOOL chosen =
        params.save ? Api().GetSaveFileNameW(&dialog) : Api().GetOpenFileNameW(&dialog);
    if (!chosen) {
        return std::nullopt;
    }
    return Narrow(file.data());
}

} // namespace sb

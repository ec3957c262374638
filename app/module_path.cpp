#include "app/module_path.h"

#include "ui/wide_text.h"

#include <windows.h>

#include <vector>

namespace sb {

std::string ModulePath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD size =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (size == 0) {
            return {};
        }
        // A full buffer may hold a cut path: try again with a larger one.
        if (size < path.size()) {
            return Narrow(std::wstring_view(path.data(), size));
        }
        path.resize(path.size() * 2);
    }
}

} // namespace sb

// Which help file and viewer the platform gets: the old viewer only where the new one is
// missing.
#pragma once

#include "app/panel_view.h"
#include "base/os_version.h"

#include <string_view>

namespace sb {

struct HelpFile {
    std::string_view name;
    HelpViewer viewer;
};

HelpFile ChooseHelpFile(const OsVersionInfo& os);

} // namespace sb

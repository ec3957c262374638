#include "app/help_file.h"

namespace sb {

HelpFile ChooseHelpFile(const OsVersionInfo& os) {
    constexpr HelpFile kWinHelp{"swbz48.hlp", HelpViewer::Hlp};
    constexpr HelpFile kHtmlHelp{"swbz48.chm", HelpViewer::Chm};
    switch (os.platformId) {
    case kPlatformWindows:
        // The first release of the older family (4.0); its later ones have minor 10 and 90.
        return os.major < 5 && os.minor < 10 ? kWinHelp : kHtmlHelp;
    case kPlatformNt:
        return os.major < 5 ? kWinHelp : kHtmlHelp;
    default:
        return kHtmlHelp;
    }
}

} // namespace sb

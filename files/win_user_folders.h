// This user's folders as Windows answers for them.
#pragma once

#include "files/user_folders.h"

namespace sb {

class WinUserFolders final : public UserFolders {
public:
    bool AcceptsNewFile(const std::string& folder) override;
    std::string Documents() override;
};

} // namespace sb

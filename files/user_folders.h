// What the file dialogs need to know of this user's folders, asked of the system. A folder's
// path says nothing about who may write there: Program Files refuses a standard user, the
// same path on another machine may not.
#pragma once

#include <string>

namespace sb {

class UserFolders {
public:
    virtual ~UserFolders() = default;
    // Whether this user may add a file to the folder, found by making one and removing it.
    virtual bool AcceptsNewFile(const std::string& folder) = 0;
    // The user's Documents folder, or empty where the system names none.
    virtual std::string Documents() = 0;
};

} // namespace sb

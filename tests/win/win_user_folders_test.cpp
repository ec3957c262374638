// This user's folders as Windows answers for them: a folder is tried by making a file in it,
// which is gone again at once.
#include "files/win_user_folders.h"
#include "ui/wide_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace sb {
namespace {

TEST(WinUserFolders, AFolderIsTriedWithAFileThatIsGoneAtOnce) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"sbfolders" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    WinUserFolders folders;
    EXPECT_TRUE(folders.AcceptsNewFile(Narrow(folder)));
    EXPECT_TRUE(folders.AcceptsNewFile(Narrow(folder)));
    // Empty again: a folder that still holds a file cannot be removed.
    EXPECT_TRUE(::RemoveDirectoryW(folder.c_str()));
    EXPECT_FALSE(folders.AcceptsNewFile(Narrow(folder)));
}

TEST(WinUserFolders, DocumentsIsAnExistingFolder) {
    const std::string documents = WinUserFolders().Documents();
    ASSERT_FALSE(documents.empty());
    const DWORD attributes = ::GetFileAttributesW(Widen(documents).c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace
} // namespace sb

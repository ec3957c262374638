// Settings files on the Win32 file API, against real files of the test's temporary folder.
#include "files/win_file_store.h"
#include "ui/wide_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sb {
namespace {

std::string TempFile(const std::string& leaf) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return Narrow(dir) + "sbfs" + std::to_string(::GetCurrentProcessId()) + " " + leaf;
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(Widen(path).c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(Widen(path).c_str(), std::ios::binary) << bytes;
}

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class WinFileStoreTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const std::string& path : m_paths) {
            ::DeleteFileW(Widen(path).c_str());
        }
    }
    std::string Path(const std::string& leaf) {
        m_paths.push_back(TempFile(leaf));
        ::DeleteFileW(Widen(m_paths.back()).c_str());
        return m_paths.back();
    }

    WinFileStore m_store;
    std::vector<std::string> m_paths;
};

TEST_F(WinFileStoreTest, ReadsAnExistingFileUnderAJapaneseName) {
    const std::string path = Path("設定ファイル.dat");
    WriteAll(path, "Quillstrike");
    EXPECT_TRUE(m_store.Exists(path));
    OpenResult opened = m_store.OpenToRead(path);
    ASSERT_NE(opened.file, nullptr);
    EXPECT_EQ(opened.failure, OpenFailure::None);
    std::array<std::uint8_t, 20> buffer{};
    EXPECT_EQ(opened.file->Read(buffer), 11u);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 11), "Quillstrike");
    EXPECT_EQ(opened.file->Read(buffer), 0u);
}

TEST_F(WinFileStoreTest, AMissingFileIsNeitherFoundNorCreatedByReading) {
    const std::string path = Path("missing.dat");
    EXPECT_FALSE(m_store.Exists(path));
    const OpenResult opened = m_store.OpenToRead(path);
    EXPECT_EQ(opened.file, nullptr);
    EXPECT_EQ(opened.failure, OpenFailure::Other);
    EXPECT_FALSE(m_store.Exists(path));
}

TEST_F(WinFileStoreTest, AnOpenFileMayBeReadByOthersButNotWritten) {
    const std::string path = Path("shared.dat");
    WriteAll(path, "abc");
    for (int mode = 0; mode < 2; ++mode) {
        OpenResult opened = mode == 0 ? m_store.OpenToRead(path) : m_store.OpenAlways(path);
        ASSERT_NE(opened.file, nullptr);
        const std::wstring wide = Widen(path);
        const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        const HANDLE reader =
            ::CreateFileW(wide.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        // The program's own handle is open for reading at least, so readers must share that.
        EXPECT_NE(reader, INVALID_HANDLE_VALUE) << mode;
        if (reader != INVALID_HANDLE_VALUE) {
            ::CloseHandle(reader);
        }
        const HANDLE writer = ::CreateFileW(wide.c_str(), GENERIC_WRITE, share | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(writer, INVALID_HANDLE_VALUE) << mode;
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION)) << mode;
        if (writer != INVALID_HANDLE_VALUE) {
            ::CloseHandle(writer);
        }
    }
}

TEST_F(WinFileStoreTest, SavingCreatesAMissingFileAndKeepsTheTailOfALongerOne) {
    const std::string fresh = Path("fresh.dat");
    {
        OpenResult opened = m_store.OpenAlways(fresh);
        ASSERT_NE(opened.file, nullptr);
        EXPECT_TRUE(opened.file->Write(Bytes("new")));
        EXPECT_TRUE(opened.file->Close());
        EXPECT_FALSE(opened.file->Close());
    }
    EXPECT_EQ(ReadAll(fresh), (std::vector<std::uint8_t>{'n', 'e', 'w'}));

    const std::string longer = Path("longer.dat");
    WriteAll(longer, "0123456789");
    {
        OpenResult opened = m_store.OpenAlways(longer);
        ASSERT_NE(opened.file, nullptr);
        EXPECT_TRUE(opened.file->Write(Bytes("ab")));
        // Closed by going out of scope.
    }
    const std::vector<std::uint8_t> bytes = ReadAll(longer);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "ab23456789");
}

TEST_F(WinFileStoreTest, RefusedAccessIsToldApartFromOtherFailures) {
    // A folder cannot be opened as a file to write: the one refusal that does not depend on
    // who runs the test.
    const std::string folder = Path("folder");
    ASSERT_TRUE(::CreateDirectoryW(Widen(folder).c_str(), nullptr));
    const OpenResult denied = m_store.OpenAlways(folder);
    ::RemoveDirectoryW(Widen(folder).c_str());
    EXPECT_EQ(denied.file, nullptr);
    EXPECT_EQ(denied.failure, OpenFailure::AccessDenied);

    const OpenResult nowhere = m_store.OpenAlways(TempFile("no such folder\\file.dat"));
    EXPECT_EQ(nowhere.file, nullptr);
    EXPECT_EQ(nowhere.failure, OpenFailure::Other);
}

} // namespace
} // namespace sb

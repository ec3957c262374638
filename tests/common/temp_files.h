// A folder of its own for one native test, and whole files read and written in one go.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace sb::test {

// A fresh directory for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() /
            ("sb_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        m_path = path.string() + "/";
    }
    ~TempDir() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // With a trailing separator, as the program directory has one.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace sb::test

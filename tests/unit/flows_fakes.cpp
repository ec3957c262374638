#include "flows_fakes.h"

#include <atomic>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace sb::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("sb_flows_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    m_path = path.string() + "/";
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace sb::test

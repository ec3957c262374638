// The sbemu program as a pipe port runs it: a job on standard input, exit codes, the log it
// appends to and the raw bytes it keeps.
#include "record/factory_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace sb {
namespace {

namespace fs = std::filesystem;

class EmulatorCli : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "sbemu_test_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    static void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<std::uint8_t> ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static std::string ReadText(const std::string& path) {
        const std::vector<std::uint8_t> bytes = ReadBytes(path);
        return {bytes.begin(), bytes.end()};
    }

    // The exit code of "sbemu <args>", its standard output in stdout.txt.
    int Run(const std::string& args) const {
        const std::string command =
            std::string(SBEMU_PATH) + " " + args + " > " + Path("stdout.txt") + " 2>/dev/null";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Stdout() const { return ReadText(Path("stdout.txt")); }

    static std::vector<std::uint8_t> Factory() {
        return {FactoryRecord().begin(), FactoryRecord().end()};
    }

private:
    fs::path m_dir;
};

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(EmulatorCli, ReceiveAppendsEachJobToTheLogAndKeepsTheRawBytes) {
    std::vector<std::uint8_t> job = Factory();
    WriteBytes(Path("job1"), job);
    job[7] = 0x0A; // MSW2-4 on
    WriteBytes(Path("job2"), job);
    const std::string args = "receive --log " + Path("log.txt") + " --out " + Path("raw.bin");

    EXPECT_EQ(Run(args + " < " + Path("job1")), 0);
    EXPECT_EQ(ReadBytes(Path("raw.bin")), Factory());
    EXPECT_EQ(Run(args + " < " + Path("job2")), 0);
    EXPECT_EQ(ReadBytes(Path("raw.bin")), job);
    EXPECT_EQ(Stdout(), "");

    const std::string log = ReadText(Path("log.txt"));
    EXPECT_EQ(log.substr(0, 4), "job ");
    EXPECT_EQ(Count(log, ", 270 bytes\nframe: ok\nmsw1-country: 日本\n"), 2u);
    EXPECT_EQ(Count(log, "\nmsw2-4: 無効(U)\n"), 1u);
    EXPECT_EQ(Count(log, "\nmsw2-4: 有効(Q)\n"), 1u);
    EXPECT_LT(log.find("msw2-4: 無効"), log.find("msw2-4: 有効"));
    // Each entry ends with an empty line.
    EXPECT_EQ(Count(log, "repairs: none\n\n"), 2u);
}

TEST_F(EmulatorCli, ReceiveWithoutALogPrintsTheJob) {
    WriteBytes(Path("job"), Factory());
    EXPECT_EQ(Run("receive < " + Path("job")), 0);
    const std::string out = Stdout();
    EXPECT_NE(out.find("\nparam.centering-cut-sheet: 40\n"), std::string::npos);
    EXPECT_NE(out.find("\nselect.form: 書式０\n"), std::string::npos);
}

TEST_F(EmulatorCli, AMalformedJobIsLoggedWithItsReasonAndExitsWith2) {
    std::vector<std::uint8_t> job = Factory();
    job.resize(10);
    WriteBytes(Path("short"), job);
    EXPECT_EQ(Run("receive --log " + Path("log.txt") + " --out " + Path("raw.bin") + " < " +
                  Path("short")),
              2);
    const std::string log = ReadText(Path("log.txt"));
    EXPECT_NE(log.find(", 10 bytes\nmalformed job: short (10 bytes, expected 270)\n\n"),
              std::string::npos);
    EXPECT_EQ(log.find("msw1-country"), std::string::npos);
    EXPECT_EQ(ReadBytes(Path("raw.bin")), job);

    // A job of the right length with a broken end is still decoded.
    job = Factory();
    job[269] = 0x01;
    WriteBytes(Path("bad_end"), job);
    EXPECT_EQ(Run("receive < " + Path("bad_end")), 2);
    EXPECT_NE(Stdout().find("malformed job: bad end (byte 269 is 01, expected 00)\nmsw1-country:"),
              std::string::npos);
}

TEST_F(EmulatorCli, ShowChecksTheSettingsFileHeader) {
    std::vector<std::uint8_t> file = {'Q', 'u', 'i', 'l', 'l', 's', 't', 'r', 'i',  'k',
                                      'e', ' ', '4', '8', '0', 'Z', 'Q', '9', '\n', 0x00};
    const std::vector<std::uint8_t> record = Factory();
    file.insert(file.end(), record.begin(), record.end());
    file[20 + 16] = '3'; // font 1
    WriteBytes(Path("good.dat"), file);
    EXPECT_EQ(Run("show " + Path("good.dat")), 0);
    std::string out = Stdout();
    EXPECT_EQ(out.substr(0, out.find('\n')), "file " + Path("good.dat") + ", 290 bytes");
    EXPECT_NE(out.find("\nheader: ok\nframe: ok\n"), std::string::npos);
    EXPECT_NE(out.find("\nparam.font1: ゴシック\n"), std::string::npos);

    file[19] = '!';
    WriteBytes(Path("bad.dat"), file);
    EXPECT_EQ(Run("show " + Path("bad.dat")), 2);
    EXPECT_NE(Stdout().find("\nnot a settings file: bad header: byte 19 is 21, expected 00\n"),
              std::string::npos);
    EXPECT_EQ(Stdout().find("param.font1"), std::string::npos);
}

TEST_F(EmulatorCli, ShowRawDecodesACapturedJob) {
    WriteBytes(Path("job.bin"), Factory());
    EXPECT_EQ(Run("show-raw " + Path("job.bin")), 0);
    EXPECT_NE(Stdout().find(", 270 bytes\nframe: ok\nmsw1-country:"), std::string::npos);

    std::vector<std::uint8_t> job = Factory();
    job[0] = 'X';
    WriteBytes(Path("bad.bin"), job);
    EXPECT_EQ(Run("show-raw " + Path("bad.bin")), 2);
}

TEST_F(EmulatorCli, UsageAndFileErrorsExitWith1) {
    EXPECT_EQ(Run(""), 1);
    EXPECT_EQ(Run("print"), 1);
    EXPECT_EQ(Run("show"), 1);
    EXPECT_EQ(Run("receive --log"), 1);
    EXPECT_EQ(Run("receive --verbose < /dev/null"), 1);
    EXPECT_EQ(Run("show " + Path("missing.dat")), 1);
    EXPECT_EQ(Run("show-raw " + Path("missing.bin")), 1);
    WriteBytes(Path("job"), Factory());
    EXPECT_EQ(Run("receive --log " + Path("no/such/dir/log.txt") + " < " + Path("job")), 1);
}

} // namespace
} // namespace sb

// switchboard-cli's commands on real files in a folder of their own, with a fake console and
// fake printers (and, for send --all, the panel's own spooler path over a fake spooler).
#include "cli/assignment.h"
#include "cli/cli.h"
#include "cli/output.h"
#include "cli/posix_file_access.h"
#include "cli/spooler_access.h"
#include "files/settings_file.h"
#include "record/factory_record.h"

#include "fake_spooler.h"
#include "tests/common/temp_files.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <regex>
#include <thread>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sb::cli {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class RecordingConsole final : public Console {
public:
    std::string Out(std::string_view text) override {
        out += outError.empty() ? text : "";
        return outError;
    }
    void Err(std::string_view text) override { err += text; }
    bool ErrIsTerminal() override { return terminal; }
    std::string out;
    std::string err;
    std::string outError; // as the real console says when it cannot write
    bool terminal = false;
};

class FakePrinters final : public PrinterAccess {
public:
    QueueList Queues() override { return {queues, listError}; }
    bool KnowsDriver() const override { return knowsDriver; }
    // The first sends wait until `together` are under way (for a while at most), so that a
    // test sees how many run at once; the first queue of `queues` then ends last.
    SendResult Send(const Queue& queue, const SettingRecord& record,
                    std::chrono::seconds /*wait*/) override {
        std::unique_lock lock(m_mutex);
        sent.emplace_back(queue.name, record);
        mostAtOnce = std::max(mostAtOnce, ++m_nAtOnce);
        m_changed.notify_all();
        m_changed.wait_for(lock, std::chrono::seconds(2),
                           [&] { return m_bTogether || m_nAtOnce >= together; });
        m_bTogether = true;
        if (!queues.empty() && queue.name == queues[0].name) {
            m_changed.wait_for(lock, std::chrono::seconds(2), [&] { return m_nAtOnce == 1; });
        }
        --m_nAtOnce;
        m_changed.notify_all();
        const auto found = results.find(queue.name);
        return found == results.end() ? SendResult{SendOutcome::Sent, {}} : found->second;
    }

    std::vector<Queue> queues;
    std::string listError;
    bool knowsDriver = true;
    std::map<std::string, SendResult> results;
    std::vector<std::pair<std::string, SettingRecord>> sent;
    std::size_t together = 1;
    std::size_t mostAtOnce = 0;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_nAtOnce = 0;
    bool m_bTogether = false;
};

Bytes FileOf(const SettingRecord& record) {
    const auto bytes = SettingsFileBytes(record);
    return {bytes.begin(), bytes.end()};
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Open to the unprivileged user that the read-only test runs as.
        fs::permissions(m_dir.Path(), fs::perms::owner_all | fs::perms::group_read |
                                          fs::perms::group_exec | fs::perms::others_read |
                                          fs::perms::others_exec);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(Path("ro"), fs::perms::owner_all, ignored);
    }

    std::string Path(const std::string& name) const { return m_dir.File(name); }
    // Every file of the folder with its bytes, to tell that nothing changed.
    std::map<std::string, Bytes> Snapshot() const {
        std::map<std::string, Bytes> files;
        for (const auto& entry : fs::recursive_directory_iterator(m_dir.Path())) {
            if (entry.is_regular_file()) {
                files[entry.path().string()] = test::ReadBytes(entry.path().string());
            }
        }
        return files;
    }

    int Run(std::vector<std::string> args) {
        console.out.clear();
        console.err.clear();
        return cli::Run(args, console, files, printers, devices);
    }

    // As a user for whom a folder without write permission is one; root writes anywhere.
    int RunUnprivileged(const std::vector<std::string>& args) {
        if (::geteuid() != 0) {
            return Run(args);
        }
        int pipe[2];
        EXPECT_EQ(::pipe(pipe), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipe[0]);
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            const int code = dropped ? Run(args) : 99;
            const ssize_t written = ::write(pipe[1], console.err.data(), console.err.size());
            ::_exit(written < 0 ? 98 : code);
        }
        ::close(pipe[1]);
        console = {};
        char buffer[4096];
        for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;) {
            console.err.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(pipe[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    RecordingConsole console;
    PosixFileAccess files;
    FakePrinters printers;
    FakePrinters devices;

private:
    test::TempDir m_dir;
};

// show's "key = value" lines as set's arguments.
std::vector<std::string> Assignments(const std::string& shown) {
    std::vector<std::string> assignments;
    const std::regex line(R"(\n  (\S+) *= (.*?)  # )");
    for (auto it = std::sregex_iterator(shown.begin(), shown.end(), line);
         it != std::sregex_iterator(); ++it) {
        assignments.push_back((*it)[1].str() + "=" + (*it)[2].str());
    }
    return assignments;
}

TEST_F(CliTest, ShowThenSetWithTheSameValuesGivesAByteIdenticalFile) {
    const std::string file = Path("a.dat");
    ASSERT_EQ(Run({"new", file, "select.print-pressure=-3", "form2.page-length=70",
                   "form2.left-margin=10", "msw2-4=有効(Q)", "param.lf-pitch-sheet-guide=+5",
                   "msw1-country=ドイツ"}),
              kExitOk)
        << console.err;
    const Bytes before = test::ReadBytes(file);
    ASSERT_EQ(before.size(), 290u);

    ASSERT_EQ(Run({"show", file}), kExitOk);
    std::vector<std::string> args = {"set", file};
    const std::vector<std::string> assignments = Assignments(console.out);
    EXPECT_EQ(assignments.size(), RecordFieldList().size());
    args.insert(args.end(), assignments.begin(), assignments.end());
    ASSERT_EQ(Run(args), kExitOk) << console.err;
    EXPECT_EQ(test::ReadBytes(file), before);
}

TEST_F(CliTest, ShowGivesEachPageItsFieldsAndTheRepairsLoadingMakes) {
    SettingRecord record = FactoryRecord();
    record[77] = 'X'; // a print pressure that reads nothing
    record[off::kFormBlock[3]] = '7';
    record[off::kFormBlock[3] + 1] = '2';
    test::WriteBytes(Path("a.dat"), FileOf(record));

    ASSERT_EQ(Run({"show", Path("a.dat")}), kExitOk);
    const std::string& out = console.out;
    EXPECT_EQ(out.substr(0, out.find('\n')), "settings file " + Path("a.dat"));
    for (const char* part : {
             "\n\n機能選択\n  select.auto-position-adjust    = 9  # 自動位置補正の調整(J)\n",
             "\n  select.print-position          = 0  # 印刷位置の微調整(K) mm\n",
             "\n\n書式の設定： 書式３\n  form3.load-front-tractor       = 120  # 吸入位置 "
             "フロントトラクタ(F) /120インチ\n",
             "\n  form3.page-length              = 72  # 用紙長(N) 行\n",
             "\n  msw2-1                         = off  # "
             "１バイトコード系数字ゼロにスラッシュを付ける(K) "
             "（MSW2-1）\n",
             "\n\nrepairs that loading makes:\n  byte 77 (select.print-pressure): 58 -> 30\n",
         }) {
        EXPECT_NE(out.find(part), std::string::npos) << part;
    }

    ASSERT_EQ(Run({"show", "factory", "--json"}), kExitOk);
    EXPECT_TRUE(console.out.starts_with(
        "{\n  \"schema\": 2,\n  \"source\": \"factory\",\n  \"fields\": [\n"));
    EXPECT_NE(
        console.out.find(
            "    {\"key\": \"param.intake-time\", \"page\": \"パラメータ設定\", \"group\": \"\", "
            "\"label\": \"シートガイドからの用紙吸入時間(J)\", \"unit\": \"秒\", \"kind\": "
            "\"number\", \"min\": 2, \"max\": 5, \"value\": 2},\n"),
        std::string::npos);
    EXPECT_NE(console.out.find("\"choices\": [\"縮小なし\", \"２／３縮小\", \"４／５縮小\"], "
                               "\"value\": \"縮小なし\""),
              std::string::npos);
    EXPECT_NE(console.out.find("\n  ],\n  \"repairs\": []\n}\n"), std::string::npos);
}

TEST_F(CliTest, DiffListsTheFieldsAndBytesThatDifferAndExitsWith1) {
    SettingRecord record = FactoryRecord();
    record[off::kReduction] = '5';
    record[off::kOpaque[0]] = 0x01;
    record[11] |= 0x02; // MSW3-6, a switch without a control
    record[off::kFormBlock[1] + 1] = '7';
    test::WriteBytes(Path("a.dat"), FileOf(record));

    EXPECT_EQ(Run({"diff", "factory", Path("a.dat")}), kExitDifferent);
    EXPECT_EQ(console.out, "select.reduction: 縮小なし -> ４／５縮小  # 縮小印刷(P)\n"
                           "form1.page-length: 66 -> 67  # 用紙長(N) 行\n"
                           "byte 11: 00 -> 02\n"
                           "byte 22: 00 -> 01\n");
    EXPECT_EQ(Run({"diff", Path("a.dat"), Path("a.dat")}), kExitOk);
    EXPECT_EQ(console.out, "");

    EXPECT_EQ(Run({"diff", "--json", "factory", Path("a.dat")}), kExitDifferent);
    EXPECT_TRUE(console.out.starts_with("{\n  \"schema\": 2,\n"));
    EXPECT_NE(console.out.find("\"a\": \"縮小なし\", \"b\": \"４／５縮小\"},\n"),
              std::string::npos);
    EXPECT_NE(console.out.find("\"a\": 66, \"b\": 67}\n  ],"), std::string::npos);
    EXPECT_NE(console.out.find("\n    {\"byte\": 22, \"a\": 0, \"b\": 1}\n  ]\n}\n"),
              std::string::npos);
}

TEST_F(CliTest, SetChangesAFileInPlaceOrIntoAnotherAndKeepsWhatItDoesNotTouch) {
    SettingRecord record = FactoryRecord();
    record[off::kOpaque[2]] = 0x7F;
    test::WriteBytes(Path("a.dat"), FileOf(record));
    ASSERT_EQ(Run({"set", Path("a.dat"), "form1.page-length=72", "-o", Path("b.dat")}), kExitOk);
    EXPECT_EQ(test::ReadBytes(Path("a.dat")), FileOf(record));
    ASSERT_EQ(Run({"set", Path("a.dat"), "form1.page-length=72"}), kExitOk);
    record[off::kFormBlock[1]] = '7';
    record[off::kFormBlock[1] + 1] = '2';
    EXPECT_EQ(test::ReadBytes(Path("a.dat")), FileOf(record));
    EXPECT_EQ(test::ReadBytes(Path("b.dat")), FileOf(record));
    EXPECT_EQ(console.out + console.err, "");
}

// Each kind of file that is no settings file, through every command that reads one.
class BadFileTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        printers.queues = {{"Q", "LPT1:"}};
        test::WriteBytes(Path("good.dat"), FileOf(FactoryRecord()));
    }

    void ExpectRefusedEverywhere(const std::string& path, const std::string& reason) {
        const std::map<std::string, Bytes> before = Snapshot();
        const std::string message = "switchboard-cli: " + path + ": " + reason + "\n";
        const std::vector<std::vector<std::string>> commands = {
            {"show", path},
            {"show", path, "--json"},
            {"diff", path, Path("good.dat")},
            {"diff", "factory", path},
            {"set", path, "select.form=書式１"},
            {"set", path, "select.form=書式１", "-o", Path("good.dat")},
            {"send", path, "--printer", "Q"},
            {"send", path, "--all"},
        };
        for (const std::vector<std::string>& command : commands) {
            EXPECT_EQ(Run(command), kExitBadInput) << command[0];
            EXPECT_EQ(console.err, message) << command[0];
            const bool json = command.back() == "--json";
            EXPECT_EQ(console.out, json ? "{\"schema\": 2, \"error\": " +
                                              JsonString(path + ": " + reason) + ", \"exit\": 2}\n"
                                        : "")
                << command[0];
        }
        EXPECT_EQ(Snapshot(), before);
        EXPECT_TRUE(printers.sent.empty());
    }
};

TEST_F(BadFileTest, MissingFile) {
    ExpectRefusedEverywhere(Path("none.dat"), "no such file");
}

TEST_F(BadFileTest, EmptyFile) {
    test::WriteBytes(Path("empty.dat"), {});
    ExpectRefusedEverywhere(Path("empty.dat"), "not a settings file: short: 0 bytes, expected 290");
}

TEST_F(BadFileTest, ShortFile) {
    Bytes file = FileOf(FactoryRecord());
    file.pop_back();
    test::WriteBytes(Path("short.dat"), file);
    ExpectRefusedEverywhere(Path("short.dat"),
                            "not a settings file: short: 289 bytes, expected 290");
}

TEST_F(BadFileTest, Folder) {
    fs::create_directory(Path("folder.dat"));
    ExpectRefusedEverywhere(Path("folder.dat"), "is a folder, not a settings file");
}

TEST_F(BadFileTest, WrongHeader) {
    Bytes file = FileOf(FactoryRecord());
    file[0] = 'q';
    test::WriteBytes(Path("header.dat"), file);
    ExpectRefusedEverywhere(Path("header.dat"),
                            "not a settings file: bad header: byte 0 is 71, expected 51");
}

TEST_F(BadFileTest, RandomFile) {
    Bytes file(290);
    std::uint32_t state = 12345;
    for (std::uint8_t& byte : file) {
        state = state * 1103515245 + 12345;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    test::WriteBytes(Path("random.bin"), file);
    ExpectRefusedEverywhere(Path("random.bin"), "not a settings file: bad header: byte 0 is " +
                                                    HexBytes(std::span(file).first(1)) +
                                                    ", expected 51");
}

// The panel loads a longer file and its save keeps the tail, so the tail is no reason to refuse.
TEST_F(CliTest, ALongerFileLoadsWithANoteAndSetKeepsItsTail) {
    SettingRecord record = FactoryRecord();
    record[off::kReduction] = '5';
    Bytes file = FileOf(record);
    const Bytes tail = {'t', 0x00, 'a', 'i', 'l'};
    file.insert(file.end(), tail.begin(), tail.end());
    test::WriteBytes(Path("long.dat"), file);

    EXPECT_EQ(Run({"diff", "factory", Path("long.dat")}), kExitDifferent);
    EXPECT_EQ(console.err, "switchboard-cli: " + Path("long.dat") +
                               ": the bytes after the 290th are ignored, as the panel ignores "
                               "them\n");
    ASSERT_EQ(Run({"set", Path("long.dat"), "select.reduction=縮小なし"}), kExitOk);
    Bytes expected = FileOf(FactoryRecord());
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(test::ReadBytes(Path("long.dat")), expected);
}

TEST_F(CliTest, RefusedKeysAndValuesWriteNothing) {
    test::WriteBytes(Path("a.dat"), FileOf(FactoryRecord()));
    const std::map<std::string, Bytes> before = Snapshot();
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"set", Path("a.dat"), "select.form=" + std::string(100000, 'x')},
         "select.form: \"" + std::string(60, 'x') +
             "…\" (100000 bytes) is not one of 書式０, 書式１, 書式２, 書式３, 書式４ (nothing "
             "written)"},
        {{"new", "factory"},
         "\"factory\" stands for the factory settings, not a file; to write a file of that "
         "name, give it as ./factory (nothing written)"},
        {{"new", ""}, "the file to write needs a name, not an empty one (nothing written)"},
        {{"show", ""}, "a FILE to read needs a name, not an empty one"},
        {{"set", Path("a.dat"), "select.colour=red"},
         "unknown key \"select.colour\" (nothing written)"},
        {{"set", Path("a.dat"), "form1.page-length=0", "-o", Path("b.dat")},
         "form1.page-length: \"0\" is not a whole number from 1 to 99 (nothing written)"},
        {{"new", Path("b.dat"), "param.font1=Times"},
         "param.font1: \"Times\" is not one of 標準, イタリック, クーリエ, ゴシック, OCR-B "
         "(nothing written)"},
        {{"set", Path("a.dat"), "Form1.page-length=7"},
         "\"Form1.page-length=7\" does not start with a key (lower-case letters, digits, '.' "
         "and '-') (switchboard-cli --help tells more)"},
    };
    for (const auto& [args, message] : cases) {
        EXPECT_EQ(Run(args), kExitBadInput) << message;
        EXPECT_EQ(console.err, "switchboard-cli: " + message + "\n");
    }
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(fs::exists("factory"));
}

// The link stays a link, in its own folder, and the file it leads to gets the settings.
// The file is changed where it is: whatever else knows it keeps knowing it.
TEST_F(CliTest, SetChangesTheFileInPlaceKeepingItsLinksOwnerAndMode) {
    fs::create_directory(Path("real"));
    fs::create_directory(Path("links"));
    test::WriteBytes(Path("real/a.dat"), FileOf(FactoryRecord()));
    fs::create_symlink("../real/a.dat", Path("links/a.dat"));
    fs::create_hard_link(Path("real/a.dat"), Path("real/b.dat"));
    ASSERT_EQ(::chown(Path("real/a.dat").c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(Path("real/a.dat").c_str(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(::stat(Path("real/a.dat").c_str(), &before), 0);

    ASSERT_EQ(Run({"set", Path("links/a.dat"), "select.reduction=４／５縮小"}), kExitOk)
        << console.err;
    EXPECT_EQ(fs::read_symlink(Path("links/a.dat")), "../real/a.dat");
    SettingRecord record = FactoryRecord();
    record[off::kReduction] = '5';
    EXPECT_EQ(test::ReadBytes(Path("real/a.dat")), FileOf(record));
    EXPECT_EQ(test::ReadBytes(Path("real/b.dat")), FileOf(record));
    struct stat after {};
    ASSERT_EQ(::stat(Path("real/a.dat").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, 65534u);
    EXPECT_EQ(after.st_gid, 65534u);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("real")), fs::directory_iterator()), 2);
}

// A FIFO, a device or a folder is never written, nor read first, nor waited for; a file the
// caller may not write is refused as the shell refuses it.
TEST_F(CliTest, OnlyAFileTheCallerMayWriteIsChanged) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    fs::create_directory(Path("folder"));
    const auto start = std::chrono::steady_clock::now();
    for (const std::string name : {"fifo", "folder"}) {
        EXPECT_EQ(Run({"set", Path(name), "select.form=書式１"}), kExitBadInput);
        EXPECT_EQ(console.err, "switchboard-cli: " + Path(name) + ": " +
                                   (name == "fifo" ? "is not a regular file (a device, a FIFO "
                                                     "or a socket)"
                                                   : "is a folder, not a settings file") +
                                   "\n");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_TRUE(fs::is_fifo(Path("fifo")));
    EXPECT_TRUE(fs::is_empty(Path("folder")));

    // In a folder the user cannot write, a file the user may write is still changed.
    fs::create_directory(Path("ro"));
    test::WriteBytes(Path("ro/a.dat"), FileOf(FactoryRecord()));
    test::WriteBytes(Path("ro/locked.dat"), FileOf(FactoryRecord()));
    fs::permissions(Path("ro/a.dat"), fs::perms::all);
    fs::permissions(Path("ro/locked.dat"), fs::perms::owner_read | fs::perms::others_read);
    fs::permissions(Path("ro"), fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    EXPECT_EQ(RunUnprivileged({"set", Path("ro/a.dat"), "select.form=書式２"}), kExitOk)
        << console.err;
    const std::map<std::string, Bytes> before = Snapshot();
    EXPECT_EQ(RunUnprivileged({"set", Path("ro/locked.dat"), "select.form=書式２"}), kExitBadInput);
    EXPECT_EQ(console.err, "switchboard-cli: " + Path("ro/locked.dat") +
                               ": cannot be written: Permission denied\n");
    EXPECT_EQ(RunUnprivileged({"new", Path("ro/b.dat")}), kExitBadInput);
    EXPECT_EQ(console.err, "switchboard-cli: " + Path("ro/b.dat") +
                               ": cannot create a file in the folder " + Path("ro") +
                               ": Permission denied\n");
    EXPECT_EQ(Snapshot(), before);
}

// What the system says is what the message says, not a guess.
TEST_F(CliTest, AFileThatCannotBeReachedIsRefusedWithTheSystemsReason) {
    fs::create_symlink("loop", Path("loop"));
    const std::string tooLong = Path(std::string(300, 'n') + ".dat");
    const std::pair<std::string, std::string> cases[] = {
        {Path("loop"), "cannot be read: Too many levels of symbolic links"},
        {tooLong, "cannot be read: File name too long"},
    };
    for (const auto& [path, reason] : cases) {
        EXPECT_EQ(Run({"show", path}), kExitBadInput);
        EXPECT_EQ(console.err, "switchboard-cli: " + ShownPath(path) + ": " + reason + "\n");
    }
    EXPECT_EQ(Run({"set", Path("loop"), "select.form=書式２"}), kExitBadInput);
    EXPECT_EQ(console.err, "switchboard-cli: " + Path("loop") +
                               ": cannot be written: Too many levels of symbolic links\n");
    // A folder that may not be searched is no missing file.
    fs::create_directory(Path("ro"));
    fs::permissions(Path("ro"), fs::perms::owner_all);
    EXPECT_EQ(RunUnprivileged({"show", Path("ro/a.dat")}), kExitBadInput);
    EXPECT_EQ(console.err,
              "switchboard-cli: " + Path("ro/a.dat") + ": cannot be read: Permission denied\n");
    // Any name the system takes is one a new file may have.
    const std::string longest = Path(std::string(251, 'n') + ".dat");
    EXPECT_EQ(Run({"new", longest}), kExitOk) << console.err;
    EXPECT_TRUE(fs::exists(longest));
}

// Another change of the file ends first; one that does not end in time is given up on.
TEST_F(CliTest, ASecondChangeWaitsForTheFilesLockAndGivesUp) {
    test::WriteBytes(Path("a.dat"), FileOf(FactoryRecord()));
    const int held = ::open(Path("a.dat").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run({"set", Path("a.dat"), "select.form=書式２", "--timeout", "1"}), kExitBadInput);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::seconds(1));
    EXPECT_LT(waited, std::chrono::milliseconds(1500));
    EXPECT_EQ(console.err, "switchboard-cli: " + Path("a.dat") +
                               ": another program is changing it (it holds the file's lock): "
                               "gave up after 1 s (nothing written)\n");
    EXPECT_EQ(test::ReadBytes(Path("a.dat")), FileOf(FactoryRecord()));

    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::close(held);
    });
    EXPECT_EQ(Run({"set", Path("a.dat"), "select.form=書式２", "--timeout", "5"}), kExitOk);
    release.join();
}

// A new file takes its name only once whole; a signal before that takes the half away too.
TEST_F(CliTest, ASignalWhileANewFileIsWrittenLeavesNothingBehind) {
    const pid_t child = ::fork();
    if (child == 0) {
        PosixFileAccess access;
        const auto big = [](const ReadResult&) {
            return std::optional<Bytes>(Bytes(256 << 20, 'x'));
        };
        ::_exit(access.Change(Path("new.dat"), 290, std::chrono::seconds(1), big).empty() ? 0 : 1);
    }
    // Stopped once the temporary file is there, within a few seconds at most.
    bool seen = false;
    for (int i = 0; i < 5000 && !seen; ++i) {
        seen = !fs::is_empty(Path(""));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_TRUE(fs::is_empty(Path("")));
}

TEST_F(CliTest, SendGoesOncePerPrinterWithALineForEach) {
    printers.queues = {{"A", "LPT1:"}, {"B", "USB001"}, {"C", "LPT2:"}};
    printers.results["C"] = {SendOutcome::Failed, "the spooler did not take the job"};
    SettingRecord record = FactoryRecord();
    record[7] = 0xF2; // loading drops the high bits: the job carries what the panel would send
    test::WriteBytes(Path("a.dat"), FileOf(record));

    EXPECT_EQ(Run({"send", Path("a.dat"), "--printer", "B", "--printer", "A", "--printer", "B"}),
              kExitOk);
    EXPECT_EQ(console.out, "sent: \"B\" (USB001)\nsent: \"A\" (LPT1:)\n");
    ASSERT_EQ(printers.sent.size(), 2u);
    EXPECT_EQ(printers.sent[0].second, FactoryRecord());

    printers.sent.clear();
    EXPECT_EQ(Run({"send", Path("a.dat"), "--all"}), kExitPrinterFailed);
    EXPECT_EQ(console.out, "sent: \"A\" (LPT1:)\nsent: \"B\" (USB001)\n"
                           "not sent: \"C\" (LPT2:): the spooler did not take the job\n");
    EXPECT_EQ(printers.sent.size(), 3u);

    printers.sent.clear();
    EXPECT_EQ(Run({"send", Path("a.dat"), "--printer", "A", "--printer", "D"}), kExitBadInput);
    EXPECT_EQ(console.err,
              "switchboard-cli: no printer \"D\" among the queues switchboard-cli printers lists "
              "(nothing sent)\n");
    printers.knowsDriver = false;
    EXPECT_EQ(Run({"send", Path("a.dat"), "--all"}), kExitBadInput);
    printers.listError = "the CUPS scheduler at /run/cups.sock does not answer: refused";
    EXPECT_EQ(Run({"send", Path("a.dat"), "--printer", "A"}), kExitPrinterFailed);
    EXPECT_EQ(console.err, "switchboard-cli: " + printers.listError + "\n");
    EXPECT_TRUE(printers.sent.empty());
}

// Up to --jobs at once, the first named ending last, and still a line each in the order named.
TEST_F(CliTest, SendWorksOnSeveralPrintersAtOnceAndReportsInTheOrderNamed) {
    printers.queues = {{"A", "LPT1:"}, {"B", "USB001"}, {"C", "LPT2:"}, {"D", "LPT3:"}};
    printers.results["C"] = {SendOutcome::Failed, "the spooler did not take the job"};
    devices.results["socket://10.0.0.9:9100"] = {SendOutcome::Failed, "refused"};
    printers.together = 3;
    test::WriteBytes(Path("a.dat"), FileOf(FactoryRecord()));
    const std::vector<std::string> args = {"send",      Path("a.dat"),
                                           "--printer", "A",
                                           "--device",  "socket://10.0.0.9",
                                           "--printer", "B",
                                           "--printer", "C",
                                           "--printer", "D",
                                           "--device",  "socket://10.0.0.9:9100",
                                           "--jobs",    "3"};

    EXPECT_EQ(Run(args), kExitPrinterFailed);
    EXPECT_EQ(console.out, "sent: \"A\" (LPT1:)\nnot sent: socket://10.0.0.9:9100: refused\n"
                           "sent: \"B\" (USB001)\n"
                           "not sent: \"C\" (LPT2:): the spooler did not take the job\n"
                           "sent: \"D\" (LPT3:)\n");
    EXPECT_EQ(console.err, "");
    EXPECT_EQ(printers.mostAtOnce, 3u);
    EXPECT_EQ(devices.sent.size(), 1u);

    // For a script: a JSON object a line; for someone watching: the counts as they change.
    console.terminal = true;
    EXPECT_EQ(
        Run({"send", Path("a.dat"), "--device", "socket://10.0.0.9", "--printer", "A", "--json"}),
        kExitPrinterFailed);
    EXPECT_EQ(console.out, "{\"schema\": 2, \"device\": \"socket://10.0.0.9:9100\", "
                           "\"connection\": \"socket://10.0.0.9:9100\", \"outcome\": \"not "
                           "sent\", \"reason\": \"refused\"}\n"
                           "{\"schema\": 2, \"printer\": \"A\", \"connection\": \"LPT1:\", "
                           "\"outcome\": \"sent\", \"reason\": null}\n");
    EXPECT_TRUE(console.err.starts_with("\rsending: 0 done, 0 failed, 2 left")) << console.err;
    EXPECT_TRUE(console.err.ends_with("\r" + std::string(33, ' ') + "\r")) << console.err;

    // Devices alone need no queue list, nor a scheduler that answers.
    printers.listError = "the CUPS scheduler at /run/cups.sock does not answer";
    EXPECT_EQ(Run({"send", Path("a.dat"), "--device", "socket://10.0.0.9"}), kExitPrinterFailed);
    EXPECT_EQ(console.out, "not sent: socket://10.0.0.9:9100: refused\n");
    EXPECT_EQ(Run({"send", Path("a.dat"), "--printer", "A", "--json"}), kExitPrinterFailed);
    EXPECT_EQ(console.out,
              "{\"schema\": 2, \"error\": \"" + printers.listError + "\", \"exit\": 3}\n");
}

// The panel's own path: the queues its selection offers, its job, its refusal of FILE:.
TEST_F(CliTest, SendAllReachesEachQueueOfTheDriverOnceAndSkipsFile) {
    test::FakeSpooler spooler;
    spooler.AddLocal("Q1", "VYR Quillstrike 480ZQ9", "LPT1:");
    spooler.AddLocal("Q2", "VYR Quillstrike 480ZQ9", "USB001");
    spooler.AddLocal("File", "VYR Quillstrike 480ZQ9", "FILE:");
    spooler.AddLocal("Other", "Another printer", "LPT2:");
    SpoolerAccess access(spooler, OsVersionInfo{});
    test::WriteBytes(Path("a.dat"), FileOf(FactoryRecord()));
    // One at a time: the fake spooler keeps its records unguarded.
    const std::vector<std::string> args = {"send", Path("a.dat"), "--all", "--jobs", "1"};
    EXPECT_EQ(cli::Run(args, console, files, access, devices), kExitOk);
    EXPECT_EQ(console.out, "skipped: \"File\" (FILE:): the connection is FILE:, which never "
                           "reaches the printer (the panel refuses it too)\n"
                           "sent: \"Q1\" (LPT1:)\nsent: \"Q2\" (USB001)\n");
    ASSERT_EQ(spooler.docs.size(), 2u);
    EXPECT_EQ(spooler.docs[0].docName, "Switchboard Status Write");
    EXPECT_EQ(spooler.writes,
              (std::vector<Bytes>(2, Bytes(FactoryRecord().begin(), FactoryRecord().end()))));
}

TEST_F(CliTest, UsageErrorsExitWith2AndHelpWith0) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "no command given"},
        {{"print", "a.dat", "--json"}, "unknown command \"print\""},
        {{"show", "a.dat", "--all"}, "show takes no option \"--all\""},
        {{"send", "a.dat", "--printer"}, "--printer takes a NAME"},
        {{"send", "a.dat", "--printer", "-q"},
         "--printer takes a NAME, not the option \"-q\" (a NAME that starts with '-' goes as "
         "--printer=NAME)"},
        {{"set", "a.dat", "k=v", "-o", "b.dat", "-o", "c.dat"}, "-o goes once"},
        {{"show", "a.dat", "--json=yes"}, "--json takes no value"},
        {{"send", "a.dat", "--device", "socket://[::1"},
         "--device takes socket://HOST[:PORT], not \"socket://[::1\": the ']' after the IPv6 "
         "address is missing"},
        {{"send", "a.dat", "--device", "socket://127.0.0.1%3a1"},
         "--device takes socket://HOST[:PORT], not \"socket://127.0.0.1%3a1\": '%' only goes "
         "before an IPv6 address's zone, as in socket://[fe80::1%25eth0]"},
        {{"send", "a.dat", "--device", "socket://[127.0.0.1]:1"},
         "--device takes socket://HOST[:PORT], not \"socket://[127.0.0.1]:1\": brackets go "
         "only around an IPv6 address"},
        {{"send", "a.dat", "--device", "socket://127.1"},
         "--device takes socket://HOST[:PORT], not \"socket://127.1\": an IPv4 address is four "
         "numbers from 0 to 255, without leading zeros"},
        {{"send", "a.dat", "--device", "socket://printer:65536"},
         "--device takes socket://HOST[:PORT], not \"socket://printer:65536\": the port is a "
         "whole number from 1 to 65535"},
        {{"send", "a.dat", "--jobs", "0", "--all"}, "--jobs takes a whole number from 1 to 256"},
        {{"set", "a.dat", "k=v", "--timeout", "3601"},
         "--timeout takes a whole number of seconds from 1 to 3600"},
        {{"set", "a.dat"}, "set takes a FILE and at least one KEY=VALUE"},
        {{"diff", "a.dat"}, "diff takes two FILEs"},
    };
    for (const auto& [args, message] : cases) {
        EXPECT_EQ(Run(args), kExitBadInput) << message;
        EXPECT_EQ(console.err,
                  "switchboard-cli: " + message + " (switchboard-cli --help tells more)\n");
    }
    // An option's value is never another option, even the one that asks for JSON.
    EXPECT_EQ(Run({"send", "a.dat", "--printer", "--json"}), kExitBadInput);
    EXPECT_TRUE(console.out.starts_with(
        "{\"schema\": 2, \"error\": \"--printer takes a NAME, not the option \\\"--json\\\""))
        << console.out;
    EXPECT_TRUE(printers.sent.empty());

    EXPECT_EQ(Run({"show", "--printer", "--help"}), kExitOk);
    EXPECT_TRUE(console.out.starts_with("Usage: switchboard-cli show FILE [--json]\n"));
    EXPECT_NE(console.out.find("\n  3  a printer or the spooler did not take the job, or the "
                               "queues could not be\n     listed\n"
                               "  4  standard output could not be written"),
              std::string::npos);
}

// After "--" a name is a name, and "--printer=NAME" takes any NAME; a device named twice,
// in two spellings, is sent to once.
TEST_F(CliTest, OperandsAndValuesMayStartWithADashAndOneAddressIsOnePrinter) {
    test::WriteBytes(Path("-a.dat"), FileOf(FactoryRecord()));
    const fs::path before = fs::current_path();
    fs::current_path(Path(""));
    EXPECT_EQ(Run({"show", "--", "-a.dat"}), kExitOk) << console.err;
    EXPECT_TRUE(console.out.starts_with("settings file -a.dat\n"));

    printers.queues = {{"-q", "LPT1:"}};
    const std::vector<std::string> args = {"send",
                                           "./-a.dat",
                                           "--printer=-q",
                                           "--device",
                                           "socket://[::1]:9",
                                           "--device",
                                           "SOCKET://[0:0::1]:9",
                                           "--device",
                                           "socket://[::ffff:127.0.0.1]:9",
                                           "--device",
                                           "socket://Printer.Example",
                                           "--device",
                                           "socket://printer.example:9100",
                                           "--device",
                                           "socket://127.0.0.1:9"};
    EXPECT_EQ(Run(args), kExitOk) << console.err;
    fs::current_path(before);
    EXPECT_EQ(console.out, "sent: \"-q\" (LPT1:)\nsent: socket://[::1]:9\n"
                           "sent: socket://127.0.0.1:9\nsent: socket://printer.example:9100\n");
    EXPECT_EQ(devices.sent.size(), 3u);
}

// Names and values come from anyone: cut when long, never able to drive the terminal.
TEST_F(CliTest, TextsFromOutsideAreCutAndShownEscaped) {
    const std::string name = Path("\x1b[31mred\x07.dat");
    test::WriteBytes(name, FileOf(FactoryRecord()));
    EXPECT_EQ(Run({"show", name}), kExitOk);
    EXPECT_TRUE(console.out.starts_with("settings file " + Path("\\x1b[31mred\\x07.dat") + "\n"));

    const std::string deep = Path(std::string(100, 'd') + "/\xc2\x9b" + "x.dat");
    EXPECT_EQ(Run({"show", deep}), kExitBadInput);
    EXPECT_EQ(console.err, "switchboard-cli: " + deep.substr(0, 60) + "… (" +
                               std::to_string(deep.size()) + " bytes): no such file\n");
    EXPECT_EQ(Run({"set", name, "select.form=\x1b]0;title\x07"}), kExitBadInput);
    EXPECT_EQ(console.err, "switchboard-cli: select.form: \"\\x1b]0;title\\x07\" is not one of "
                           "書式０, 書式１, 書式２, 書式３, 書式４ (nothing written)\n");
    EXPECT_EQ(TerminalText("\xc2\x9b\xff\x7f日本"), "\\xc2\\x9b\\xff\\x7f日本");
}

TEST(CliText, AssignmentsSplitAtTheFirstEqualsSign) {
    const auto parsed = ParseAssignment("select.print-pressure=-6=x");
    ASSERT_TRUE(std::holds_alternative<FieldAssignment>(parsed));
    EXPECT_EQ(std::get<FieldAssignment>(parsed).key, "select.print-pressure");
    EXPECT_EQ(std::get<FieldAssignment>(parsed).value, "-6=x");
    EXPECT_EQ(std::get<std::string>(ParseAssignment("form1")), "\"form1\" is not KEY=VALUE");
}

TEST(CliText, JsonStringsEscapeWhatTheyMustAndReplaceStrayBytes) {
    EXPECT_EQ(JsonString("a\"b\\c\nd\x01日本"), "\"a\\\"b\\\\c\\nd\\u0001日本\"");
    EXPECT_EQ(JsonString("x\xFFy\xE6\x97"), "\"x\xEF\xBF\xBDy\xEF\xBF\xBD\xEF\xBF\xBD\"");
    EXPECT_EQ(JsonString("\x7f\xc2\x9b[2J"), "\"\\u007f\\u009b[2J\"");
}

} // namespace
} // namespace sb::cli

// Any bytes as a settings file, loaded by the program's own load command into the six page
// models; and the same bytes through the emulator's checks and record text.
#include "model_panel.h"

#include "files/settings_file.h"
#include "files/settings_files.h"
#include "record/factory_record.h"
#include "tools/job_check.h"
#include "tools/record_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

using namespace sb;

namespace {

class MemoryFile final : public StoredFile {
public:
    explicit MemoryFile(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::size_t Read(std::span<std::uint8_t> buffer) override {
        const std::size_t count = std::min(buffer.size(), m_bytes.size());
        std::copy_n(m_bytes.begin(), count, buffer.begin());
        m_bytes = m_bytes.subspan(count);
        return count;
    }
    bool Write(std::span<const std::uint8_t>) override { return false; }
    bool Close() override { return true; }

private:
    std::span<const std::uint8_t> m_bytes;
};

class MemoryStore final : public FileStore {
public:
    explicit MemoryStore(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    OpenResult OpenToRead(const std::string&) override {
        return {std::make_unique<MemoryFile>(m_bytes)};
    }
    OpenResult OpenAlways(const std::string&) override { return {nullptr, OpenFailure::Other}; }
    bool Exists(const std::string&) const override { return true; }

private:
    std::span<const std::uint8_t> m_bytes;
};

class ChooseFile final : public FileDialogs {
public:
    std::optional<std::string> Run(const FileDialogSpec&, const std::string&) override {
        return "C:\\fuzz.dat";
    }
};

class OpenFolders final : public UserFolders {
public:
    bool AcceptsNewFile(const std::string&) override { return true; }
    std::string Documents() override { return {}; }
};

class NtVersion final : public OsVersion {
public:
    OsVersionInfo Get() const override { return {}; }
};

constexpr char kHeader[20] = {'Q', 'u', 'i', 'l', 'l', 's', 't', 'r', 'i',  'k',
                              'e', ' ', '4', '8', '0', 'Z', 'Q', '9', '\n', '\0'};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);

    fuzz::ModelPanel panel;
    panel.startupDone = false;
    panel.state.InitCopies();
    panel.state.DecodeAllPages();
    panel.startupDone = true;

    MemoryStore store(bytes);
    ChooseFile dialogs;
    OpenFolders folders;
    NtVersion os;
    CSettingsFiles files(panel.state, panel.view, panel.prompter, store, dialogs, folders, os,
                         "C:\\", panel.startupDone);
    files.Load();

    const bool isSettingsFile = size >= 290 && std::memcmp(data, kHeader, sizeof kHeader) == 0;
    const SettingRecord& current = panel.state.Current();
    const SettingRecord& saved = panel.state.Saved();
    if (isSettingsFile) {
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            if (!fuzz::PageField(i) && (current[i] != data[20 + i] || saved[i] != data[20 + i])) {
                fuzz::Fail("loaded record lost a file byte", i, current[i], data[20 + i]);
            }
        }
    } else {
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            if (current[i] != FactoryRecord()[i] || saved[i] != FactoryRecord()[i]) {
                fuzz::Fail("refused file changed a copy", i, current[i], FactoryRecord()[i]);
            }
        }
        if (panel.prompter.m_strLast != "このファイルは設定ファイルではありません。") {
            fuzz::Fail("refused file without the message", 0, 0, 0);
        }
    }

    // The emulator's side: its header check agrees with the loader, it frames any bytes, and
    // it shows what it would show: a settings file's record, or bytes as long as a record.
    const SettingsFileCheck check = CheckSettingsFile(bytes);
    if (check.record.has_value() != isSettingsFile) {
        fuzz::Fail("header check disagrees with the loader", 0, isSettingsFile, !isSettingsFile);
    }
    CheckFrame(bytes);
    if (check.record) {
        RenderRecord(*check.record);
    } else if (size == kRecordSize) {
        SettingRecord raw{};
        std::copy_n(data, size, raw.begin());
        RenderRecord(raw);
    }
    return 0;
}

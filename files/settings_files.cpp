#include "files/settings_files.h"

#include "files/settings_file.h"

#include <array>
#include <utility>

namespace sb {
namespace {

constexpr std::string_view kAskDiscard = "設定が変更されています。\n"
                                         "コマンドを続行すると設定の変更は破棄されます。";
constexpr std::string_view kNotSettingsFile = "このファイルは設定ファイルではありません。";
constexpr std::string_view kWriteFailed = "設定ファイルの書き込みに失敗しました。";
constexpr std::string_view kWriteDenied =
    "設定ファイルの書き込みに失敗しました。\n"
    "このディレクトリに保存するアクセス許可がない可能性があります。\n"
    "設定ファイルの保存先を変更してやり直してください。";

} // namespace

CSettingsFiles::CSettingsFiles(CSettingsState& state, SettingsView& view, Prompter& prompter,
                               FileStore& store, FileDialogs& dialogs, UserFolders& folders,
                               const OsVersion& os, std::string programDirectory,
                               const bool& startupDone)
    : m_state(state), m_view(view), m_prompter(prompter), m_store(store), m_dialogs(dialogs),
      m_folders(folders), m_os(os), m_strProgramDirectory(std::move(programDirectory)),
      m_bStartupDone(startupDone) {}

void CSettingsFiles::Load() {
    if (m_bStartupDone) {
        m_state.EncodeAllPages();
        // Only what was sent counts here: a load replaces unsaved settings without asking.
        if (m_state.IsUnsent() &&
            m_prompter.Message(kAskDiscard, mb::kYesNo | mb::kIconExclamation) != Answer::Yes) {
            return;
        }
    }
    const std::optional<std::string> path = m_dialogs.Run(kLoadDialog, StartFolder());
    if (!path) {
        return;
    }
    // The whole file is read before anything changes, so that a short or foreign file leaves
    // the current copy exactly as it was.
    std::array<std::uint8_t, kSettingsFileSize> bytes{};
    std::size_t size = 0;
    if (OpenResult opened = m_store.OpenToRead(*path); opened.file) {
        size = opened.file->Read(bytes);
    }
    const std::optional<SettingRecord> record =
        ParseSettingsFile(std::span<const std::uint8_t>(bytes.data(), size));
    if (!record) {
        m_prompter.Message(kNotSettingsFile, mb::kOk | mb::kIconExclamation);
        return;
    }
    m_state.Current() = *record;
    m_state.DecodeAllPages();
    // The saved copy takes what decoding repaired, not the file's own bytes.
    m_state.MarkSaved();
    m_state.OnDataCheck();
    m_view.RefreshFormButtonCaption();
}

void CSettingsFiles::Save() {
    m_state.EncodeAllPages();
    std::optional<std::string> path = m_dialogs.Run(kSaveDialog, StartFolder());
    while (path) {
        OpenFailure failure = OpenFailure::None;
        if (Write(*path, failure)) {
            m_state.MarkSaved();
            return;
        }
        if (failure != OpenFailure::AccessDenied || m_os.Get().platformId != kPlatformNt) {
            m_prompter.Message(kWriteFailed, mb::kOk | mb::kIconError);
            return;
        }
        m_prompter.Message(kWriteDenied, mb::kOk | mb::kIconExclamation);
        path = m_dialogs.Run(kSaveDialog, StartFolder());
    }
}

// The program's folder where this user may add a file to it, as where the portable zip was
// unzipped; else Documents, as for a standard user of a program under Program Files, whose
// first save would otherwise be refused.
std::string CSettingsFiles::StartFolder() {
    if (m_folders.AcceptsNewFile(m_strProgramDirectory)) {
        return m_strProgramDirectory;
    }
    std::string documents = m_folders.Documents();
    return documents.empty() ? m_strProgramDirectory : documents;
}

// False with the create's own failure when the file did not open; false with None when it
// opened but the data did not all reach it.
bool CSettingsFiles::Write(const std::string& path, OpenFailure& failure) {
    OpenResult opened = m_store.OpenAlways(path);
    failure = opened.failure;
    if (!opened.file) {
        return false;
    }
    const auto* header = reinterpret_cast<const std::uint8_t*>(kSettingsHeader);
    const bool written =
        opened.file->Write(std::span<const std::uint8_t>(header, kSettingsHeaderSize)) &&
        opened.file->Write(m_state.Current());
    return opened.file->Close() && written;
}

} // namespace sb

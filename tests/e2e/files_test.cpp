// Settings files as the user meets them: what a save writes, what a load brings back, the
// question before unsent changes are thrown away, files that are refused, and where the save
// goes when the program's folder takes no new file from this user.
#include "tests/e2e/scenario.h"

namespace sb::e2e {
namespace {

using Files = Scenario;

Bytes Join(const Bytes& head, const Bytes& tail) {
    Bytes bytes = head;
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

Bytes SentJob(JobCapture& capture, DWORD pid, const Panel& main) {
    main.Command(kSend);
    EXPECT_TRUE(Answer(pid, "プリンタに設定値を送信しました。", {IDOK}, IDOK));
    return capture.WaitJob(kWaitMs).value_or(Bytes{});
}

TEST_F(Files, SaveWritesHeaderAndRecordAndLoadBringsThemBack) {
    AddCapturedQueue(L"Quillstrike");
    std::unique_ptr<AppProcess> app;
    const HWND panel = StartPanel(app);
    ASSERT_NE(panel, nullptr);
    const DWORD pid = app->Pid();
    const Panel main(panel);
    const HWND msw2 = main.ShowPage(kShowMsw2, L"MSW2");
    ASSERT_NE(msw2, nullptr);
    Click(msw2, kQuietModeOn);

    const std::wstring path = Dir().Dos("saved.dat");
    main.Command(kSave);
    ASSERT_TRUE(AnswerFileDialog(pid, path));
    EXPECT_TRUE(OnlyPanel(pid, panel));
    const Bytes file = ReadFileBytes(path).value_or(Bytes{});
    ASSERT_EQ(file.size(), 290u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 20), FileHeader());
    const Bytes saved(file.begin() + 20, file.end());
    EXPECT_EQ(ChangesBetween(FactoryRecord(), saved), (Changes{{7, 0x0A}}));

    main.Command(kFactory);
    EXPECT_TRUE(Answer(pid, "現在の設定値は破棄されます、\n工場出荷設定値に変更しますか？",
                       {IDOK, IDCANCEL}, IDOK));
    EXPECT_TRUE(Answer(pid, "工場出荷設定値を表示しました。", {IDOK}, IDOK));
    EXPECT_FALSE(IsChecked(msw2, kQuietModeOn));

    // The factory values are what was sent (nothing yet), so the load asks nothing.
    main.Command(kLoad);
    ASSERT_TRUE(AnswerFileDialog(pid, path));
    EXPECT_TRUE(OnlyPanel(pid, panel));
    EXPECT_TRUE(IsChecked(msw2, kQuietModeOn));
    EXPECT_EQ(SentJob(Capture(), pid, main), saved);
}

TEST_F(Files, LoadingOverUnsentChangesAsksFirst) {
    // Made elsewhere: MSW4-1 off, form 2 chosen, an opaque byte no page writes, and a tail
    // beyond the record that the load ignores.
    Bytes record = FactoryRecord();
    record[13] = 0x0D;
    record[22] = 0x41;
    record[85] = '2';
    const std::wstring path = Dir().Dos("made.dat");
    ASSERT_TRUE(WriteFileBytes(path, Join(Join(FileHeader(), record), {'x', 'y'})));

    AddCapturedQueue(L"Quillstrike");
    std::unique_ptr<AppProcess> app;
    const HWND panel = StartPanel(app);
    ASSERT_NE(panel, nullptr);
    const DWORD pid = app->Pid();
    const Panel main(panel);
    const HWND msw1 = main.ShowPage(kShowMsw1, L"MSW1");
    ASSERT_NE(msw1, nullptr);
    ASSERT_TRUE(Choose(msw1, kCountry, L"ドイツ"));

    constexpr std::string_view question =
        "設定が変更されています。\nコマンドを続行すると設定の変更は破棄されます。";
    main.Command(kLoad);
    EXPECT_TRUE(Answer(pid, question, {IDYES, IDNO}, IDNO));
    EXPECT_TRUE(OnlyPanel(pid, panel));
    EXPECT_EQ(ComboText(msw1, kCountry), L"ドイツ");

    main.Command(kLoad);
    EXPECT_TRUE(Answer(pid, question, {IDYES, IDNO}, IDYES));
    ASSERT_TRUE(AnswerFileDialog(pid, path));
    EXPECT_TRUE(OnlyPanel(pid, panel));
    EXPECT_EQ(ComboText(msw1, kCountry), L"日本");
    EXPECT_TRUE(IsChecked(main.Page(L"MSW4"), kIdleStrikeOff));
    const HWND select = main.Page(L"機能選択");
    EXPECT_EQ(ComboText(select, kFormSelection), L"書式２");
    EXPECT_EQ(TextOf(::GetDlgItem(select, kFormButton)), L"書式２の設定(&D)...");
    EXPECT_EQ(SentJob(Capture(), pid, main), record);
}

TEST_F(Files, AFileWithoutTheHeaderIsRefusedAndChangesNothing) {
    // The header in lower case, then a record that would turn MSW4-1 off.
    Bytes record = FactoryRecord();
    record[13] = 0x0D;
    const std::wstring path = Dir().Dos("lower.dat");
    ASSERT_TRUE(WriteFileBytes(
        path,
        Join(HexBytes("71 75 69 6C 6C 73 74 72 69 6B 65 20 34 38 30 7A 71 39 0A 00"), record)));

    AddCapturedQueue(L"Quillstrike");
    std::unique_ptr<AppProcess> app;
    const HWND panel = StartPanel(app);
    ASSERT_NE(panel, nullptr);
    const DWORD pid = app->Pid();
    const Panel main(panel);

    for (const std::wstring& name : {path, Dir().Dos("missing.dat")}) {
        main.Command(kLoad);
        ASSERT_TRUE(AnswerFileDialog(pid, name));
        EXPECT_TRUE(Answer(pid, "このファイルは設定ファイルではありません。", {IDOK}, IDOK))
            << Narrow(name);
        EXPECT_TRUE(OnlyPanel(pid, panel));
    }
    EXPECT_FALSE(IsChecked(main.Page(L"MSW4"), kIdleStrikeOff));
    EXPECT_EQ(SentJob(Capture(), pid, main), FactoryRecord());
}

// The program in a folder this user cannot add a file to, as Program Files is for a standard
// user: tests/e2e/unwritable_folder.sh runs this group with it on a read-only mount.
class Unwritable : public Scenario {
protected:
    static constexpr wchar_t kShellFolders[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

    // Documents as the system names it, moved into the scenario's folder for the run.
    void SetUp() override {
        Scenario::SetUp();
        ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ | KEY_SET_VALUE,
                                  &m_hFolders),
                  ERROR_SUCCESS);
        wchar_t old[MAX_PATH];
        DWORD size = sizeof old;
        m_bHadDocuments =
            ::RegGetValueW(m_hFolders, nullptr, L"Personal", RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                           nullptr, old, &size) == ERROR_SUCCESS;
        if (m_bHadDocuments) {
            m_strOldDocuments = old;
        }
        ::CreateDirectoryW(Documents().c_str(), nullptr);
        SetDocuments(Documents());
    }
    void TearDown() override {
        if (m_hFolders == nullptr) {
            return;
        }
        if (m_bHadDocuments) {
            SetDocuments(m_strOldDocuments);
        } else {
            ::RegDeleteValueW(m_hFolders, L"Personal");
        }
        ::RegCloseKey(m_hFolders);
    }

    std::wstring Documents() const { return Dir().Dos("Documents"); }

private:
    void SetDocuments(const std::wstring& path) const {
        const auto bytes = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
        ::RegSetValueExW(m_hFolders, L"Personal", 0, REG_EXPAND_SZ,
                         reinterpret_cast<const BYTE*>(path.c_str()), bytes);
    }

    HKEY m_hFolders = nullptr;
    bool m_bHadDocuments = false;
    std::wstring m_strOldDocuments;
};

TEST_F(Unwritable, TheSaveDialogStartsInDocumentsAndTheFileIsSavedThere) {
    std::wstring program = DosPath(EnvVar("SB_E2E_APP"));
    program.resize(program.rfind(L'\\') + 1);
    const UniqueHandle probe(::CreateFileW((program + L"probe.tmp").c_str(), GENERIC_WRITE, 0,
                                           nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE,
                                           nullptr));
    ASSERT_EQ(probe.Get(), INVALID_HANDLE_VALUE)
        << Narrow(program) << " takes new files: run this group through unwritable_folder.sh";

    AddCapturedQueue(L"Quillstrike");
    std::unique_ptr<AppProcess> app;
    const HWND panel = StartPanel(app);
    ASSERT_NE(panel, nullptr);
    const DWORD pid = app->Pid();
    const Panel main(panel);

    // A name without a folder is saved in the folder the dialog shows.
    main.Command(kSave);
    ASSERT_TRUE(AnswerFileDialog(pid, L"saved.dat"));
    EXPECT_TRUE(OnlyPanel(pid, panel));
    EXPECT_EQ(ReadFileBytes(Documents() + L"\\saved.dat").value_or(Bytes{}),
              Join(FileHeader(), FactoryRecord()));
}

} // namespace
} // namespace sb::e2e

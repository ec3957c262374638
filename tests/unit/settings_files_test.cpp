#include "panel_fixture.h"

#include "files/settings_file.h"

namespace sb::test {
namespace {

constexpr const char* kNotSettingsFile = "このファイルは設定ファイルではありません。";
constexpr const char* kAskDiscard =
    "設定が変更されています。\nコマンドを続行すると設定の変更は破棄されます。";
constexpr unsigned kYesNoExclamation = 0x34;
constexpr const char* kWriteFailed = "設定ファイルの書き込みに失敗しました。";
constexpr const char* kWriteDenied =
    "設定ファイルの書き込みに失敗しました。\n"
    "このディレクトリに保存するアクセス許可がない可能性があります。\n"
    "設定ファイルの保存先を変更してやり直してください。";

const std::vector<std::uint8_t> kHeader = {'Q', 'u', 'i', 'l', 'l', 's', 't', 'r', 'i',  'k',
                                           'e', ' ', '4', '8', '0', 'Z', 'Q', '9', '\n', 0x00};

std::vector<std::uint8_t> FileOf(const std::vector<std::uint8_t>& header,
                                 const SettingRecord& record, std::size_t recordBytes = 270) {
    std::vector<std::uint8_t> bytes = header;
    bytes.insert(bytes.end(), record.begin(), record.begin() + recordBytes);
    return bytes;
}

// --- Loading ---

TEST_F(PanelTest, SavedFileLoadsBackWithDecodeRepairsInTheSavedCopy) {
    StartUp();
    Change(select, 0x53);
    Change(param, 0x50);
    const std::string path = dir.File("round.dat");
    dialogs.choices.push_back(path);
    core.OnSaveSettingsFile();
    const SettingRecord written = FactoryWith({{70, 0x53}, {28, 0x50}});
    EXPECT_EQ(ReadBytes(path), FileOf(kHeader, written));
    EXPECT_EQ(core.State().Saved(), written);

    Change(msw2, 0x05);
    param.repairFrom = 0x50;
    param.repairTo = 0x31;
    log.clear();
    prompter.Expect(kAskDiscard, kYesNoExclamation, Answer::Yes);
    dialogs.choices.push_back(path);
    core.OnLoadSettingsFile();
    EXPECT_EQ(log, Seq({kEncodeAll,
                        {"box " + std::string(kAskDiscard), "open dialog"},
                        kDecodeAll,
                        kEncodeAll,
                        {"send command on", "refresh form caption"}}));
    const SettingRecord repaired = FactoryWith({{70, 0x53}, {28, 0x31}});
    EXPECT_EQ(core.State().Current(), repaired);
    EXPECT_EQ(core.State().Saved(), repaired);
    EXPECT_EQ(core.State().Sent(), FactoryRecord());
    EXPECT_EQ(msw2.value, 0x02);
}

TEST_F(PanelTest, LoadAsksOnlyAboutUnsentSettings) {
    StartUp();
    // Saved but never sent: the load asks, and No keeps the pages.
    Change(msw2, 0x05);
    dialogs.choices.push_back(dir.File("a.dat"));
    core.OnSaveSettingsFile();
    log.clear();
    prompter.Expect(kAskDiscard, kYesNoExclamation, Answer::No);
    core.OnLoadSettingsFile();
    EXPECT_EQ(log, Seq({kEncodeAll, {"box " + std::string(kAskDiscard)}}));

    // Sent but never saved: the load replaces the unsaved settings without a word.
    Change(msw2, 0x06);
    sender.results.push_back(true);
    prompter.Expect("プリンタに設定値を送信しました。", kOkInformation);
    core.OnSendToPrinter();
    log.clear();
    dialogs.choices.push_back(dir.File("a.dat"));
    core.OnLoadSettingsFile();
    EXPECT_EQ(log[6], "open dialog");
    EXPECT_EQ(core.State().Current()[7], 0x05);
}

TEST_F(PanelTest, FilesThatAreNotSettingsFilesAreRefusedAndChangeNothing) {
    std::vector<std::uint8_t> byte19 = kHeader;
    byte19[19] = '!';
    std::vector<std::uint8_t> lowerCase = {'q', 'u', 'i', 'l', 'l', 's', 't', 'r', 'i',  'k',
                                           'e', ' ', '4', '8', '0', 'z', 'q', '9', '\n', 0x00};
    const SettingRecord record = FactoryWith({{4, 0x0F}});
    const struct {
        const char* name;
        std::optional<std::vector<std::uint8_t>> bytes; // none: the file does not exist
    } cases[] = {
        {"byte19.dat", FileOf(byte19, record)},      {"lower.dat", FileOf(lowerCase, record)},
        {"short.dat", FileOf(kHeader, record, 269)}, {"header.dat", kHeader},
        {"empty.dat", std::vector<std::uint8_t>{}},  {"missing.dat", std::nullopt},
    };
    StartUp();
    Change(msw3, 0x03);
    sender.results.push_back(true);
    prompter.Expect("プリンタに設定値を送信しました。", kOkInformation);
    core.OnSendToPrinter();
    for (const auto& file : cases) {
        if (file.bytes) {
            WriteBytes(dir.File(file.name), *file.bytes);
        }
        log.clear();
        dialogs.choices.push_back(dir.File(file.name));
        prompter.Expect(kNotSettingsFile, kOkExclamation);
        core.OnLoadSettingsFile();
        EXPECT_EQ(log, Seq({kEncodeAll, {"open dialog", "box " + std::string(kNotSettingsFile)}}))
            << file.name;
        EXPECT_EQ(core.State().Current(), FactoryWith({{10, 0x03}})) << file.name;
        EXPECT_EQ(core.State().Saved(), FactoryRecord()) << file.name;
    }
}

TEST_F(PanelTest, LongerFileLoadsAndSavingOverItKeepsItsTail) {
    const std::string path = dir.File("long.dat");
    const std::vector<std::uint8_t> tail = {'T', 'A', 'I', 'L', 0x00, 0xFF};
    std::vector<std::uint8_t> bytes = FileOf(kHeader, FactoryWith({{4, 0x09}}));
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    WriteBytes(path, bytes);
    StartUp();
    dialogs.choices.push_back(path);
    core.OnLoadSettingsFile();
    EXPECT_EQ(msw1.value, 0x09);
    EXPECT_EQ(core.State().Saved(), FactoryWith({{4, 0x09}}));

    Change(msw2, 0x06);
    dialogs.choices.push_back(path);
    core.OnSaveSettingsFile();
    std::vector<std::uint8_t> expected = FileOf(kHeader, FactoryWith({{4, 0x09}, {7, 0x06}}));
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(ReadBytes(path), expected);

    Change(msw2, 0x01);
    prompter.Expect(kAskDiscard, kYesNoExclamation, Answer::Yes);
    dialogs.choices.push_back(path);
    core.OnLoadSettingsFile();
    EXPECT_EQ(core.State().Current(), FactoryWith({{4, 0x09}, {7, 0x06}}));
}

TEST_F(PanelTest, LoadEnablesSendingEvenWhenTheRecordEqualsTheSentCopy) {
    WriteBytes(dir.File("factory.dat"), FileOf(kHeader, FactoryRecord()));
    StartUp();
    dialogs.choices.push_back(dir.File("factory.dat"));
    core.OnLoadSettingsFile();
    EXPECT_TRUE(Contains(log, "send command on"));
    EXPECT_FALSE(core.State().IsUnsent());
}

TEST_F(PanelTest, CancelledDialogsLeaveTheSavedCopyButTheCurrentCopyIsEncoded) {
    StartUp();
    msw1.value = 0x12;
    dialogs.choices.push_back(std::nullopt);
    core.OnSaveSettingsFile();
    EXPECT_EQ(core.State().Current(), FactoryWith({{4, 0x12}}));
    EXPECT_EQ(core.State().Saved(), FactoryRecord());

    prompter.Expect(kAskDiscard, kYesNoExclamation, Answer::Yes);
    dialogs.choices.push_back(std::nullopt);
    core.OnLoadSettingsFile();
    EXPECT_EQ(core.State().Current(), FactoryWith({{4, 0x12}}));
    EXPECT_EQ(core.State().Saved(), FactoryRecord());
}

TEST_F(PanelTest, FileDialogsStartInTheProgramDirectoryWithTheSettingsFilter) {
    StartUp();
    dialogs.choices = {std::nullopt, std::nullopt};
    core.OnLoadSettingsFile();
    core.OnSaveSettingsFile();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    for (const FileDialogSpec& dialog : dialogs.shown) {
        EXPECT_EQ(dialog.filterName, "SB設定ファイル (*.dat)");
        EXPECT_EQ(dialog.filterPattern, "*.dat");
        EXPECT_EQ(dialog.defaultExtension, "dat");
        EXPECT_EQ(dialog.initialName, "*.dat");
    }
    EXPECT_FALSE(dialogs.shown[0].save);
    EXPECT_EQ(dialogs.shown[0].flags, 0x4u); // OFN_HIDEREADONLY
    EXPECT_TRUE(dialogs.shown[1].save);
    EXPECT_EQ(dialogs.shown[1].flags, 0x6u); // and OFN_OVERWRITEPROMPT
    EXPECT_EQ(dialogs.directories, (std::vector<std::string>{dir.Path(), dir.Path()}));
    EXPECT_EQ(folders.asked, dialogs.directories);
}

TEST_F(PanelTest, AProgramFolderThisUserCannotWriteToSendsEveryDialogToDocuments) {
    StartUp();
    folders.writable = false;
    dialogs.choices = {std::nullopt, dir.File("a.dat"), dir.File("b.dat")};
    core.OnLoadSettingsFile();
    store.createFailures = {OpenFailure::AccessDenied};
    prompter.Expect(kWriteDenied, kOkExclamation);
    core.OnSaveSettingsFile();
    EXPECT_EQ(core.State().Saved(), FactoryRecord());
    EXPECT_EQ(folders.asked, (std::vector<std::string>(3, dir.Path())));
    EXPECT_EQ(dialogs.directories, (std::vector<std::string>(3, folders.documents)));

    // Where the system names no Documents folder, the program's is still the start.
    folders.documents.clear();
    dialogs.choices = {std::nullopt};
    core.OnSaveSettingsFile();
    EXPECT_EQ(dialogs.directories.back(), dir.Path());
}

// --- Saving ---

TEST_F(PanelTest, UncorrectedValueStopsTheSaveBeforeTheDialog) {
    StartUp();
    view.uncorrected = true;
    core.OnSaveSettingsFile();
    EXPECT_EQ(log, (Log{"show tab 1", "correct head centering"}));
}

TEST_F(PanelTest, RefusedAccessOnNtAsksForAnotherPlaceUntilOneWorks) {
    StartUp();
    Change(msw4, 0x04);
    store.createFailures = {OpenFailure::AccessDenied, OpenFailure::AccessDenied};
    dialogs.choices = {dir.File("a.dat"), dir.File("b.dat"), dir.File("c.dat")};
    prompter.Expect(kWriteDenied, kOkExclamation);
    prompter.Expect(kWriteDenied, kOkExclamation);
    core.OnSaveSettingsFile();
    EXPECT_EQ(ReadBytes(dir.File("c.dat")), FileOf(kHeader, FactoryWith({{13, 0x04}})));
    EXPECT_EQ(core.State().Saved(), FactoryWith({{13, 0x04}}));
    EXPECT_EQ(dialogs.directories, (std::vector<std::string>(3, dir.Path())));

    store.createFailures = {OpenFailure::AccessDenied};
    dialogs.choices = {dir.File("d.dat"), std::nullopt};
    prompter.Expect(kWriteDenied, kOkExclamation);
    Change(msw4, 0x05);
    core.OnSaveSettingsFile();
    EXPECT_EQ(core.State().Saved(), FactoryWith({{13, 0x04}}));
}

TEST_F(PanelTest, OtherCreateFailuresEndTheSaveWithTheErrorMessage) {
    StartUp();
    Change(msw4, 0x04);
    store.createFailures = {OpenFailure::Other};
    dialogs.choices = {dir.File("a.dat")};
    prompter.Expect(kWriteFailed, kOkError);
    core.OnSaveSettingsFile();

    // Refused access on the older family is an ordinary failure: no second dialog.
    os.info = {kPlatformWindows, 4, 10};
    store.createFailures = {OpenFailure::AccessDenied};
    dialogs.choices = {dir.File("a.dat")};
    prompter.Expect(kWriteFailed, kOkError);
    core.OnSaveSettingsFile();
    EXPECT_EQ(core.State().Saved(), FactoryRecord());
}

TEST_F(PanelTest, FailedWritesAreNotReportedAsSuccess) {
    StartUp();
    Change(msw4, 0x04);
    for (int failing : {1, 2}) {
        store.failingWrite = failing;
        dialogs.choices = {dir.File("a.dat")};
        prompter.Expect(kWriteFailed, kOkError);
        core.OnSaveSettingsFile();
        EXPECT_EQ(core.State().Saved(), FactoryRecord()) << failing;
    }
    store.failingWrite.reset();
    store.failClose = true;
    dialogs.choices = {dir.File("a.dat")};
    prompter.Expect(kWriteFailed, kOkError);
    core.OnSaveSettingsFile();
    EXPECT_EQ(core.State().Saved(), FactoryRecord());
}

// --- The file format and the real store ---

TEST(SettingsFile, ParsesExactlyTheHeaderAndTheRecordAfterIt) {
    std::vector<std::uint8_t> bytes = FileOf(kHeader, FactoryWith({{0, 0xAB}}));
    bytes.push_back(0x01);
    const std::optional<SettingRecord> record = ParseSettingsFile(bytes);
    ASSERT_TRUE(record);
    EXPECT_EQ(*record, FactoryWith({{0, 0xAB}}));
    for (std::size_t i = 0; i < kHeader.size(); ++i) {
        std::vector<std::uint8_t> changed = bytes;
        changed[i] ^= 0x20;
        EXPECT_FALSE(ParseSettingsFile(changed)) << "header byte " << i;
    }
}

TEST(SettingsFile, ProgramDirectoryKeepsTheLastBackslash) {
    EXPECT_EQ(ProgramDirectory("C:\\Program Files\\SB\\switchboard.exe"),
              "C:\\Program Files\\SB\\");
    EXPECT_EQ(ProgramDirectory("C:\\switchboard.exe"), "C:\\");
    EXPECT_EQ(ProgramDirectory("switchboard.exe"), "");
}

TEST(StdioFileStore, OpenAlwaysCreatesOrKeepsAndReadingNeedsAnExistingFile) {
    TempDir dir;
    StdioFileStore store;
    const std::string path = dir.File("x.dat");
    EXPECT_FALSE(store.Exists(path));
    OpenResult missing = store.OpenToRead(path);
    EXPECT_FALSE(missing.file);
    EXPECT_EQ(missing.failure, OpenFailure::Other);

    OpenResult created = store.OpenAlways(path);
    ASSERT_TRUE(created.file);
    const std::uint8_t abcd[] = {'A', 'B', 'C', 'D'};
    EXPECT_TRUE(created.file->Write(abcd));
    EXPECT_TRUE(created.file->Close());
    EXPECT_TRUE(store.Exists(path));

    OpenResult reopened = store.OpenAlways(path);
    ASSERT_TRUE(reopened.file);
    const std::uint8_t xy[] = {'X', 'Y'};
    EXPECT_TRUE(reopened.file->Write(xy));
    reopened.file.reset(); // closes
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{'X', 'Y', 'C', 'D'}));

    OpenResult reading = store.OpenToRead(path);
    ASSERT_TRUE(reading.file);
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(reading.file->Read(buffer), 4u);

    OpenResult nowhere = store.OpenAlways(dir.File("no/such/dir.dat"));
    EXPECT_FALSE(nowhere.file);
    EXPECT_EQ(nowhere.failure, OpenFailure::Other);
}

} // namespace
} // namespace sb::test

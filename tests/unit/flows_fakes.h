// Scripted and recording stand-ins for everything the main window's flows talk to. All of
// them write into one event log, so a test can check the order of what happened.
#pragma once

#include "app/panel_view.h"
#include "app/record_sender.h"
#include "files/file_dialogs.h"
#include "files/stdio_file_store.h"
#include "files/user_folders.h"
#include "base/os_version.h"
#include "printer/printer_selection.h"
#include "record/settings_state.h"
#include "tests/common/scripted_prompter.h"
#include "tests/common/temp_files.h"
#include "base/prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sb::test {

using Log = std::vector<std::string>;

// A page that owns one byte of the record; value stands for its controls.
class RecordingPage final : public IRecordPage {
public:
    RecordingPage(Log& log, std::string name, std::size_t offset)
        : m_log(log), m_name(std::move(name)), m_offset(offset) {}
    void EncodeRecord(SettingRecord& record) override {
        m_log.push_back("encode " + m_name);
        record[m_offset] = value;
    }
    void DecodeRecord(SettingRecord& record) override {
        m_log.push_back("decode " + m_name);
        if (repairFrom && record[m_offset] == *repairFrom) {
            record[m_offset] = repairTo;
        }
        value = record[m_offset];
        if (onDecode) {
            onDecode();
        }
    }
    std::size_t Offset() const { return m_offset; }

    std::uint8_t value = 0;
    std::optional<std::uint8_t> repairFrom; // decoding rewrites this byte to repairTo
    std::uint8_t repairTo = 0;
    std::function<void()> onDecode;

private:
    Log& m_log;
    std::string m_name;
    std::size_t m_offset;
};

// What one run of the printer selection dialog does to its model.
struct SelectionRun {
    int result;
    std::optional<std::string> name; // written into the model when present
    std::optional<std::string> port;
    unsigned count = 2;
};

class RecordingView final : public PanelView {
public:
    explicit RecordingView(Log& log) : m_log(log) {}
    ~RecordingView() override {
        if (!selections.empty()) {
            ADD_FAILURE() << selections.size() << " printer selection(s) never run";
        }
    }

    void EnableSendCommand(bool enable) override {
        m_log.push_back(enable ? "send command on" : "send command off");
    }
    void ShowTab(int tab) override {
        m_log.push_back("show tab " + std::to_string(tab));
        selectedTab = tab;
    }
    void RefreshFormButtonCaption() override { m_log.push_back("refresh form caption"); }
    void InitMenu() override { m_log.push_back("init menu"); }
    void InitIconsAndBars() override { m_log.push_back("init icons and bars"); }
    void InitTabsAndPages() override { m_log.push_back("init tabs and pages"); }
    void EnablePrinterCommand(bool enable) override {
        m_log.push_back(enable ? "printer command on" : "printer command off");
    }
    void DisableHelpCommand() override { m_log.push_back("help command off"); }
    int SelectedTab() const override { return selectedTab; }
    void SetStatusTexts(const std::string& printerPane,
                        const std::string& connectionPane) override {
        m_log.push_back("status " + printerPane + " | " + connectionPane);
    }
    void EndPanel() override { m_log.push_back("end panel"); }
    int RunPrinterSelection(CPrinterSelection& selection) override {
        m_log.push_back("select printer [" + selection.m_strPrinterName + "|" +
                        selection.m_strPort + "]" +
                        (selection.m_bStartupDone ? "" : " at start-up"));
        if (selections.empty()) {
            ADD_FAILURE() << "unexpected printer selection";
            return kDialogCancel;
        }
        const SelectionRun run = selections.front();
        selections.pop_front();
        if (run.name) {
            selection.m_strPrinterName = *run.name;
        }
        if (run.port) {
            selection.m_strPort = *run.port;
        }
        selection.m_nPrinterCount = run.count;
        return run.result;
    }
    bool HasUncorrectedValue() const override { return uncorrected; }
    void CorrectHeadCentering() override {
        m_log.push_back("correct head centering");
        uncorrected = false;
    }
    bool ShowHelp(HelpViewer viewer, const std::string& path) override {
        m_log.push_back(std::string(viewer == HelpViewer::Chm ? "html help " : "winhelp ") + path);
        return helpShows;
    }

    int selectedTab = 0;
    bool uncorrected = false;
    bool helpShows = true;
    std::deque<SelectionRun> selections;

private:
    Log& m_log;
};

class ScriptedSender final : public RecordSender {
public:
    explicit ScriptedSender(Log& log) : m_log(log) {}
    ~ScriptedSender() override {
        if (!results.empty()) {
            ADD_FAILURE() << "record never sent";
        }
    }
    bool Send(const std::string& printerName, const SettingRecord& record) override {
        m_log.push_back("spool to " + printerName);
        sent.push_back(record);
        if (results.empty()) {
            ADD_FAILURE() << "unexpected send";
            return false;
        }
        const bool result = results.front();
        results.pop_front();
        return result;
    }

    std::deque<bool> results;
    std::vector<SettingRecord> sent;

private:
    Log& m_log;
};

class ScriptedDialogs final : public FileDialogs {
public:
    explicit ScriptedDialogs(Log& log) : m_log(log) {}
    ~ScriptedDialogs() override {
        if (!choices.empty()) {
            ADD_FAILURE() << "file dialog never shown";
        }
    }
    std::optional<std::string> Run(const FileDialogSpec& dialog,
                                   const std::string& initialDirectory) override {
        m_log.push_back(dialog.save ? "save dialog" : "open dialog");
        shown.push_back(dialog);
        directories.push_back(initialDirectory);
        if (choices.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return std::nullopt;
        }
        std::optional<std::string> choice = choices.front();
        choices.pop_front();
        return choice;
    }

    std::deque<std::optional<std::string>> choices;
    std::vector<FileDialogSpec> shown;
    std::vector<std::string> directories;

private:
    Log& m_log;
};

// Real files, with failures injected where a test asks for them.
class FaultyFileStore final : public FileStore {
public:
    OpenResult OpenToRead(const std::string& path) override { return m_real.OpenToRead(path); }
    OpenResult OpenAlways(const std::string& path) override {
        if (!createFailures.empty()) {
            const OpenFailure failure = createFailures.front();
            createFailures.pop_front();
            return {nullptr, failure};
        }
        OpenResult opened = m_real.OpenAlways(path);
        if (opened.file && (failingWrite || failClose)) {
            opened.file =
                std::make_unique<FaultyFile>(std::move(opened.file), failingWrite, failClose);
        }
        return opened;
    }
    bool Exists(const std::string& path) const override { return m_real.Exists(path); }

    std::deque<OpenFailure> createFailures;
    std::optional<int> failingWrite; // 1 for the first write of a file, 2 for the second
    bool failClose = false;

private:
    class FaultyFile final : public StoredFile {
    public:
        FaultyFile(std::unique_ptr<StoredFile> file, std::optional<int> failingWrite,
                   bool failClose)
            : m_file(std::move(file)), m_failingWrite(failingWrite), m_failClose(failClose) {}
        std::size_t Read(std::span<std::uint8_t> buffer) override { return m_file->Read(buffer); }
        bool Write(std::span<const std::uint8_t> bytes) override {
            if (++m_writes == m_failingWrite) {
                return false;
            }
            return m_file->Write(bytes);
        }
        bool Close() override { return m_file->Close() && !m_failClose; }

    private:
        std::unique_ptr<StoredFile> m_file;
        std::optional<int> m_failingWrite;
        bool m_failClose;
        int m_writes = 0;
    };
    StdioFileStore m_real;
};

// The program's folder open to this user or not, and a Documents folder; every folder asked
// about is kept.
class FakeFolders final : public UserFolders {
public:
    bool AcceptsNewFile(const std::string& folder) override {
        asked.push_back(folder);
        return writable;
    }
    std::string Documents() override { return documents; }

    bool writable = true;
    std::string documents = "C:\\Users\\user\\Documents";
    std::vector<std::string> asked;
};

struct FixedOs final : OsVersion {
    OsVersionInfo info;
    OsVersionInfo Get() const override { return info; }
};

} // namespace sb::test

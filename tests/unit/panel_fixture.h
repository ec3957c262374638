// A main window core over recording pages and scripted seams, started up with one printer.
#pragma once

#include "flows_fakes.h"

#include "app/panel_core.h"
#include "record/factory_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

namespace sb::test {

// Message box styles, with the platform's values.
inline constexpr unsigned kQuestionStyle = 0x33; // MB_YESNOCANCEL | MB_ICONEXCLAMATION
inline constexpr unsigned kOkExclamation = 0x30;
inline constexpr unsigned kOkInformation = 0x40;
inline constexpr unsigned kOkError = 0x10;

inline const Log kEncodeAll = {"encode Select", "encode Param", "encode MSW1",
                               "encode MSW2",   "encode MSW3",  "encode MSW4"};
inline const Log kDecodeAll = {"decode Select", "decode Param", "decode MSW1",
                               "decode MSW2",   "decode MSW3",  "decode MSW4"};

inline Log Seq(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// The factory reset as the log shows it, the message box included.
inline Log FactoryShown() {
    return Seq({kDecodeAll,
                {"show tab 0", "box 工場出荷設定値を表示しました。"},
                kEncodeAll,
                {"send command on", "refresh form caption"}});
}

inline bool Contains(const Log& log, const std::string& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

// The factory record with some bytes changed.
inline SettingRecord
FactoryWith(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
    SettingRecord record = FactoryRecord();
    for (const auto& [offset, value] : bytes) {
        record[offset] = value;
    }
    return record;
}

class PanelTest : public ::testing::Test {
protected:
    void StartUp(const std::string& name = "Quill",
                 const std::string& port = "LPT1:", unsigned count = 2) {
        view.selections.push_back({kDialogOk, name, port, count});
        core.OnInitDialog();
        log.clear();
    }
    // A user's change on a page, reported by the page's data check.
    void Change(RecordingPage& page, std::uint8_t value) {
        page.value = value;
        core.OnDataCheck();
    }
    void ExpectFactoryShown() { prompter.Expect("工場出荷設定値を表示しました。", kOkInformation); }

    Log log;
    ScriptedPrompter prompter{log};
    RecordingPage select{log, "Select", 70};
    RecordingPage param{log, "Param", 28};
    RecordingPage msw1{log, "MSW1", 4};
    RecordingPage msw2{log, "MSW2", 7};
    RecordingPage msw3{log, "MSW3", 10};
    RecordingPage msw4{log, "MSW4", 13};
    RecordingView view{log};
    ScriptedSender sender{log};
    ScriptedDialogs dialogs{log};
    TempDir dir;
    FaultyFileStore store;
    FakeFolders folders;
    FixedOs os;
    CPanelCore core{PageList{&select, &param, &msw1, &msw2, &msw3, &msw4},
                    view,
                    prompter,
                    sender,
                    store,
                    dialogs,
                    folders,
                    os,
                    dir.Path()};
};

} // namespace sb::test

// The six page value models behind a settings state, as the main window holds them, with the
// window and the message boxes reduced to nothing: what the fuzzers drive.
#pragma once

#include "pages/msw_values.h"
#include "pages/param_values.h"
#include "pages/select_values.h"
#include "record/settings_state.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace sb::fuzz {

template <class Model> class ModelPage final : public IRecordPage {
public:
    explicit ModelPage(Model& model) : m_model(model) {}
    void DecodeRecord(SettingRecord& record) override { m_model.DecodeRecord(record); }
    void EncodeRecord(SettingRecord& record) override { m_model.EncodeRecord(record); }

private:
    Model& m_model;
};

class QuietView final : public SettingsView {
public:
    void EnableSendCommand(bool) override {}
    void ShowTab(int) override {}
    void RefreshFormButtonCaption() override {}
};

// Answers every question with Yes and remembers the last text it was shown.
class YesPrompter final : public Prompter {
public:
    Answer ShowMessage(std::string_view text, std::string_view, unsigned) override {
        m_strLast = text;
        return Answer::Yes;
    }
    std::string m_strLast;
};

struct ModelPanel {
    CSelectValues select;
    CParamValues param;
    std::array<CMswValues, 4> msw{CMswValues(kMswBanks[0]), CMswValues(kMswBanks[1]),
                                  CMswValues(kMswBanks[2]), CMswValues(kMswBanks[3])};
    ModelPage<CSelectValues> selectPage{select};
    ModelPage<CParamValues> paramPage{param};
    std::array<ModelPage<CMswValues>, 4> mswPages{ModelPage(msw[0]), ModelPage(msw[1]),
                                                  ModelPage(msw[2]), ModelPage(msw[3])};
    QuietView view;
    YesPrompter prompter;
    bool startupDone = true;
    CSettingsState state{
        PageList{&selectPage, &paramPage, &mswPages[0], &mswPages[1], &mswPages[2], &mswPages[3]},
        view, prompter, startupDone};
};

// Bytes that a page writes when it encodes; every other byte, the form blocks included (no
// form dialog runs here), must come out of a decode and an encode exactly as it went in.
// A table, since the checks ask for every byte of every input.
inline constexpr std::array<bool, kRecordSize> kPageFields = [] {
    constexpr std::size_t kFields[] = {
        4,   5,   7,   8,   10,  11,  13,  14,                           // switches
        16,  18,  20,  24,  28,  29,  31,  32,  34,  35,  36,  243, 244, // parameters
        247, 249, 250, 252, 253, 255, 256, 258, 259, 261, 262,           //
        26,  67,  68,  70,  72,  74,  75,  77,  78,  80,  81,  83,  85,  // selections
    };
    std::array<bool, kRecordSize> fields{};
    for (const std::size_t field : kFields) {
        fields[field] = true;
    }
    return fields;
}();

constexpr bool PageField(std::size_t offset) {
    return kPageFields[offset];
}

[[noreturn]] inline void Fail(const char* what, std::size_t offset, int got, int expected) {
    std::fprintf(stderr, "%s: byte %zu is %02X, expected %02X\n", what, offset,
                 static_cast<unsigned>(got), static_cast<unsigned>(expected));
    std::abort();
}

} // namespace sb::fuzz

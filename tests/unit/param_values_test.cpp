#include "pages/param_values.h"
#include "record/factory_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace sb {
namespace {

void Put(SettingRecord& record, std::size_t offset, std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        record[offset + i] = static_cast<std::uint8_t>(bytes[i]);
    }
}

std::string Get(const SettingRecord& record, std::size_t offset, std::size_t width) {
    return std::string(record.begin() + offset, record.begin() + offset + width);
}

const std::vector<std::size_t> kOwned = {16,  18,  20,  24,  28,  29,  31,  32,
                                         34,  35,  36,  243, 244, 247, 249, 250,
                                         252, 253, 255, 256, 258, 259, 261, 262};

CParamValues DecodedFactory() {
    SettingRecord record = FactoryRecord();
    CParamValues values;
    values.DecodeRecord(record);
    return values;
}

TEST(ParamValues, FactoryRecordShowsTheFactoryValuesAndComesBackUnchanged) {
    SettingRecord record = FactoryRecord();
    CParamValues values;
    values.DecodeRecord(record);
    EXPECT_EQ(record, FactoryRecord());
    EXPECT_EQ(values.m_strFont1, "標準");
    EXPECT_EQ(values.m_strFont2, "標準");
    EXPECT_EQ(values.m_strKanjiTable, "JIS1978年版");
    EXPECT_EQ(values.m_nPostcardMode, 0);
    EXPECT_EQ(values.m_nCutSheetCentering, 40);
    EXPECT_EQ(values.m_nFrontTractorCentering, 36);
    EXPECT_EQ(values.m_nRearTractorCentering, 96);
    EXPECT_EQ(values.m_strAutoReturnTime, "１５秒");
    EXPECT_EQ(values.m_nIntakeTime, 2);
    EXPECT_EQ(values.m_strAgaRetryTime, "１０秒");
    for (const std::string* lf : {&values.m_strLfSheetGuide, &values.m_strLfSheetFeeder,
                                  &values.m_strLfFrontTractor, &values.m_strLfRearTractor}) {
        EXPECT_EQ(*lf, "0");
    }
    // Every byte the page owns is written back as the factory had it.
    SettingRecord encoded = FactoryRecord();
    for (std::size_t i : kOwned) {
        encoded[i] = '?';
    }
    values.EncodeRecord(encoded);
    EXPECT_EQ(encoded, FactoryRecord());
}

TEST(ParamValues, TextFieldsDecodeTheirCodesAndFallBack) {
    struct Case {
        std::size_t offset;
        std::string_view bytes;
        std::string CParamValues::*member;
        std::string_view shown;
    };
    const Case cases[] = {
        {16, "0", &CParamValues::m_strFont1, "標準"},
        {16, "1", &CParamValues::m_strFont1, "イタリック"},
        {16, "2", &CParamValues::m_strFont1, "クーリエ"},
        {16, "3", &CParamValues::m_strFont1, "ゴシック"},
        {16, "4", &CParamValues::m_strFont1, "OCR-B"},
        {16, "5", &CParamValues::m_strFont1, "標準"},
        {16, "/", &CParamValues::m_strFont1, "標準"},
        {18, "3", &CParamValues::m_strFont2, "ゴシック"},
        {18, "A", &CParamValues::m_strFont2, "標準"},
        {20, "1", &CParamValues::m_strKanjiTable, "JIS1983年版"},
        {20, "2", &CParamValues::m_strKanjiTable, "JIS1990年版"},
        {20, "3", &CParamValues::m_strKanjiTable, "JIS1978年版"},
        {243, "00", &CParamValues::m_strAutoReturnTime, "自動戻り無し"},
        {243, "08", &CParamValues::m_strAutoReturnTime, "８秒"},
        {243, "07", &CParamValues::m_strAutoReturnTime, "１５秒"},
        {243, "80", &CParamValues::m_strAutoReturnTime, "１５秒"},
        {249, "00", &CParamValues::m_strAgaRetryTime, "０秒"},
        {249, "01", &CParamValues::m_strAgaRetryTime, "５秒"},
        {249, "03", &CParamValues::m_strAgaRetryTime, "６０秒"},
        {249, "04", &CParamValues::m_strAgaRetryTime, "１８０秒"},
        {249, "05", &CParamValues::m_strAgaRetryTime, "３００秒"},
        {249, "06", &CParamValues::m_strAgaRetryTime, "８１０秒"},
        {249, "07", &CParamValues::m_strAgaRetryTime, "再実行なし"},
        {249, "08", &CParamValues::m_strAgaRetryTime, "１０秒"},
        {249, "99", &CParamValues::m_strAgaRetryTime, "１０秒"},
        {249, "10", &CParamValues::m_strAgaRetryTime, "１０秒"},
    };
    for (const Case& c : cases) {
        SettingRecord record = FactoryRecord();
        Put(record, c.offset, c.bytes);
        CParamValues values;
        values.DecodeRecord(record);
        EXPECT_EQ(values.*c.member, c.shown) << c.offset << " " << c.bytes;
    }
}

TEST(ParamValues, NumberFieldsDecodeInRangeValuesAndFallBack) {
    struct Case {
        std::size_t offset;
        std::string_view bytes;
        int CParamValues::*member;
        int value;
    };
    const Case cases[] = {
        {28, "10", &CParamValues::m_nCutSheetCentering, 10},
        {28, "68", &CParamValues::m_nCutSheetCentering, 68},
        {28, "09", &CParamValues::m_nCutSheetCentering, 40},
        {28, "69", &CParamValues::m_nCutSheetCentering, 40},
        {28, "5:", &CParamValues::m_nCutSheetCentering, 60}, // bytes are not tested for digits
        {31, "00", &CParamValues::m_nFrontTractorCentering, 40},
        {31, "99", &CParamValues::m_nFrontTractorCentering, 40},
        {31, "55", &CParamValues::m_nFrontTractorCentering, 55},
        {34, "067", &CParamValues::m_nRearTractorCentering, 96},
        {34, "068", &CParamValues::m_nRearTractorCentering, 68},
        {34, "126", &CParamValues::m_nRearTractorCentering, 126},
        {34, "127", &CParamValues::m_nRearTractorCentering, 96},
        {24, "1", &CParamValues::m_nPostcardMode, 1},
        {24, "2", &CParamValues::m_nPostcardMode, 0},
        {24, "A", &CParamValues::m_nPostcardMode, 0},
        {247, "1", &CParamValues::m_nIntakeTime, 2},
        {247, "5", &CParamValues::m_nIntakeTime, 5},
        {247, "6", &CParamValues::m_nIntakeTime, 2},
    };
    for (const Case& c : cases) {
        SettingRecord record = FactoryRecord();
        Put(record, c.offset, c.bytes);
        CParamValues values;
        values.DecodeRecord(record);
        EXPECT_EQ(values.*c.member, c.value) << c.offset << " " << c.bytes;
    }
}

TEST(ParamValues, EncodeWritesEachFieldsCode) {
    struct Case {
        void (*set)(CParamValues&);
        std::size_t offset;
        std::string_view bytes;
    };
    const Case cases[] = {
        {[](CParamValues& v) { v.m_strFont1 = "OCR-B"; }, 16, "4"},
        {[](CParamValues& v) { v.m_strFont1 = ""; }, 16, "0"},
        {[](CParamValues& v) { v.m_strFont1 = "ゴシ"; }, 16, "0"},
        {[](CParamValues& v) { v.m_strFont2 = "クーリエ"; }, 18, "2"},
        {[](CParamValues& v) { v.m_strKanjiTable = "JIS1990年版"; }, 20, "2"},
        {[](CParamValues& v) { v.m_strKanjiTable = "JIS"; }, 20, "0"},
        {[](CParamValues& v) { v.m_nPostcardMode = 1; }, 24, "1"},
        {[](CParamValues& v) { v.m_nPostcardMode = -1; }, 24, "0"},
        {[](CParamValues& v) { v.m_nCutSheetCentering = 5; }, 28, "05"},
        {[](CParamValues& v) { v.m_nFrontTractorCentering = 68; }, 31, "68"},
        {[](CParamValues& v) { v.m_nRearTractorCentering = 68; }, 34, "068"},
        {[](CParamValues& v) { v.m_nRearTractorCentering = 126; }, 34, "126"},
        {[](CParamValues& v) { v.m_strAutoReturnTime = "自動戻り無し"; }, 243, "00"},
        {[](CParamValues& v) { v.m_strAutoReturnTime = "８秒"; }, 243, "08"},
        {[](CParamValues& v) { v.m_strAutoReturnTime = ""; }, 243, "15"},
        {[](CParamValues& v) { v.m_nIntakeTime = 5; }, 247, "5"},
        {[](CParamValues& v) { v.m_strAgaRetryTime = "０秒"; }, 249, "00"},
        {[](CParamValues& v) { v.m_strAgaRetryTime = "再実行なし"; }, 249, "07"},
        {[](CParamValues& v) { v.m_strAgaRetryTime = "１０"; }, 249, "02"},
        {[](CParamValues& v) { v.m_strLfSheetGuide = "+5"; }, 258, "05"},
        {[](CParamValues& v) { v.m_strLfSheetGuide = ""; }, 258, "00"},
        {[](CParamValues& v) { v.m_strLfSheetFeeder = "-5"; }, 261, "FB"},
        {[](CParamValues& v) { v.m_strLfFrontTractor = "-1"; }, 252, "FF"},
        {[](CParamValues& v) { v.m_strLfRearTractor = "+3"; }, 255, "03"},
    };
    for (const Case& c : cases) {
        CParamValues values = DecodedFactory();
        c.set(values);
        SettingRecord record = FactoryRecord();
        Put(record, c.offset, std::string(c.bytes.size(), '9'));
        values.EncodeRecord(record);
        EXPECT_EQ(Get(record, c.offset, c.bytes.size()), c.bytes) << c.offset;
    }
}

TEST(ParamValues, RecordBytesOfOtherOwnersAndTheIntakeTensDigitAreLeftAlone) {
    CParamValues values = DecodedFactory();
    SettingRecord record;
    record.fill('7');
    values.EncodeRecord(record);
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        const bool mine = std::find(kOwned.begin(), kOwned.end(), i) != kOwned.end();
        EXPECT_EQ(record[i] != '7', mine) << "byte " << i;
    }

    // Byte 246 survives a decode and an encode even when it is not the factory 0.
    record = FactoryRecord();
    Put(record, 246, "9");
    values.DecodeRecord(record);
    EXPECT_EQ(values.m_nIntakeTime, 2);
    values.EncodeRecord(record);
    EXPECT_EQ(Get(record, 246, 2), "92");
}

TEST(ParamValues, LfPitchPairsAreRepairedInTheRecordTheyAreDecodedFrom) {
    struct Case {
        std::size_t offset;
        std::string_view pair;
        std::string_view repaired;
        std::string CParamValues::*member;
        std::string_view shown;
    };
    const Case cases[] = {
        {258, "09", "00", &CParamValues::m_strLfSheetGuide, "0"},
        {258, "06", "00", &CParamValues::m_strLfSheetGuide, "0"},
        {258, "0/", "00", &CParamValues::m_strLfSheetGuide, "0"},
        {258, "05", "05", &CParamValues::m_strLfSheetGuide, "+5"},
        {258, "01", "01", &CParamValues::m_strLfSheetGuide, "+1"},
        {258, "FA", "FG", &CParamValues::m_strLfSheetGuide, "0"},
        {258, "FH", "FG", &CParamValues::m_strLfSheetGuide, "0"},
        {258, "FG", "FG", &CParamValues::m_strLfSheetGuide, "0"},
        {258, "FB", "FB", &CParamValues::m_strLfSheetGuide, "-5"},
        {258, "FF", "FF", &CParamValues::m_strLfSheetGuide, "-1"},
        {261, "FD", "FD", &CParamValues::m_strLfSheetFeeder, "-3"},
        {252, "03", "03", &CParamValues::m_strLfFrontTractor, "+3"},
        {255, "FE", "FE", &CParamValues::m_strLfRearTractor, "-2"},
        {255, "0Z", "00", &CParamValues::m_strLfRearTractor, "0"},
    };
    for (const Case& c : cases) {
        SettingRecord record = FactoryRecord();
        Put(record, c.offset, c.pair);
        CParamValues values;
        values.DecodeRecord(record);
        EXPECT_EQ(Get(record, c.offset, 2), c.repaired) << c.offset << " " << c.pair;
        EXPECT_EQ(values.*c.member, c.shown) << c.offset << " " << c.pair;
    }

    // "FA" reads as 0 after its repair, and the next encode writes the plain zero.
    SettingRecord record = FactoryRecord();
    Put(record, 258, "FA");
    CParamValues values;
    values.DecodeRecord(record);
    values.EncodeRecord(record);
    EXPECT_EQ(Get(record, 258, 2), "00");
}

TEST(ParamValues, LfPitchPairWithAnUnknownFirstByteKeepsWhatWasShown) {
    CParamValues values = DecodedFactory();
    values.m_strLfFrontTractor = "+2";
    SettingRecord record = FactoryRecord();
    Put(record, 252, "X5");
    values.DecodeRecord(record);
    EXPECT_EQ(values.m_strLfFrontTractor, "+2");
    EXPECT_EQ(Get(record, 252, 2), "X5");
    values.EncodeRecord(record);
    EXPECT_EQ(Get(record, 252, 2), "02");
}

TEST(ParamValues, DecodeClearsTheUncorrectedFlags) {
    CParamValues values;
    values.m_bCutSheetUncorrected = true;
    values.m_bFrontTractorUncorrected = true;
    values.m_bRearTractorUncorrected = true;
    SettingRecord record = FactoryRecord();
    values.DecodeRecord(record);
    EXPECT_FALSE(values.m_bCutSheetUncorrected);
    EXPECT_FALSE(values.m_bFrontTractorUncorrected);
    EXPECT_FALSE(values.m_bRearTractorUncorrected);
    EXPECT_FALSE(values.HasUncorrectedValues());
}

TEST(ParamValues, BindingsFollowTheExchangeOrder) {
    struct Want {
        BindKind kind;
        int id;
        int id2;
        int maxChars;
        int lo;
        int hi;
        std::string CParamValues::*text;
        int CParamValues::*value;
    };
    using P = CParamValues;
    const Want want[] = {
        {BindKind::ComboText, 1058, 0, 20, 0, 0, &P::m_strFont1, nullptr},
        {BindKind::ComboText, 1059, 0, 20, 0, 0, &P::m_strFont2, nullptr},
        {BindKind::ComboText, 1066, 0, 20, 0, 0, &P::m_strKanjiTable, nullptr},
        {BindKind::IntEdit, 1062, 0, 0, 0, 0, nullptr, &P::m_nFrontTractorCentering},
        {BindKind::IntEdit, 1061, 0, 0, 0, 0, nullptr, &P::m_nCutSheetCentering},
        {BindKind::RadioIndex, 1065, 1018, 0, 0, 0, nullptr, &P::m_nPostcardMode},
        {BindKind::IntEdit, 1063, 0, 0, 0, 0, nullptr, &P::m_nRearTractorCentering},
        {BindKind::IntRange, 1064, 0, 0, 2, 5, nullptr, &P::m_nIntakeTime},
        {BindKind::ComboText, 1068, 0, 20, 0, 0, &P::m_strAutoReturnTime, nullptr},
        {BindKind::ComboText, 1075, 0, 20, 0, 0, &P::m_strAgaRetryTime, nullptr},
        {BindKind::ComboText, 1067, 0, 10, 0, 0, &P::m_strLfSheetGuide, nullptr},
        {BindKind::ComboText, 1071, 0, 10, 0, 0, &P::m_strLfSheetFeeder, nullptr},
        {BindKind::ComboText, 1072, 0, 10, 0, 0, &P::m_strLfFrontTractor, nullptr},
        {BindKind::ComboText, 1073, 0, 10, 0, 0, &P::m_strLfRearTractor, nullptr},
    };
    CParamValues values;
    const BindingTable table = values.Bindings();
    ASSERT_EQ(table.size(), std::size(want));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Want& w = want[i];
        SCOPED_TRACE(w.id);
        EXPECT_EQ(table[i].kind, w.kind);
        EXPECT_EQ(table[i].id, w.id);
        EXPECT_EQ(table[i].id2, w.id2);
        EXPECT_EQ(table[i].maxChars, w.maxChars);
        EXPECT_EQ(table[i].lo, w.lo);
        EXPECT_EQ(table[i].hi, w.hi);
        EXPECT_EQ(table[i].text, w.text ? &(values.*w.text) : nullptr);
        EXPECT_EQ(table[i].value, w.value ? &(values.*w.value) : nullptr);
    }
}

TEST(ParamValues, ComboEntriesInIndexOrder) {
    using List = std::vector<std::string_view>;
    const auto entries = [](int id) {
        const auto span = CParamValues::ComboEntries(id);
        return List(span.begin(), span.end());
    };
    const List fonts = {"標準", "イタリック", "クーリエ", "ゴシック", "OCR-B"};
    const List lf = {"-5", "-4", "-3", "-2", "-1", "0", "+1", "+2", "+3", "+4", "+5"};
    EXPECT_EQ(entries(1058), fonts);
    EXPECT_EQ(entries(1059), fonts);
    EXPECT_EQ(entries(1066), (List{"JIS1978年版", "JIS1983年版", "JIS1990年版"}));
    EXPECT_EQ(entries(1075), (List{"０秒", "５秒", "１０秒", "６０秒", "１８０秒", "３００秒",
                                   "８１０秒", "再実行なし"}));
    EXPECT_EQ(entries(1068), (List{"自動戻り無し", "８秒", "１５秒"}));
    for (int id : {1067, 1071, 1072, 1073}) {
        EXPECT_EQ(entries(id), lf) << id;
    }
    EXPECT_TRUE(entries(1061).empty());
}

TEST(ParamValues, NumberEditChangesKeepTheirEditsFlag) {
    CParamValues values;
    EXPECT_TRUE(values.OnNumberEditChange(NumberEdit::FrontTractor, "5", true).uncorrected);
    EXPECT_TRUE(values.m_bFrontTractorUncorrected);
    EXPECT_FALSE(values.m_bCutSheetUncorrected);
    EXPECT_TRUE(values.HasUncorrectedValues());
    values.OnNumberEditChange(NumberEdit::RearTractor, "6", true);
    EXPECT_TRUE(values.m_bRearTractorUncorrected);
    values.OnNumberEditChange(NumberEdit::FrontTractor, "50", true);
    EXPECT_FALSE(values.m_bFrontTractorUncorrected);
    values.OnNumberEditChange(NumberEdit::RearTractor, "68", false);
    EXPECT_FALSE(values.HasUncorrectedValues());
}

class RecordingPrompter : public Prompter {
public:
    struct Call {
        std::string text;
        std::string caption;
        unsigned style;
    };
    std::vector<Call> calls;
    Answer ShowMessage(std::string_view text, std::string_view caption, unsigned style) override {
        calls.push_back({std::string(text), std::string(caption), style});
        return Answer::Ok;
    }
};

TEST(ParamValues, CorrectHeadCenteringWarnsThenSetsFlaggedEditsToTheirLowestValue) {
    struct Case {
        bool cut, front, rear;
        std::vector<std::pair<int, std::string>> corrections;
    };
    const Case cases[] = {
        {false, true, false, {{1062, "10"}}},
        {true, true, true, {{1061, "10"}, {1062, "10"}, {1063, "68"}}},
        {true, false, true, {{1061, "10"}, {1063, "68"}}},
        {false, false, false, {}},
    };
    for (const Case& c : cases) {
        CParamValues values;
        values.m_bCutSheetUncorrected = c.cut;
        values.m_bFrontTractorUncorrected = c.front;
        values.m_bRearTractorUncorrected = c.rear;
        RecordingPrompter prompter;
        std::vector<std::pair<int, std::string>> got;
        for (const EditCorrection& e : values.CorrectHeadCentering(prompter)) {
            got.emplace_back(e.editId, e.text);
        }
        EXPECT_EQ(got, c.corrections);
        ASSERT_EQ(prompter.calls.size(), 1u);
        EXPECT_EQ(prompter.calls[0].text, "用紙吸入時ヘッドセンタリング位置の値が設定範囲を超えてい"
                                          "ます。\n適正値に変更します。");
        EXPECT_EQ(prompter.calls[0].caption, "パラメータ設定－用紙吸入時ヘッドセンタリング位置");
        EXPECT_EQ(prompter.calls[0].style, 0x30u); // MB_OK | MB_ICONEXCLAMATION
    }
}

} // namespace
} // namespace sb

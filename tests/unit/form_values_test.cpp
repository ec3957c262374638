#include "pages/form_values.h"
#include "record/factory_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace sb {
namespace {

const std::string kFactoryForm0 = "66,120,120,046,046,054,00,00,";
const std::string kFactoryForm = "66,000,136,120,120,046,046,054,00,00,";

std::string Text(const CFormValues& form, int n) {
    const std::span<const char> text = form.FormText(n);
    return std::string(text.begin(), text.end());
}

// The five form texts of a record whose form n block is replaced by block.
CFormValues Loaded(int n = 0, std::string_view block = {}) {
    SettingRecord record = FactoryRecord();
    std::copy(block.begin(), block.end(), record.begin() + off::kFormBlock[n]);
    CFormValues form;
    for (int i = 0; i < 5; ++i) {
        form.CopyFormFromRecord(i, record);
    }
    return form;
}

FormEditTexts Opened(CFormValues& form, int n, std::string_view name) {
    form.ParseFormText(n);
    form.m_strFormName = name;
    return form.EditTexts();
}

TEST(FormText, CopyFromRecordTakesTheBlockAndATerminatingZero) {
    SettingRecord record = FactoryRecord();
    record[124] = 'X'; // the opaque byte after form 1 is not part of its block
    CFormValues form;
    form.CopyFormFromRecord(0, record);
    form.CopyFormFromRecord(1, record);
    EXPECT_EQ(Text(form, 0), kFactoryForm0 + '\0');
    EXPECT_EQ(Text(form, 1), kFactoryForm + '\0');
    EXPECT_TRUE(form.FormText(5).empty());
}

TEST(FormText, CopyFromRecordClearsWhatAnEarlierCopyLeft) {
    SettingRecord record = FactoryRecord();
    CFormValues form;
    form.CopyFormFromRecord(3, record);
    std::fill_n(record.begin() + 165, 37, '\0');
    form.CopyFormFromRecord(3, record);
    EXPECT_EQ(Text(form, 3), std::string(38, '\0'));
}

TEST(FormText, CopyToRecordTouchesOnlyTheBlock) {
    CFormValues form = Loaded();
    SettingRecord record;
    record.fill(0x55);
    form.CopyFormToRecord(2, record);
    form.CopyFormToRecord(0, record);
    form.CopyFormToRecord(-1, record);
    form.CopyFormToRecord(5, record);
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        const bool inBlock = (i >= 38 && i <= 66) || (i >= 126 && i <= 162);
        if (!inBlock) {
            EXPECT_EQ(record[i], 0x55) << "byte " << i;
        }
    }
    EXPECT_EQ(std::string(record.begin() + 38, record.begin() + 67), kFactoryForm0);
    EXPECT_EQ(std::string(record.begin() + 126, record.begin() + 163), kFactoryForm);
}

TEST(FormText, FactoryForm0ParsesToItsValuesAndTicks) {
    CFormValues form = Loaded();
    form.ParseFormText(0);
    EXPECT_EQ(form.m_nPageLength, 66);
    EXPECT_EQ(form.m_nFrontTractor, 120);
    EXPECT_EQ(form.m_nRearTractor, 120);
    EXPECT_EQ(form.m_nSheetGuide, 46);
    EXPECT_EQ(form.m_nSheetFeeder, 46);
    EXPECT_EQ(form.m_nPostcard, 54);
    EXPECT_EQ(form.m_nCutSheetAdjust, 0);
    EXPECT_EQ(form.m_nFrontTractorAdjust, 0);
    EXPECT_EQ(form.m_nLeftMargin, 0);
    EXPECT_EQ(form.m_nRightMargin, 136);
    EXPECT_EQ(form.m_nFrontTractorPos, 9);
    EXPECT_EQ(form.m_nRearTractorPos, 9);
    EXPECT_EQ(form.m_nSheetGuidePos, 7);
    EXPECT_EQ(form.m_nSheetFeederPos, 7);
    EXPECT_EQ(form.m_nPostcardPos, 7);
}

TEST(FormText, FieldsParseFromTheirOwnOffsets) {
    CFormValues form0 = Loaded(0, "12,015,018,020,028,030,41,52,");
    form0.ParseFormText(0);
    EXPECT_EQ(form0.m_nPageLength, 12);
    EXPECT_EQ(form0.m_nFrontTractor, 15);
    EXPECT_EQ(form0.m_nRearTractor, 18);
    EXPECT_EQ(form0.m_nSheetGuide, 20);
    EXPECT_EQ(form0.m_nSheetFeeder, 28);
    EXPECT_EQ(form0.m_nPostcard, 30);
    EXPECT_EQ(form0.m_nCutSheetAdjust, 41);
    EXPECT_EQ(form0.m_nFrontTractorAdjust, 52);
    EXPECT_EQ(form0.m_nPostcardPos, 5);

    CFormValues form4 = Loaded(4, "98,007,135,001,002,003,004,005,61,62,");
    form4.ParseFormText(4);
    EXPECT_EQ(form4.m_nPageLength, 98);
    EXPECT_EQ(form4.m_nLeftMargin, 7);
    EXPECT_EQ(form4.m_nRightMargin, 135);
    EXPECT_EQ(form4.m_nFrontTractor, 1);
    EXPECT_EQ(form4.m_nRearTractor, 2);
    EXPECT_EQ(form4.m_nSheetGuide, 3);
    EXPECT_EQ(form4.m_nSheetFeeder, 4);
    EXPECT_EQ(form4.m_nPostcard, 5);
    EXPECT_EQ(form4.m_nCutSheetAdjust, 61);
    EXPECT_EQ(form4.m_nFrontTractorAdjust, 62);
}

TEST(FormText, NonDigitsParseByPlainArithmetic) {
    const std::string block = std::string("\0\0", 2) + ",0A0,136,120,120,046,046,054,00,00,";
    CFormValues form = Loaded(1, block);
    form.ParseFormText(1);
    EXPECT_EQ(form.m_nPageLength, -528);
    EXPECT_EQ(form.m_nLeftMargin, 170); // 'A' is 17 above '0'
    const FormEditTexts texts = form.EditTexts();
    EXPECT_EQ(texts[kEditPageLength], "-528");
}

TEST(FormText, FormatWritesOnlyDigitPositions) {
    // Separators that are not commas show that formatting leaves them alone.
    CFormValues form = Loaded(2, "11;222;133;044;055;066;077;088;09;10;");
    form.ParseFormText(2);
    form.m_nPageLength = 7;
    form.m_nLeftMargin = 12;
    form.m_nRightMargin = 120;
    form.m_nFrontTractor = 170;
    form.m_nPostcard = 0;
    form.m_nCutSheetAdjust = 68;
    form.m_nFrontTractorAdjust = 5;
    form.FormatFormText(2);
    EXPECT_EQ(Text(form, 2), std::string("07;012;120;170;055;066;077;000;68;05;") + '\0');
}

TEST(FormText, Form0FormatWritesNoMargins) {
    CFormValues form = Loaded();
    form.ParseFormText(0);
    form.m_nLeftMargin = 77;
    form.m_nRightMargin = 88;
    form.m_nSheetGuide = 60;
    form.m_nCutSheetAdjust = 12;
    form.FormatFormText(0);
    EXPECT_EQ(Text(form, 0), std::string("66,120,120,060,046,054,12,00,") + '\0');
}

TEST(FormText, FormIndexKnowsOnlyTheFiveNames) {
    EXPECT_EQ(FormIndex("書式０"), 0);
    EXPECT_EQ(FormIndex("書式４"), 4);
    EXPECT_EQ(FormIndex("書式5"), std::nullopt);
    EXPECT_EQ(FormIndex(""), std::nullopt);
}

TEST(NearestTick, ExactTickFirstThenNearestWithTiesToTheLowerPosition) {
    struct Case {
        int value;
        int standard;
        int postcard;
    };
    const std::vector<Case> cases = {
        {0, 0, 0},   {15, 1, 1},  {16, 1, 1},  {19, 2, 2},   {46, 7, 6},   {47, 7, 6},
        {50, 7, 7},  {53, 7, 7},  {54, 8, 7},  {57, 8, 7},   {90, 8, 8},   {91, 9, 9},
        {120, 9, 9}, {121, 9, 9}, {170, 9, 9}, {-528, 0, 0}, {-5328, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(NearestTick(c.value, kStandardTicks), c.standard) << c.value;
        EXPECT_EQ(NearestTick(c.value, kPostcardTicks), c.postcard) << c.value;
    }
}

TEST(FormTrack, MovingABarPutsItsTickIntoItsEdit) {
    const FormEditOutcome postcard = FormTrackMoved(1096, 7);
    EXPECT_EQ(postcard.edit, 1064);
    EXPECT_EQ(postcard.text, "54");
    EXPECT_EQ(postcard.track, 1096);
    EXPECT_EQ(postcard.trackPos, 7);

    const FormEditOutcome guide = FormTrackMoved(1095, 7);
    EXPECT_EQ(guide.edit, 1062);
    EXPECT_EQ(guide.text, "46");
    EXPECT_EQ(guide.trackPos, 7);

    const std::vector<std::pair<int, int>> bars = {
        {1094, 1060}, {1100, 1200}, {1095, 1062}, {1102, 1066}, {1096, 1064}};
    for (const auto& [track, edit] : bars) {
        EXPECT_EQ(FormTrackMoved(track, 9).edit, edit) << track;
        EXPECT_EQ(FormTrackMoved(track, 9).text, "120") << track;
        EXPECT_EQ(FormTrackMoved(track, 0).text, "0") << track;
        EXPECT_EQ(FormTrackMoved(track, 4).text, "28") << track;
    }
    EXPECT_EQ(FormTrackMoved(0, 3).edit, 0);
    EXPECT_EQ(FormTrackMoved(1054, 3).edit, 0);
}

struct EditCase {
    int edit;
    std::string text;
    bool focus;
    std::optional<std::string> result;
    int trackPos;
};

TEST(FormEdit, ChangeRuleLimitsBoundsAndMovesTheTrackBar) {
    const std::vector<EditCase> cases = {
        {1060, "50", true, std::nullopt, 7},
        {1060, "53", true, std::nullopt, 7},
        {1060, "90", true, std::nullopt, 8},
        {1060, "1234", true, "170", 9},
        {1060, "1234", false, std::nullopt, 9},
        {1060, "0012", true, std::nullopt, 1},
        {1064, "171", true, "170", 9},
        {1200, "", true, std::nullopt, 0},
        {1066, "00120", false, "120", 9},
        {1062, "12345", true, "170", 9},
        {1062, "12345", false, std::nullopt, 9},
        {1064, "-5328", false, std::nullopt, 0},
        {1064, "-5328", true, "0", 0},
        {1064, "-1", true, "0", 0},
        {1064, "-1", false, std::nullopt, 0},
        {1060, "99999999999", true, "170", 9},
        // The limit counts characters, however many bytes they take.
        {1060, "１２３４", false, std::nullopt, 0},
        {1060, "１２３４５", false, "0", 0},
    };
    for (const EditCase& c : cases) {
        const FormEditOutcome out = FormEditChanged(c.edit, c.text, c.focus);
        EXPECT_EQ(out.edit, c.edit);
        EXPECT_EQ(out.text, c.result) << c.edit << " '" << c.text << "' focus " << c.focus;
        EXPECT_NE(out.track, 0) << c.edit;
        EXPECT_EQ(out.trackPos, c.trackPos) << c.edit << " '" << c.text << "'";
    }
}

TEST(FormEdit, ChangeRuleOfTheEditsWithoutTrackBar) {
    const std::vector<EditCase> cases = {
        {1054, "0", true, "1", 0},
        {1054, "", true, "1", 0},
        {1054, "", false, std::nullopt, 0},
        {1054, "100", true, "99", 0},
        {1054, "99", true, std::nullopt, 0},
        {1054, "0099", true, "99", 0},
        {1054, "1234", true, "99", 0},
        {1201, "136", true, "135", 0},
        {1201, "0135", true, std::nullopt, 0},
        {1202, "0", true, "1", 0},
        {1202, "1000", false, std::nullopt, 0},
        {1202, "137", true, "136", 0},
        {1058, "00012", true, "12", 0},
        {1061, "00012", false, "12", 0},
        {1061, "69", true, "68", 0},
        {1058, "069", false, std::nullopt, 0},
        {1058, "0069", false, "69", 0},
    };
    for (const EditCase& c : cases) {
        const FormEditOutcome out = FormEditChanged(c.edit, c.text, c.focus);
        EXPECT_EQ(out.edit, c.edit);
        EXPECT_EQ(out.text, c.result) << c.edit << " '" << c.text << "' focus " << c.focus;
        EXPECT_EQ(out.track, 0) << c.edit;
    }
    EXPECT_EQ(FormEditChanged(1094, "12", true).edit, 0) << "a track bar is not an edit";
}

TEST(FormDialog, TitleAndMarginControlsFollowTheFormName) {
    CFormValues form = Loaded();
    form.m_strFormName = "書式０";
    EXPECT_EQ(form.Title(), "書式の設定： 書式０");
    EXPECT_FALSE(form.MarginsEnabled());
    form.m_strFormName = "書式２";
    EXPECT_EQ(form.Title(), "書式の設定： 書式２");
    EXPECT_TRUE(form.MarginsEnabled());
    std::vector<int> margins(kMarginControls.begin(), kMarginControls.end());
    std::sort(margins.begin(), margins.end());
    EXPECT_EQ(margins, (std::vector<int>{1201, 1202, 1203, 1204, 1209, 1210, 1211, 1212}));
}

TEST(FormDialog, SpinRangesAndEditOrder) {
    struct Spin {
        int edit, spin, lo, hi;
    };
    const std::vector<Spin> expected = {
        {1060, 1099, 0, 170}, {1200, 1101, 0, 170}, {1062, 1098, 0, 170}, {1066, 1103, 0, 170},
        {1064, 1065, 0, 170}, {1054, 1097, 1, 99},  {1201, 1203, 0, 135}, {1202, 1204, 1, 136},
        {1058, 1059, 0, 68},  {1061, 1063, 0, 68}};
    ASSERT_EQ(kFormEditRows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(kFormEditRows[i].edit, expected[i].edit) << i;
        EXPECT_EQ(kFormEditRows[i].spin, expected[i].spin) << i;
        EXPECT_EQ(kFormEditRows[i].lo, expected[i].lo) << i;
        EXPECT_EQ(kFormEditRows[i].hi, expected[i].hi) << i;
    }
}

TEST(FormDialog, OpeningShowsTheParsedFields) {
    CFormValues form = Loaded(3, "12,034,056,001,002,003,004,005,06,07,");
    const FormEditTexts texts = Opened(form, 3, "書式３");
    EXPECT_EQ(texts, (FormEditTexts{"1", "2", "3", "4", "5", "12", "34", "56", "7", "6"}));
    CFormValues form0 = Loaded();
    EXPECT_EQ(Opened(form0, 0, "書式０")[kEditLeftMargin], "0");
    EXPECT_EQ(Opened(form0, 0, "書式０")[kEditRightMargin], "136");
}

TEST(FormDialog, OkWithoutChangeLeavesTheTextByteForByte) {
    for (int n = 0; n < 5; ++n) {
        CFormValues form = Loaded();
        const std::string before = Text(form, n);
        const FormEditTexts texts = Opened(form, n, kFormNames[n]);
        const FormOkOutcome out = form.OnOK(texts);
        EXPECT_TRUE(out.accepted) << n;
        EXPECT_EQ(Text(form, n), before) << n;
    }
}

TEST(FormDialog, OkWritesOnlyTheChosenFormsDigits) {
    CFormValues form = Loaded(3, "12,034,056,001,002,003,004,005,06,07,");
    std::vector<std::string> before;
    for (int n = 0; n < 5; ++n) {
        before.push_back(Text(form, n));
    }
    FormEditTexts texts = Opened(form, 3, "書式３");
    texts[kEditFrontTractor] = "60";
    texts[kEditRightMargin] = "100";
    texts[kEditCutSheetAdjust] = "68";
    ASSERT_TRUE(form.OnOK(texts).accepted);
    for (int n = 0; n < 5; ++n) {
        if (n != 3) {
            EXPECT_EQ(Text(form, n), before[n]) << n;
        }
    }
    EXPECT_EQ(Text(form, 3), std::string("12,034,100,060,002,003,004,005,68,07,") + '\0');
    EXPECT_EQ(form.m_nFrontTractor, 60);
    EXPECT_EQ(form.m_nFrontTractorPos, 8);
}

TEST(FormDialog, OkForForm0NeverWritesMargins) {
    CFormValues form = Loaded();
    FormEditTexts texts = Opened(form, 0, "書式０");
    texts[kEditPageLength] = "70";
    ASSERT_TRUE(form.OnOK(texts).accepted);
    EXPECT_EQ(Text(form, 0), std::string("70,120,120,046,046,054,00,00,") + '\0');
}

TEST(FormDialog, OkWithAnUnknownNameWritesNothing) {
    CFormValues form = Loaded();
    FormEditTexts texts = Opened(form, 1, "書式1");
    texts[kEditPageLength] = "70";
    EXPECT_TRUE(form.OnOK(texts).accepted);
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(Text(form, n), (n == 0 ? kFactoryForm0 : kFactoryForm) + '\0') << n;
    }
}

TEST(FormDialog, EqualMarginsAskForALargerRightMargin) {
    CFormValues form = Loaded();
    FormEditTexts texts = Opened(form, 1, "書式１");
    texts[kEditLeftMargin] = "40";
    texts[kEditRightMargin] = "40";
    const FormOkOutcome out = form.OnOK(texts);
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.message,
              "ライトマージン幅はレフトマージン幅より大きくしてください。適正値に変更します。");
    EXPECT_EQ(out.caption, "レフトマージン幅／ライトマージン幅");
    EXPECT_EQ(out.style, 0x30u); // MB_OK | MB_ICONEXCLAMATION
    EXPECT_EQ(out.focus, 1202);
    EXPECT_EQ(out.text, "41");
    EXPECT_EQ(Text(form, 1), kFactoryForm + '\0');

    // The margin test comes before every other check.
    texts[kEditPageLength] = "";
    texts[kEditLeftMargin] = "999";
    texts[kEditRightMargin] = "";
    EXPECT_EQ(form.OnOK(texts).text, "1000");
}

TEST(FormDialog, OutOfRangePageLengthIsRefusedWithItsBounds) {
    CFormValues form = Loaded(1, "00,000,136,120,120,046,046,054,00,00,");
    const std::string before = Text(form, 1);
    const FormEditTexts texts = Opened(form, 1, "書式１");
    EXPECT_EQ(texts[kEditPageLength], "0");
    const FormOkOutcome out = form.OnOK(texts);
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.message, "1 から 99 までの整数を入力してください。");
    EXPECT_EQ(out.caption, "Switchboard");
    EXPECT_EQ(out.style, 0x30u);
    EXPECT_EQ(out.focus, 1054);
    EXPECT_TRUE(out.selectAll);
    EXPECT_FALSE(out.text.has_value());
    EXPECT_EQ(Text(form, 1), before);
}

TEST(FormDialog, ValidationStopsAtTheFirstFailureInItsOrder) {
    CFormValues form = Loaded();
    const FormEditTexts good = Opened(form, 2, "書式２");
    struct Case {
        FormEdit edit;
        std::string text;
        int focus;
        std::string message;
    };
    const std::vector<Case> cases = {
        {kEditFrontTractor, "171", 1060, "0 から 170 までの整数を入力してください。"},
        {kEditRearTractor, "", 1200, "整数を入力してください。"},
        {kEditSheetGuide, "-1", 1062, "0 から 170 までの整数を入力してください。"},
        {kEditSheetFeeder, "1x", 1066, "整数を入力してください。"},
        {kEditPostcard, "200", 1064, "0 から 170 までの整数を入力してください。"},
        {kEditPageLength, "100", 1054, "1 から 99 までの整数を入力してください。"},
        {kEditLeftMargin, "a", 1201, "整数を入力してください。"},
        {kEditFrontAdjust, "69", 1058, "0 から 68 までの整数を入力してください。"},
        {kEditCutSheetAdjust, "-5328", 1061, "0 から 68 までの整数を入力してください。"},
    };
    for (const Case& c : cases) {
        FormEditTexts texts = good;
        texts[c.edit] = c.text;
        texts[kEditCutSheetAdjust] = c.edit == kEditCutSheetAdjust ? c.text : "99";
        const FormOkOutcome out = form.OnOK(texts);
        EXPECT_FALSE(out.accepted) << c.focus;
        EXPECT_EQ(out.focus, c.focus);
        EXPECT_EQ(out.message, c.message) << c.focus;
        EXPECT_EQ(out.caption, "Switchboard");
        EXPECT_TRUE(out.selectAll);
    }
    EXPECT_EQ(Text(form, 2), kFactoryForm + '\0');
}

TEST(FormDialog, MarginsHaveNoRangeTestAndAreClampedOnlyWhenTheyDoNotFit) {
    CFormValues form = Loaded();
    FormEditTexts texts = Opened(form, 4, "書式４");
    texts[kEditLeftMargin] = "200";
    texts[kEditRightMargin] = "300";
    ASSERT_TRUE(form.OnOK(texts).accepted);
    EXPECT_EQ(Text(form, 4).substr(0, 10), "66,200,300");

    texts[kEditLeftMargin] = "-5";
    texts[kEditRightMargin] = "1000";
    ASSERT_TRUE(form.OnOK(texts).accepted);
    EXPECT_EQ(Text(form, 4).substr(0, 10), "66,000,136");
    EXPECT_EQ(form.m_nLeftMargin, -5);
}

} // namespace
} // namespace sb

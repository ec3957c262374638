#include "pages/record_fields.h"
#include "record/factory_record.h"
#include "record/settings_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace sb {
namespace {

std::string FileText(const std::string& path) {
    std::ifstream in(std::string(SB_SOURCE_DIR) + "/" + path);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_FALSE(text.empty()) << path;
    return text;
}

std::string Unescaped(std::string value) {
    for (std::size_t at = value.find("\\n"); at != std::string::npos; at = value.find("\\n")) {
        value.replace(at, 2, "\n");
    }
    return value;
}

// Every text a source file shows: its string literals, and those of the template texts it
// names by their macros, with their escapes resolved.
std::vector<std::string> Literals(const std::string& path) {
    static const std::map<std::string, std::string> macros = [] {
        std::map<std::string, std::string> found;
        const std::string text = FileText("pages/field_texts.h");
        const std::regex define(R"re(#define (SB_\w+) "((?:[^"\\]|\\.)*)")re");
        for (auto it = std::sregex_iterator(text.begin(), text.end(), define);
             it != std::sregex_iterator(); ++it) {
            found[(*it)[1]] = Unescaped((*it)[2]);
        }
        return found;
    }();
    const std::string text = FileText(path);
    std::vector<std::string> literals;
    const std::regex literal(R"re("((?:[^"\\]|\\.)*)"|\bSB_\w+)re");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), literal);
         it != std::sregex_iterator(); ++it) {
        if ((*it)[1].matched) {
            literals.push_back(Unescaped((*it)[1]));
        } else if (const auto macro = macros.find((*it)[0]); macro != macros.end()) {
            literals.push_back(macro->second);
        }
    }
    return literals;
}

// The refusal, empty when every assignment was taken.
std::string Refusal(CRecordFields& fields, std::vector<FieldAssignment> assignments) {
    return fields.Apply(assignments).value_or("");
}

TEST(RecordFields, ShownTextsDropMnemonicMarksAndLineBreaks) {
    EXPECT_EQ(ShownText("有効(&Q)"), "有効(Q)");
    EXPECT_EQ(ShownText("カット位置からの\n自動戻り時間(&P)"), "カット位置からの自動戻り時間(P)");
    EXPECT_EQ(ShownText("A && B"), "A & B");
}

TEST(RecordFields, KeysAreUniqueAsciiAndCoverEveryControlOfEveryPageAndForm) {
    const std::vector<FieldInfo>& fields = RecordFieldList();
    std::set<std::string> keys;
    const std::regex keyPattern("[a-z0-9.-]+");
    for (const FieldInfo& info : fields) {
        EXPECT_TRUE(std::regex_match(info.key, keyPattern)) << info.key;
        EXPECT_TRUE(keys.insert(info.key).second) << "twice: " << info.key;
    }
    // Every binding of the six pages, and every edit of each form (form 0 has no margins).
    CSelectValues select;
    CParamValues param;
    std::size_t bindings = select.Bindings().size() + param.Bindings().size();
    for (const MswBank& bank : kMswBanks) {
        bindings += CMswValues(bank).Bindings().size();
    }
    EXPECT_EQ(fields.size(), bindings + 8 + 4 * 10);

    // A switch's key names the switch its bit is.
    const std::regex switchKey(R"(msw([1-4])-([1-8]))");
    for (const FieldInfo& info : fields) {
        std::smatch match;
        if (std::regex_match(info.key, match, switchKey)) {
            const int k = std::stoi(match[2]) - 1;
            EXPECT_EQ(info.offset, kMswBanks[std::stoi(match[1]) - 1].offset + k / 4) << info.key;
            EXPECT_EQ(info.mask, 1 << (k % 4)) << info.key;
        }
    }
}

// The panel shows its labels from its dialog templates and its tab texts from the main
// window; every text the fields name must be one of them.
TEST(RecordFields, EveryLabelIsATextThePanelShows) {
    std::set<std::string> shown;
    for (const char* file :
         {"res/pages_select.rc", "res/pages_switch.rc", "app/panel_dlg_layout.cpp"}) {
        for (const std::string& literal : Literals(file)) {
            shown.insert(ShownText(literal));
        }
    }
    const std::string formTitle = ShownText("書式の設定： ");
    ASSERT_TRUE(shown.contains(formTitle));
    for (const FieldInfo& info : RecordFieldList()) {
        const bool formPage = info.page.starts_with(formTitle);
        EXPECT_TRUE(formPage || shown.contains(info.page)) << info.key << ": " << info.page;
        for (const std::string* text : {&info.label, &info.group, &info.unit}) {
            EXPECT_TRUE(text->empty() || shown.contains(*text)) << info.key << ": " << *text;
        }
        if (info.kind == FieldKind::Radio) {
            for (const std::string& choice : info.choices) {
                EXPECT_TRUE(shown.contains(choice)) << info.key << ": " << choice;
            }
        }
    }
}

TEST(RecordFields, EveryValueAFieldTakesComesBackAndChangesOnlyItsOwnBits) {
    const std::vector<FieldInfo>& fields = RecordFieldList();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FieldInfo& info = fields[i];
        std::vector<std::string> values = info.choices;
        if (info.kind == FieldKind::Number) {
            values = {std::to_string(info.lo), std::to_string(info.hi)};
        }
        for (const std::string& value : values) {
            CRecordFields record(FactoryRecord());
            ASSERT_EQ(Refusal(record, {{info.key, value}}), "") << info.key << "=" << value;
            EXPECT_EQ(record.Values()[i], value) << info.key;
            const SettingRecord encoded = record.Encoded();
            EXPECT_EQ(CRecordFields(encoded).Values()[i], value) << info.key;
            for (std::size_t b = 0; b < kRecordSize; ++b) {
                const bool own = b >= info.offset && b < info.offset + info.width;
                const std::uint8_t changed = encoded[b] ^ FactoryRecord()[b];
                EXPECT_EQ(changed & ~(own ? info.mask : 0), 0)
                    << info.key << "=" << value << " changed byte " << b;
            }
        }
    }
}

TEST(RecordFields, ARadioButtonsTextMayGoWithoutItsMnemonic) {
    CRecordFields fields(FactoryRecord());
    ASSERT_EQ(Refusal(fields, {{"msw2-4", "有効"},
                               {"msw1-7", "ＣＲ，ＬＦ，ＶＴ，ＦＦ，ＵＳ，ＥＳＣ ａ，ＥＳＣ ｂ"}}),
              "");
    const std::vector<std::string> values = fields.Values();
    EXPECT_EQ(values[*FindField("msw2-4")], "有効(Q)");
    EXPECT_EQ(values[*FindField("msw1-7")],
              "ＣＲ，ＬＦ，ＶＴ，ＦＦ，ＵＳ，ＥＳＣ ａ，ＥＳＣ ｂ (E)");
}

TEST(RecordFields, RefusesWhatThePanelWouldNotTakeAndThenChangesNothing) {
    const std::pair<std::vector<FieldAssignment>, std::string> cases[] = {
        {{{"select.colour", "red"}}, "unknown key \"select.colour\""},
        {{{"select.reduction", "1/2"}},
         "select.reduction: \"1/2\" is not one of 縮小なし, ２／３縮小, ４／５縮小"},
        {{{"msw2-4", "on"}}, "msw2-4: \"on\" is not one of 無効(U), 有効(Q)"},
        {{{"msw2-1", "1"}}, "msw2-1: \"1\" is not one of off, on"},
        {{{"param.centering-cut-sheet", "9"}},
         "param.centering-cut-sheet: \"9\" is not a whole number from 10 to 68"},
        {{{"form1.page-length", "100"}},
         "form1.page-length: \"100\" is not a whole number from 1 to 99"},
        {{{"param.intake-time", "+3"}},
         "param.intake-time: \"+3\" is not a whole number from 2 to 5"},
        {{{"form2.load-postcard", ""}},
         "form2.load-postcard: \"\" is not a whole number from 0 to 170"},
        {{{"select.form", "書式１"}, {"select.form", "書式２"}}, "select.form: given twice"},
        // The form dialog's OK: the right margin beyond the left, whichever comes first.
        {{{"form3.right-margin", "40"}, {"form3.left-margin", "40"}},
         "form3.right-margin: must be greater than form3.left-margin (40)"},
        // All or nothing: the good one before the refusal is not kept either.
        {{{"select.typeface", "ゴシック体(G)"}, {"form0.left-margin", "3"}},
         "unknown key \"form0.left-margin\""},
    };
    for (const auto& [assignments, refusal] : cases) {
        CRecordFields fields(FactoryRecord());
        EXPECT_EQ(Refusal(fields, assignments), refusal);
        EXPECT_EQ(fields.Encoded(), FactoryRecord()) << refusal;
    }
}

TEST(RecordFields, AFormWithAValueOutOfRangeTakesNoChangeUntilThatValueIsSetToo) {
    SettingRecord record = FactoryRecord();
    record[off::kFormBlock[1]] = '0'; // page length 00
    record[off::kFormBlock[1] + 1] = '0';
    CRecordFields fields(record);
    EXPECT_EQ(
        Refusal(fields, {{"form1.left-margin", "5"}}),
        "form1.page-length: holds 0, which is not a whole number from 1 to 99; set it as well");
    EXPECT_EQ(fields.Encoded(), record);
    // Another form is not held up by it.
    EXPECT_EQ(Refusal(fields, {{"form2.left-margin", "5"}}), "");
    EXPECT_EQ(Refusal(fields, {{"form1.left-margin", "5"}, {"form1.page-length", "60"}}), "");
    EXPECT_EQ(fields.Values()[*FindField("form1.page-length")], "60");
}

} // namespace
} // namespace sb

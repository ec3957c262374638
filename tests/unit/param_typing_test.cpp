#include "pages/param_typing.h"

#include <gtest/gtest.h>

#include <string>

namespace sb {
namespace {

struct Typed {
    NumberEdit edit;
    std::string_view text;
    bool focus;
    std::string_view result;
    bool uncorrected;
    int dataChecks;
};

constexpr NumberEdit kCut = NumberEdit::CutSheet;
constexpr NumberEdit kFront = NumberEdit::FrontTractor;
constexpr NumberEdit kRear = NumberEdit::RearTractor;
constexpr NumberEdit kIntake = NumberEdit::IntakeTime;

void Check(const Typed& t) {
    const EditChange change = RunEditChange(RuleOf(t.edit), t.text, t.focus);
    SCOPED_TRACE(testing::Message() << "edit " << static_cast<int>(t.edit) << " text \"" << t.text
                                    << "\" focus " << t.focus);
    EXPECT_EQ(change.text, t.result);
    EXPECT_EQ(change.textChanged, t.result != t.text);
    EXPECT_EQ(change.uncorrected, t.uncorrected);
    EXPECT_EQ(change.dataChecks, t.dataChecks);
}

// A correction sets the text, whose nested run finds it in range: two data checks.
TEST(EditChange, TypedHeadCentringValuesAreCorrectedOrDeferred) {
    const Typed cases[] = {
        {kCut, "7", true, "10", false, 2},      {kCut, "5", true, "5", true, 1},
        {kCut, "50", true, "50", false, 1},     {kCut, "500", true, "68", false, 2},
        {kCut, "1", true, "1", true, 1},        {kCut, "6", true, "6", true, 1},
        {kCut, "0", true, "10", false, 2},      {kCut, "9", true, "10", false, 2},
        {kCut, "10", true, "10", false, 1},     {kCut, "68", true, "68", false, 1},
        {kCut, "69", true, "68", false, 2},     {kFront, "5", true, "5", true, 1},
        {kFront, "8", true, "10", false, 2},    {kFront, "99", true, "68", false, 2},
        {kRear, "2", true, "68", false, 2},     {kRear, "5", true, "68", false, 2},
        {kRear, "1", true, "1", true, 1},       {kRear, "6", true, "6", true, 1},
        {kRear, "67", true, "67", true, 1},     {kRear, "68", true, "68", false, 1},
        {kRear, "126", true, "126", false, 1},  {kRear, "127", true, "126", false, 2},
        {kRear, "1260", true, "126", false, 2},
    };
    for (const Typed& t : cases) {
        Check(t);
    }
}

TEST(EditChange, IntakeTimeIsAlwaysCorrectedAtOnce) {
    const Typed cases[] = {
        {kIntake, "0", true, "2", false, 2}, {kIntake, "1", true, "2", false, 2},
        {kIntake, "2", true, "2", false, 1}, {kIntake, "5", true, "5", false, 1},
        {kIntake, "6", true, "5", false, 2}, {kIntake, "25", true, "5", false, 2},
    };
    for (const Typed& t : cases) {
        Check(t);
    }
}

TEST(EditChange, DeletedTextBecomesTheLowestValue) {
    Check({kCut, "", true, "10", false, 2});
    Check({kFront, "", true, "10", false, 2});
    Check({kRear, "", true, "68", false, 2});
    Check({kIntake, "", true, "2", false, 2});
    Check({kCut, "abc", true, "10", false, 2});
}

TEST(EditChange, WithoutFocusOnlyOverlongTextsAreRewritten) {
    Check({kCut, "5", false, "5", false, 1});
    Check({kCut, "500", false, "500", false, 1});
    Check({kRear, "", false, "", false, 1});
    Check({kCut, "0050", false, "50", false, 2});
    Check({kIntake, "123", false, "123", false, 1});
}

TEST(EditChange, OverlongTextIsReplacedByItsValueOnce) {
    // The replacement's nested run decides, then the outer run decides again on the same value.
    Check({kCut, "0050", true, "50", false, 2});
    Check({kCut, "0005", true, "5", true, 2});
    Check({kCut, "12ab", true, "12", false, 2});
    // Only the first nine characters are read; their value is still too long for the edit,
    // so the nested run leaves it and only the range correction follows.
    Check({kCut, "123456789012", false, "123456789", false, 2});
    Check({kCut, "123456789012", true, "68", false, 4});
    Check({kRear, "12600", true, "126", false, 2});
    Check({kIntake, "123", true, "5", false, 2});
    // Characters, not bytes: three full-width digits are not too long, and not a number.
    Check({kCut, "１２３", true, "10", false, 2});
}

TEST(EditChange, SpinRangesMatchTheEdits) {
    struct Want {
        NumberEdit edit;
        int editId;
        int spinId;
        int lo;
        int hi;
    };
    const Want want[] = {{kCut, 1061, 1055, 10, 68},
                         {kFront, 1062, 1056, 10, 68},
                         {kRear, 1063, 1057, 68, 126},
                         {kIntake, 1064, 1060, 2, 5}};
    for (const Want& w : want) {
        const NumberEditRule& rule = RuleOf(w.edit);
        EXPECT_EQ(rule.editId, w.editId);
        EXPECT_EQ(rule.spinId, w.spinId);
        EXPECT_EQ(rule.lo, w.lo);
        EXPECT_EQ(rule.hi, w.hi);
    }
}

} // namespace
} // namespace sb

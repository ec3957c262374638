// A page's window made with the panel, made late, or never made: the record the page
// writes, the controls it shows and what it reports must not depend on when its window came.
#include "control_probe.h"
#include "page_host.h"
#include "pages/msw_page.h"
#include "pages/param_page.h"
#include "pages/select_page.h"
#include "record/factory_record.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace sb {
namespace {

constexpr WORD kDataCheck = 32805;

// What a user sees of every control of the page.
std::vector<std::string> ControlStates(HWND page) {
    std::vector<std::string> states;
    for (HWND child = ::GetWindow(page, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        ::GetClassNameW(child, className, 32);
        const std::wstring kind = className;
        std::string state = std::to_string(::GetDlgCtrlID(child)) + " " + test::TextOf(child);
        if (kind == L"Button") {
            state += " check " + std::to_string(::SendMessageW(child, BM_GETCHECK, 0, 0));
        } else if (kind == L"ComboBox") {
            state += " selected " + std::to_string(::SendMessageW(child, CB_GETCURSEL, 0, 0));
        } else if (kind == UPDOWN_CLASSW) {
            state += " at " + std::to_string(::SendMessageW(child, UDM_GETPOS32, 0, 0));
        }
        states.push_back(state + (::IsWindowEnabled(child) ? "" : " disabled"));
    }
    return states;
}

// Records the panel may decode, besides the factory one: some that decoding repairs, some
// with fields no page can show.
std::vector<std::pair<const char*, SettingRecord>> Records() {
    std::vector<std::pair<const char*, SettingRecord>> records = {{"factory", FactoryRecord()}};
    const auto make = [&](const char* name, auto byteAt) {
        SettingRecord record{};
        for (std::size_t i = 0; i < record.size(); ++i) {
            record[i] = byteAt(i);
        }
        records.emplace_back(name, record);
    };
    make("blank", [](std::size_t) { return std::uint8_t{0}; });
    make("all ones", [](std::size_t) { return std::uint8_t{0xFF}; });
    make("0 9 0 9", [](std::size_t i) { return std::uint8_t(i % 2 == 0 ? '0' : '9'); });
    make("9 0 9 0", [](std::size_t i) { return std::uint8_t(i % 2 == 0 ? '9' : '0'); });
    make("F 0 F 0", [](std::size_t i) { return std::uint8_t(i % 2 == 0 ? 'F' : '0'); });
    return records;
}

enum class Made { AtOnce, Late, Never };

struct Outcome {
    SettingRecord record{};
    std::vector<std::string> controls;
};

// As the panel uses a page: the factory record decoded at start-up, then another one (a
// loaded file), and the encode of the next data check.
template <class Page>
Outcome Use(Made made, const SettingRecord& loaded, test::CPageHost& host,
            test::CRecordingPrompter& prompter) {
    Page page;
    page.SetPrompter(&prompter);
    if (made == Made::AtOnce) {
        page.CreatePage(host.Handle(), true);
    }
    SettingRecord record = FactoryRecord();
    page.DecodeRecord(record);
    record = loaded;
    page.DecodeRecord(record);
    // The panel names the selected form on the button after every decode.
    if constexpr (std::is_same_v<Page, CPage_Select>) {
        page.RefreshFormButtonCaption();
    }
    if (made == Made::Late) {
        page.CreatePage(host.Handle(), true);
    }
    Outcome outcome;
    if (made != Made::Never) {
        outcome.controls = ControlStates(page.Handle());
    }
    page.EncodeRecord(record);
    outcome.record = record;
    return outcome;
}

template <class Page> void ExpectTheSameWheneverMade() {
    for (const auto& [name, loaded] : Records()) {
        SCOPED_TRACE(name);
        test::CPageHost host;
        test::CRecordingPrompter prompter;
        const Outcome atOnce = Use<Page>(Made::AtOnce, loaded, host, prompter);
        const Outcome late = Use<Page>(Made::Late, loaded, host, prompter);
        const Outcome never = Use<Page>(Made::Never, loaded, host, prompter);
        EXPECT_EQ(late.record, atOnce.record);
        EXPECT_EQ(never.record, atOnce.record);
        EXPECT_EQ(late.controls, atOnce.controls);

        EXPECT_EQ(host.CountOf(kDataCheck), 0);
        EXPECT_TRUE(prompter.m_shown.empty());
    }
}

TEST(PageLifetime, AWindowMadeAtOnceLateOrNeverChangesNothing) {
    ExpectTheSameWheneverMade<CPage_Select>();
    ExpectTheSameWheneverMade<CPage_Param>();
    ExpectTheSameWheneverMade<CPage_MSW1>();
    ExpectTheSameWheneverMade<CPage_MSW2>();
    ExpectTheSameWheneverMade<CPage_MSW3>();
    ExpectTheSameWheneverMade<CPage_MSW4>();
}

} // namespace
} // namespace sb

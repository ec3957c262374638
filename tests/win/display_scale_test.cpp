// The main window at its prefix's display scale (ctest runs this program at 96, 144 and 192
// dpi, in a prefix of its own for each) and after a move to a display of another scale:
// where the pages go, the sizes of the pictures, buttons and panes, and the menu's measure
// and drawing.
#include "app/bar_layout.h"
#include "app/panel_dlg.h"
#include "menu_test_support.h"
#include "only_our_queues.h"
#include "panel_test_support.h"
#include "res/resource.h"
#include "tools/queue_admin.h"
#include "ui/dpi.h"
#include "base/dpi_scale.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sb {
namespace {

using test::CCanvas;
using test::ItemAt;

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new test::OnlyOurQueues);

// The scale ctest asked the prefix for.
int PrefixDpi() {
    const char* dpi = std::getenv("SB_WINE_DPI");
    return dpi != nullptr ? std::atoi(dpi) : kBaseDpi;
}

Size ImageSize(HIMAGELIST images) {
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    return {cx, cy};
}

Size IconSize(HICON icon) {
    ICONINFO info{};
    GetIconInfo(icon, &info);
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return {colour.bmWidth, colour.bmHeight};
}

Rect RectOf(HWND window) {
    return CWindow(window).RectInParent();
}

std::vector<HWND> Pages(HWND panel) {
    std::vector<HWND> pages;
    for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (test::ClassOf(child) == L"#32770") {
            pages.push_back(child);
        }
    }
    return pages;
}

// The first item of the file menu, with its icon, as the panel measures and draws it.
void ExpectMenuAt(HWND panel, int dpi) {
    const int picture = PictureSize(dpi);
    const HMENU file = GetSubMenu(GetMenu(panel), 0);
    const IconMenuItem* load = ItemAt(file, 0);
    ASSERT_NE(load, nullptr);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = ID_LOAD_SETTINGS;
    measure.itemData = reinterpret_cast<ULONG_PTR>(load);
    SendMessageW(panel, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    const int height =
        std::max(SystemMetric(SM_CYMENU, static_cast<UINT>(dpi)), picture - 1 + Scale(4, dpi));
    EXPECT_EQ(static_cast<int>(measure.itemHeight), height);
    EXPECT_EQ(static_cast<int>(measure.itemWidth),
              test::MenuFontWidth(std::wstring(load->text.begin(), load->text.end()),
                                  static_cast<UINT>(dpi)) +
                  2 * picture + Scale(1, dpi));

    // Selected, the item keeps its icon column out of the highlight.
    CCanvas canvas(300, height);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = ID_LOAD_SETTINGS;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = ODS_SELECTED;
    draw.hwndItem = reinterpret_cast<HWND>(file);
    draw.hDC = canvas.Dc();
    draw.rcItem = {0, 0, 300, height};
    draw.itemData = measure.itemData;
    SendMessageW(panel, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    const int highlight = picture + Scale(5, dpi);
    EXPECT_EQ(canvas.At(highlight, 0), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.At(highlight - 1, 0), CCanvas::kUntouched);
    ASSERT_TRUE(load->image);
    EXPECT_EQ(ImageSize(load->image.Get()), (Size{picture, picture - 1}));
}

Rect DisplayArea(HWND tab) {
    return FromRECT(CTabCtrl(tab).DisplayArea(ToRECT(RectOf(tab))));
}

// Every page made so far fills the tab control's display area.
void ExpectPagesFillTheDisplayArea(HWND panel) {
    const Rect display = DisplayArea(GetDlgItem(panel, IDC_TAB));
    const std::vector<HWND> pages = Pages(panel);
    ASSERT_FALSE(pages.empty());
    for (HWND page : pages) {
        EXPECT_EQ(RectOf(page), display);
    }
}

// Everything that follows the scale, on the running panel at `dpi`.
void ExpectLaidOutAt(HWND panel, int dpi) {
    SCOPED_TRACE(testing::Message() << dpi << " dpi");
    const int picture = PictureSize(dpi);
    const HWND tab = GetDlgItem(panel, IDC_TAB);
    const HWND toolBar = GetDlgItem(panel, IDC_TOOLBAR);
    const HWND statusBar = GetDlgItem(panel, IDC_STATUSBAR);

    // The display area holds a page.
    ExpectPagesFillTheDisplayArea(panel);
    const Rect display = DisplayArea(tab);
    for (HWND page : Pages(panel)) {
        // Wine's dialog manager keeps a page's font at a move, so its template is the
        // system scale's.
        if (dpi == static_cast<int>(SystemDpi())) {
            RECT templateSize{0, 0, 230, 190};
            MapDialogRect(page, &templateSize);
            EXPECT_GE(display.Width(), templateSize.right);
            EXPECT_GE(display.Height(), templateSize.bottom);
        }
    }
    // The tab control between the bars, all inside the client area.
    RECT client{};
    GetClientRect(panel, &client);
    EXPECT_GE(RectOf(tab).top, RectOf(toolBar).bottom);
    EXPECT_LE(RectOf(tab).bottom, RectOf(statusBar).top);
    EXPECT_EQ(RectOf(statusBar).bottom, client.bottom);
    EXPECT_LE(RectOf(tab).right, client.right);

    const auto tools = reinterpret_cast<HIMAGELIST>(SendMessageW(toolBar, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(ImageSize(tools), (Size{picture, picture}));
    EXPECT_EQ(ImageList_GetImageCount(tools), 5);
    const auto button = static_cast<DWORD>(SendMessageW(toolBar, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_EQ((Size{LOWORD(button), HIWORD(button)}),
              (Size{picture + Scale(7, dpi), picture + Scale(6, dpi)}));
    const auto tabs = reinterpret_cast<HIMAGELIST>(SendMessageW(tab, TCM_GETIMAGELIST, 0, 0));
    EXPECT_EQ(ImageSize(tabs), (Size{picture, picture}));
    const int icon = SystemMetric(SM_CXICON, static_cast<UINT>(dpi));
    const int smallIcon = SystemMetric(SM_CXSMICON, static_cast<UINT>(dpi));
    EXPECT_EQ(IconSize(reinterpret_cast<HICON>(SendMessageW(panel, WM_GETICON, ICON_BIG, 0))),
              (Size{icon, icon}));
    EXPECT_EQ(IconSize(reinterpret_cast<HICON>(SendMessageW(panel, WM_GETICON, ICON_SMALL, 0))),
              (Size{smallIcon, smallIcon}));

    int edges[2] = {};
    SendMessageW(statusBar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], PrinterPaneRightEdge(RectOf(statusBar).Width()));

    ExpectMenuAt(panel, dpi);
}

// Makes every page through the menu commands that show them, then shows the first again.
void ShowEveryTab(HWND panel) {
    for (const UINT command :
         {ID_SHOW_PARAM, ID_SHOW_MSW1, ID_SHOW_MSW2, ID_SHOW_MSW3, ID_SHOW_MSW4, ID_SHOW_SELECT}) {
        SendMessageW(panel, WM_COMMAND, command, 0);
    }
    EXPECT_EQ(Pages(panel).size(), 6u);
}

// The column widths of the printer selection's list.
Size Columns(HWND selection) {
    const HWND list = GetDlgItem(selection, 1069);
    return {static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)),
            static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0))};
}

// Tells the window it moved to a display of `dpi`, with the rectangle the system would
// suggest: the window scaled, and somewhere else, so that the move shows.
RECT MoveToDpi(HWND window, int fromDpi, int dpi) {
    RECT now{};
    GetWindowRect(window, &now);
    RECT suggested{now.left + 10, now.top + 10,
                   now.left + 10 + ScaleBetween(now.right - now.left, dpi, fromDpi),
                   now.top + 10 + ScaleBetween(now.bottom - now.top, dpi, fromDpi)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return suggested;
}

class DisplayScale : public ::testing::Test {
protected:
    void SetUp() override {
        m_queue = std::make_unique<ScopedQueue>(
            QueueInfo{test::Tag() + L"プリンタ", test::kDriver, L"|cat > /dev/null"});
        ASSERT_EQ(m_queue->Error(), static_cast<DWORD>(ERROR_SUCCESS));
        m_panel.SetPrompter(&m_prompter);
    }

    // Runs the panel with the steps inside its loop, then ends it.
    void Run(std::vector<std::function<void()>> steps) {
        steps.push_back([this] { m_panel.EndDialog(IDOK); });
        test::StepRunner runner(std::move(steps));
        m_panel.Run(nullptr);
        EXPECT_EQ(runner.Remaining(), 0u);
    }

    HWND Panel() const { return m_panel.Handle(); }

    std::unique_ptr<ScopedQueue> m_queue;
    test::ScriptedPrompter m_prompter;
    CPanelDlg m_panel;
};

TEST_F(DisplayScale, ThePanelIsLaidOutAtThePrefixsScale) {
    const int dpi = PrefixDpi();
    ASSERT_EQ(static_cast<int>(SystemDpi()), dpi) << "the prefix did not take its scale";
    Run({[&] {
        ExpectLaidOutAt(Panel(), dpi);
        ShowEveryTab(Panel());
        ExpectLaidOutAt(Panel(), dpi);
    }});
}

TEST_F(DisplayScale, NewRowsOfTheTabControlMoveThePages) {
    // A font twice as tall makes the tab rows taller, as a change of the tab control's
    // pictures, items, size or theme can: the pages follow once the rows have settled.
    CFont font;
    Run({[&] {
             ShowEveryTab(Panel());
             const HWND tab = GetDlgItem(Panel(), IDC_TAB);
             const Rect before = DisplayArea(tab);
             LOGFONTW logFont{};
             GetObjectW(reinterpret_cast<HFONT>(SendMessageW(tab, WM_GETFONT, 0, 0)),
                        sizeof(logFont), &logFont);
             logFont.lfHeight *= 2;
             font = CFont(CreateFontIndirectW(&logFont));
             SendMessageW(tab, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
             EXPECT_NE(DisplayArea(tab), before);
         },
         [&] { ExpectPagesFillTheDisplayArea(Panel()); }});
}

TEST_F(DisplayScale, AMoveToAnotherScaleRebuildsAndLaysOutThePanelAndItsDialogs) {
    const int from = PrefixDpi();
    const int to = from == 192 ? 96 : 192;
    const auto windowRect = [](HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return FromRECT(rect);
    };
    Run({[&] {
             const Rect suggested = FromRECT(MoveToDpi(Panel(), from, to));
             // The panel goes where the system says; its size is its layout's.
             EXPECT_EQ(windowRect(Panel()).left, suggested.left);
             EXPECT_EQ(windowRect(Panel()).top, suggested.top);
             ExpectLaidOutAt(Panel(), to);
             // Pages made after the move go where those made before it went.
             ShowEveryTab(Panel());
             ExpectLaidOutAt(Panel(), to);
         },
         [&] { PostMessageW(Panel(), WM_COMMAND, ID_SELECT_PRINTER, 0); },
         [&] {
             const HWND selection = FindWindowW(L"#32770", L"プリンタの選択");
             ASSERT_NE(selection, nullptr);
             // Opened at the system's scale, then moved.
             EXPECT_EQ(Columns(selection), (Size{Scale(200, from), Scale(90, from)}));
             const Rect suggested = FromRECT(MoveToDpi(selection, from, to));
             EXPECT_EQ(windowRect(selection), suggested);
             EXPECT_EQ(Columns(selection), (Size{Scale(200, to), Scale(90, to)}));
             PostMessageW(selection, WM_COMMAND, IDCANCEL, 0);
         }});
}

} // namespace
} // namespace sb

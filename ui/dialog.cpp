#include "ui/dialog.h"

#include "ui/dpi.h"
#include "base/int_text.h"
#include "base/number_messages.h"

#include <string>

namespace sb {
namespace {

HINSTANCE ProgramInstance() {
    return ::GetModuleHandleW(nullptr);
}

// Posted to itself after a move to another scale, so that it comes after the dialog manager's
// own handling of the move. The framework's own, at the top of the application's range.
constexpr UINT kDpiChangeDone = 0xBFFF;
static_assert(kDpiChangeDone >= WM_APP);

// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT msg) {
    switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

} // namespace

CDialog::~CDialog() {
    if (m_hWnd != nullptr) {
        ::DestroyWindow(m_hWnd);
    }
}

INT_PTR CDialog::DoModal(HWND parent) {
    return ::DialogBoxParamW(ProgramInstance(), MAKEINTRESOURCEW(m_nTemplateId), parent, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent) {
    m_bModeless = true;
    m_bEnded = false;
    return ::CreateDialogParamW(ProgramInstance(), MAKEINTRESOURCEW(m_nTemplateId), parent,
                                DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CDialog::RunModeless(HACCEL accelerators) {
    if (!Create(nullptr)) {
        return -1;
    }
    if (!m_bEnded) {
        Show(SW_SHOW);
    }
    MSG msg;
    bool idleWork = true;
    while (!m_bEnded && m_hWnd != nullptr) {
        while (idleWork && !m_bEnded && m_hWnd != nullptr && !InputWaiting()) {
            idleWork = OnIdle();
        }
        if (m_bEnded || ::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            break;
        }
        if (PreTranslateMessage(msg) || TranslateOwnAccelerator(accelerators, msg)) {
            continue;
        }
        if (::IsDialogMessageW(m_hWnd, &msg)) {
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (m_hWnd != nullptr) {
        ::DestroyWindow(m_hWnd);
    }
    return m_nResult;
}

bool CDialog::InputWaiting() {
    // Only a wait tells Wine that the program waits for input (WaitForInputIdle): one that
    // gives up at once, before the peek that says whether a message is there. Its own answer
    // is no guide: under Wine it kept saying input was waiting while GetMessage found none.
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

bool CDialog::TranslateOwnAccelerator(HACCEL accelerators, MSG& msg) const {
    // Only keys matter, and they are rare enough that the window test costs nothing; a key
    // typed in another window of the thread (a help viewer, say) is that window's own.
    if (accelerators == nullptr || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) {
        return false;
    }
    if (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd)) {
        return false;
    }
    return ::TranslateAcceleratorW(m_hWnd, accelerators, &msg) != 0;
}

UINT CDialog::Dpi() {
    if (m_nDpi == 0 && m_hWnd != nullptr) {
        m_nDpi = WindowDpi(m_hWnd);
    }
    return m_nDpi != 0 ? m_nDpi : SystemDpi();
}

void CDialog::EndDialog(INT_PTR result) {
    if (!m_bModeless) {
        ::EndDialog(m_hWnd, result);
        return;
    }
    // The first end counts; the window is on its way out.
    if (m_bEnded) {
        return;
    }
    m_nResult = result;
    m_bEnded = true;
    // The loop destroys the window once it sees the end; wake it in case nothing else comes.
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
}

bool CDialog::OnCommand(WORD /*code*/, WORD id, HWND /*control*/) {
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

bool CDialog::OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) {
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->m_hWnd = hwnd;
        dialog->m_nDpi = 0;
        dialog->m_controls.clear();
        return dialog->OnInitDialog();
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (dialog == nullptr) {
        return FALSE;
    }
    const INT_PTR handled = dialog->Dispatch(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        dialog->m_hWnd = nullptr;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    }
    return handled;
}

INT_PTR CDialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    bool handled = false;
    switch (msg) {
    case WM_COMMAND: {
        const auto control = reinterpret_cast<HWND>(lParam);
        // The dialog manager sends Enter on a focused push button as a click to the
        // top-level dialog, even when the button sits on a child dialog: it goes on to the
        // dialog that owns the button, as the click itself would.
        if (control != nullptr && ::GetParent(control) != m_hWnd && ::IsChild(m_hWnd, control)) {
            ::SendMessageW(::GetParent(control), WM_COMMAND, wParam, lParam);
            return TRUE;
        }
        // Every change of an edit's text, typed or set, comes with EN_CHANGE.
        if (HIWORD(wParam) == EN_CHANGE && control != nullptr) {
            Slot(LOWORD(wParam)).textKnown = false;
        }
        handled = OnCommand(HIWORD(wParam), LOWORD(wParam), control);
        break;
    }
    case WM_NOTIFY:
        handled = OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
        break;
    case WM_DPICHANGED: {
        m_nDpi = LOWORD(wParam);
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top,
                       suggested.right - suggested.left, suggested.bottom - suggested.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        OnDpiChanged();
        Post(kDpiChangeDone);
        // Not handled: the dialog manager's own handling comes next.
        return FALSE;
    }
    case kDpiChangeDone:
        OnDpiChangeDone();
        return TRUE;
    case WM_SYSCOMMAND:
        handled = OnSysCommand(static_cast<UINT>(wParam & 0xFFF0));
        break;
    case WM_SIZE:
        OnSize();
        return FALSE;
    case WM_PAINT:
        handled = OnPaint();
        break;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(OnQueryDragIcon());
        handled = result != 0;
        break;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    case WM_HSCROLL:
        handled = OnHScroll(reinterpret_cast<HWND>(lParam));
        break;
    case WM_MEASUREITEM:
        result = TRUE;
        handled = OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        break;
    case WM_DRAWITEM:
        result = TRUE;
        handled = OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        break;
    case WM_MENUCHAR:
        handled =
            OnMenuChar(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam), result);
        break;
    default:
        break;
    }
    if (!handled) {
        return FALSE;
    }
    if (ReturnsResultDirectly(msg)) {
        return static_cast<INT_PTR>(result);
    }
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

void CDialog::ShowValues(const BindingTable& table) {
    Quietly([&] {
        for (const Binding& row : table) {
            ShowValue(row);
        }
    });
}

bool CDialog::ReadValues(const BindingTable& table) {
    for (const Binding& row : table) {
        if (!ReadValue(row)) {
            return false;
        }
    }
    return true;
}

void CDialog::ShowValue(const Binding& row) {
    const CWindow control(Control(row.id));
    switch (row.kind) {
    case BindKind::ComboText: {
        // The first entry that begins with the text; an unmatched text keeps the selection.
        const std::wstring text = Widen(*row.text);
        control.Send(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text.c_str()));
        break;
    }
    case BindKind::RadioIndex:
        control.Send(BM_SETCHECK, *row.value == 0 ? BST_CHECKED : BST_UNCHECKED);
        CWindow(Control(row.id2)).Send(BM_SETCHECK, *row.value == 1 ? BST_CHECKED : BST_UNCHECKED);
        break;
    case BindKind::Check:
        control.Send(BM_SETCHECK, *row.value != 0 ? BST_CHECKED : BST_UNCHECKED);
        break;
    case BindKind::IntEdit:
    case BindKind::IntRange:
        control.SetText(std::to_string(*row.value));
        break;
    }
}

bool CDialog::ReadValue(const Binding& row) {
    const CWindow control(Control(row.id));
    switch (row.kind) {
    case BindKind::ComboText: {
        const auto index = control.Send(CB_GETCURSEL);
        std::wstring text;
        if (index != CB_ERR) {
            const auto length = control.Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
            text.assign(static_cast<std::size_t>(length) + 1, L'\0');
            control.Send(CB_GETLBTEXT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(length));
        }
        if (row.maxChars > 0 && text.size() > static_cast<std::size_t>(row.maxChars)) {
            text.resize(static_cast<std::size_t>(row.maxChars));
        }
        *row.text = Narrow(text);
        return true;
    }
    case BindKind::RadioIndex:
        *row.value = control.Send(BM_GETCHECK) == BST_CHECKED                     ? 0
                     : CWindow(Control(row.id2)).Send(BM_GETCHECK) == BST_CHECKED ? 1
                                                                                  : -1;
        return true;
    case BindKind::Check:
        *row.value = control.Send(BM_GETCHECK) == BST_CHECKED ? 1 : 0;
        return true;
    case BindKind::IntEdit:
    case BindKind::IntRange: {
        const std::optional<int> value = ParseIntText(EditText(row.id));
        if (!value) {
            Prompt().Message(kNotAnIntegerMessage, mb::kOk | mb::kIconExclamation);
            FocusAndSelect(row.id);
            return false;
        }
        if (row.kind == BindKind::IntRange && (*value < row.lo || *value > row.hi)) {
            Prompt().Message(FormatRangeMessage(row.lo, row.hi), mb::kOk | mb::kIconExclamation);
            FocusAndSelect(row.id);
            return false;
        }
        *row.value = *value;
        return true;
    }
    }
    return true;
}

CDialog::ControlSlot& CDialog::Slot(int id) {
    for (ControlSlot& slot : m_controls) {
        if (slot.id == id) {
            return slot;
        }
    }
    return m_controls.emplace_back(ControlSlot{id, Item(id), false, {}});
}

const std::string& CDialog::EditText(int id) {
    ControlSlot& slot = Slot(id);
    if (!slot.textKnown) {
        slot.text = CWindow(slot.hwnd).Text();
        slot.textKnown = true;
    }
    return slot.text;
}

void CDialog::FillCombo(int id, std::span<const std::string_view> entries) const {
    const HWND combo = Item(id);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string_view entry : entries) {
        const std::wstring text = Widen(entry);
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void CDialog::SetItemTextQuietly(int id, std::string_view utf8) {
    Quietly([&] { SetItemText(id, utf8); });
}

void CDialog::FocusAndSelect(int id) const {
    const HWND edit = Item(id);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
}

} // namespace sb

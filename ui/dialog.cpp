#include "ui/dialog.h"

#include "ui/int_text.h"
#include "ui/number_messages.h"

#include <string>

namespace sb {
namespace {

HINSTANCE ProgramInstance() {
    return ::GetModuleHandleW(nullptr);
}

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
    return ::CreateDialogParamW(ProgramInstance(), MAKEINTRESOURCEW(m_nTemplateId), parent,
                                DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CDialog::RunMessageLoop(HACCEL accelerators) {
    m_bLoopRunning = true;
    m_nLoopResult = -1;
    MSG msg;
    while (m_bLoopRunning && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (accelerators != nullptr && m_hWnd != nullptr &&
            ::TranslateAcceleratorW(m_hWnd, accelerators, &msg)) {
            continue;
        }
        if (m_hWnd != nullptr && ::IsDialogMessageW(m_hWnd, &msg)) {
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return m_nLoopResult;
}

void CDialog::EndDialog(INT_PTR result) {
    if (m_bLoopRunning) {
        m_nLoopResult = result;
        m_bLoopRunning = false;
        ::DestroyWindow(m_hWnd);
        // Wake the loop so it sees that it is done.
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
    } else {
        ::EndDialog(m_hWnd, result);
    }
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

bool CDialog::OnMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->m_hWnd = hwnd;
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
    case WM_COMMAND:
        handled = OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        break;
    case WM_NOTIFY:
        handled = OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
        break;
    default:
        handled = OnMessage(msg, wParam, lParam, result);
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
    ++m_nQuiet;
    for (const Binding& row : table) {
        ShowValue(row);
    }
    --m_nQuiet;
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
    switch (row.kind) {
    case BindKind::ComboText: {
        // The first entry that begins with the text; an unmatched text keeps the selection.
        const std::wstring text = Widen(*row.text);
        ::SendDlgItemMessageW(m_hWnd, row.id, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(text.c_str()));
        break;
    }
    case BindKind::RadioIndex:
        ::CheckDlgButton(m_hWnd, row.id, *row.value == 0 ? BST_CHECKED : BST_UNCHECKED);
        ::CheckDlgButton(m_hWnd, row.id2, *row.value == 1 ? BST_CHECKED : BST_UNCHECKED);
        break;
    case BindKind::Check:
        ::CheckDlgButton(m_hWnd, row.id, *row.value != 0 ? BST_CHECKED : BST_UNCHECKED);
        break;
    case BindKind::IntEdit:
    case BindKind::IntRange:
        SetItemText(row.id, std::to_string(*row.value));
        break;
    }
}

bool CDialog::ReadValue(const Binding& row) {
    switch (row.kind) {
    case BindKind::ComboText: {
        const HWND combo = Item(row.id);
        const auto index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
        std::wstring text;
        if (index != CB_ERR) {
            const auto length = ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
            text.assign(static_cast<std::size_t>(length) + 1, L'\0');
            ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(length));
        }
        if (row.maxChars > 0 && text.size() > static_cast<std::size_t>(row.maxChars)) {
            text.resize(static_cast<std::size_t>(row.maxChars));
        }
        *row.text = Narrow(text);
        return true;
    }
    case BindKind::RadioIndex:
        *row.value = ::IsDlgButtonChecked(m_hWnd, row.id) == BST_CHECKED    ? 0
                     : ::IsDlgButtonChecked(m_hWnd, row.id2) == BST_CHECKED ? 1
                                                                            : -1;
        return true;
    case BindKind::Check:
        *row.value = ::IsDlgButtonChecked(m_hWnd, row.id) == BST_CHECKED ? 1 : 0;
        return true;
    case BindKind::IntEdit:
    case BindKind::IntRange: {
        const std::optional<int> value = ParseIntText(ItemText(row.id));
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

void CDialog::FillCombo(int id, std::span<const std::string_view> entries) const {
    const HWND combo = Item(id);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string_view entry : entries) {
        const std::wstring text = Widen(entry);
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void CDialog::SetItemTextQuietly(int id, std::string_view utf8) {
    ++m_nQuiet;
    SetItemText(id, utf8);
    --m_nQuiet;
}

void CDialog::FocusAndSelect(int id) const {
    const HWND edit = Item(id);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
}

} // namespace sb

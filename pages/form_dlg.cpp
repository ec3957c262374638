#include "pages/form_dlg.h"

#include "res/resource.h"
#include "ui/controls.h"

namespace sb {

CFormDlg::CFormDlg(CFormValues& values) : CDialog(IDD_FORM), m_values(values) {}

BOOL CFormDlg::OnInitDialog() {
    // Ranges before positions: a track bar places its thumb by the range it has when the
    // position is set.
    for (const FormEditRow& row : kFormEditRows) {
        if (row.track != 0) {
            CTrackBar(Item(row.track)).SetRange(0, kTrackBarMax);
        }
        CUpDown(Item(row.spin)).SetRange(row.lo, row.hi);
    }
    const FormEditTexts texts = m_values.EditTexts();
    for (int i = 0; i < kFormEditCount; ++i) {
        const FormEditRow& row = kFormEditRows[i];
        SetItemTextQuietly(row.edit, texts[i]);
        if (row.track != 0) {
            CTrackBar(Item(row.track)).SetPos(m_values.*row.trackPos);
        }
    }
    SetText(m_values.Title());
    for (const int id : kMarginControls) {
        EnableItem(id, m_values.MarginsEnabled());
    }
    return TRUE;
}

bool CFormDlg::OnCommand(WORD code, WORD id, HWND control) {
    if (code == EN_CHANGE && control != nullptr) {
        if (!IsQuiet()) {
            Apply(FormEditChanged(id, ItemText(id), ::GetFocus() == control));
        }
        return true;
    }
    return CDialog::OnCommand(code, id, control);
}

bool CFormDlg::OnHScroll(HWND bar) {
    // Only the user moves a track bar that has the focus; the program's own moves stay quiet.
    if (bar != nullptr && ::GetFocus() == bar) {
        Apply(FormTrackMoved(::GetDlgCtrlID(bar), CTrackBar(bar).Pos()));
    }
    return true;
}

void CFormDlg::OnOK() {
    FormEditTexts texts;
    for (int i = 0; i < kFormEditCount; ++i) {
        texts[i] = ItemText(kFormEditRows[i].edit);
    }
    const FormOkOutcome outcome = m_values.OnOK(texts);
    if (outcome.accepted) {
        EndDialog(IDOK);
        return;
    }
    Prompt().ShowMessage(outcome.message, outcome.caption, outcome.style);
    if (outcome.text) {
        SetItemTextQuietly(outcome.focus, *outcome.text);
    }
    if (outcome.selectAll) {
        FocusAndSelect(outcome.focus);
    } else {
        ::SetFocus(Item(outcome.focus));
    }
}

void CFormDlg::Apply(const FormEditOutcome& outcome) {
    if (outcome.text) {
        SetItemTextQuietly(outcome.edit, *outcome.text);
        // A replaced text would otherwise put the caret before it, under the user's typing.
        const auto end = static_cast<WPARAM>(Widen(*outcome.text).size());
        ::SendMessageW(Item(outcome.edit), EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    if (outcome.track != 0) {
        CTrackBar(Item(outcome.track)).SetPos(outcome.trackPos);
    }
}

} // namespace sb

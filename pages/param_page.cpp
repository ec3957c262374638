#include "pages/param_page.h"

#include "pages/param_ids.h"
#include "res/resource.h"
#include "ui/controls.h"

namespace sb {

CPage_Param::CPage_Param() : CModelPage(IDD_PAGE_PARAM) {}

BOOL CPage_Param::OnInitDialog() {
    CModelPage::OnInitDialog();
    for (const NumberEditRule& rule : kNumberEditRules) {
        CUpDown(Item(rule.spinId)).SetRange(rule.lo, rule.hi);
    }
    return TRUE;
}

void CPage_Param::OnControlCommand(WORD code, WORD id) {
    switch (id) {
    // The number edits report their changes after their range handling, and only changes.
    case IDC_PARAM_CUT_SHEET:
        if (code == EN_CHANGE) {
            OnChangeCutSheet();
        }
        break;
    case IDC_PARAM_FRONT_TRACTOR:
        if (code == EN_CHANGE) {
            OnChangeFrontTractor();
        }
        break;
    case IDC_PARAM_REAR_TRACTOR:
        if (code == EN_CHANGE) {
            OnChangeRearTractor();
        }
        break;
    case IDC_PARAM_INTAKE_TIME:
        if (code == EN_CHANGE) {
            OnChangeIntakeTime();
        }
        break;
    default:
        if (IsBoundListOrRadio(id)) {
            SendDataCheck();
        }
        break;
    }
}

bool CPage_Param::IsBoundListOrRadio(WORD id) {
    for (const Binding& row : m_bindings) {
        const bool list = row.kind == BindKind::ComboText && row.id == id;
        const bool radio = row.kind == BindKind::RadioIndex && (row.id == id || row.id2 == id);
        if (list || radio) {
            return true;
        }
    }
    return false;
}

void CPage_Param::OnChangeNumberEdit(NumberEdit edit) {
    const int id = RuleOf(edit).editId;
    const bool focused = ::GetFocus() == Control(id);
    const EditChange change = m_values.OnNumberEditChange(edit, EditText(id), focused);
    // The nested runs that setting the text would set off are already in the change.
    if (change.textChanged) {
        SetItemTextQuietly(id, change.text);
    }
    for (int i = 0; i < change.dataChecks; ++i) {
        SendDataCheck();
    }
}

void CPage_Param::CorrectHeadCentering() {
    for (const EditCorrection& correction : m_values.CorrectHeadCentering(Prompt())) {
        // Not muted: the edit's own change handler clears its flag and sends the data check.
        SetItemText(correction.editId, correction.text);
        ::SetFocus(Control(correction.editId));
    }
}

} // namespace sb

#include "pages/param_page.h"

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
    const ParamCommand command = ParamCommandFor(m_bindings, id, code == EN_CHANGE);
    switch (command.kind) {
    case ParamCommand::Kind::NumberEdit:
        OnChangeNumberEdit(command.edit);
        break;
    case ParamCommand::Kind::DataCheck:
        SendDataCheck();
        break;
    case ParamCommand::Kind::None:
        break;
    }
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

#include "pages/select_page.h"

#include "res/resource.h"

namespace sb {

std::span<const std::string_view> CSelectPageValues::ComboEntries(int comboId) {
    for (const sb::ComboEntries& combo : kSelectCombos) {
        if (combo.id == comboId) {
            return combo.entries;
        }
    }
    return {};
}

CPage_Select::CPage_Select() : CModelPage(IDD_PAGE_SELECT) {}

BOOL CPage_Select::OnInitDialog() {
    CModelPage::OnInitDialog();
    // Made after its values were decoded: the caption they call for was not shown yet.
    if (m_bDecoded) {
        RefreshFormButtonCaption();
    }
    return TRUE;
}

void CPage_Select::RefreshFormButtonCaption() {
    if (m_hWnd != nullptr) {
        SetItemText(IDC_SEL_FORM_SETTINGS, m_values.FormButtonCaption());
    }
}

void CPage_Select::OnControlCommand(WORD code, WORD id) {
    switch (SelectCommandFor(id)) {
    case SelectCommand::DataCheck:
        SendDataCheck();
        break;
    case SelectCommand::FormSelected:
        SendDataCheck();
        // The main dialog's encode has read the new form already, except while it is still
        // starting; reading again keeps the caption right either way.
        ReadMembers();
        RefreshFormButtonCaption();
        break;
    case SelectCommand::FormSettings:
        if (code == BN_CLICKED) {
            OnFormSettings();
        }
        break;
    case SelectCommand::None:
        break;
    }
}

void CPage_Select::OnFormSettings() {
    ReadMembers();
    m_values.PrepareFormDialog();
    if (m_dlgForm.DoModal(::GetAncestor(m_hWnd, GA_ROOT)) == IDOK) {
        SendDataCheck();
    }
}

void CPage_Select::ReadMembers() {
    // Lists and radio buttons refuse nothing, so the whole table is always read.
    ReadValues(m_bindings);
}

} // namespace sb

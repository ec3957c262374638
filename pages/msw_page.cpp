#include "pages/msw_page.h"

#include "res/resource.h"

namespace sb {

CMswPage::CMswPage(int templateId, const MswBank& bank) : CPage(templateId), m_values(bank) {}

BOOL CMswPage::OnInitDialog() {
    for (const Binding& row : m_values.Bindings()) {
        if (row.kind == BindKind::ComboText) {
            FillCombo(row.id, m_values.ComboEntries(row.id));
        }
    }
    return TRUE;
}

void CMswPage::DecodeRecord(SettingRecord& record) {
    m_values.DecodeRecord(record);
    ShowValues(m_values.Bindings());
}

void CMswPage::EncodeRecord(SettingRecord& record) {
    ReadValues(m_values.Bindings());
    m_values.EncodeRecord(record);
}

CPage_MSW1::CPage_MSW1() : CMswPage(IDD_PAGE_MSW1, kMswBanks[0]) {}
CPage_MSW2::CPage_MSW2() : CMswPage(IDD_PAGE_MSW2, kMswBanks[1]) {}
CPage_MSW3::CPage_MSW3() : CMswPage(IDD_PAGE_MSW3, kMswBanks[2]) {}
CPage_MSW4::CPage_MSW4() : CMswPage(IDD_PAGE_MSW4, kMswBanks[3]) {}

} // namespace sb

// The function selection page: the functional selections in lists and radio buttons, and the
// way into the five paper forms through the form settings dialog it owns.
#pragma once

#include "pages/form_dlg.h"
#include "pages/select_values.h"
#include "record/settings_state.h"
#include "ui/page.h"

namespace sb {

class CPage_Select : public CPage, public IRecordPage {
public:
    CPage_Select();

    void DecodeRecord(SettingRecord& record) override;
    void EncodeRecord(SettingRecord& record) override;
    // The form button names the selected form.
    void RefreshFormButtonCaption();

protected:
    BOOL OnInitDialog() override;
    void OnControlCommand(WORD code, WORD id) override;

private:
    void OnFormSettings();
    void ReadMembers();

    CSelectValues m_values;
    CFormDlg m_dlgForm{m_values.m_dlgForm};
};

} // namespace sb

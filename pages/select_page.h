// The function selection page: the functional selections in lists and radio buttons, and the
// way into the five paper forms through the form settings dialog it owns.
#pragma once

#include "pages/form_dlg.h"
#include "pages/model_page.h"
#include "pages/select_values.h"

#include <span>
#include <string_view>

namespace sb {

// The selection values with each list's entries looked up by the list's id, as the model
// page fills its lists.
class CSelectPageValues : public CSelectValues {
public:
    static std::span<const std::string_view> ComboEntries(int comboId);
};

class CPage_Select final : public CModelPage<CSelectPageValues> {
public:
    CPage_Select();

    // The form button names the selected form.
    void RefreshFormButtonCaption();

protected:
    BOOL OnInitDialog() override;
    void OnControlCommand(WORD code, WORD id) override;

private:
    void OnFormSettings();
    void ReadMembers();

    CFormDlg m_dlgForm{m_values.m_dlgForm};
};

} // namespace sb

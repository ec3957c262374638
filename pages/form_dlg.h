// The form settings dialog: one form of the store at a time, its edits' texts handed to the
// store's rules and the rules' answers put back into the controls.
#pragma once

#include "pages/form_values.h"
#include "ui/dialog.h"

namespace sb {

class CFormDlg : public CDialog {
public:
    // The store belongs to the function selection page and outlives the dialog.
    explicit CFormDlg(CFormValues& values);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    bool OnHScroll(HWND bar) override;
    void OnOK() override;

private:
    void Apply(const FormEditOutcome& outcome);

    CFormValues& m_values;
};

} // namespace sb

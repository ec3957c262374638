// A settings page: a modeless child dialog over the main dialog's tab control. Every
// command a control sends reaches OnControlCommand (not while the page is filling its
// controls); commands that do not come from a control, the data check among them, go on to
// the parent, which is the main dialog. The application names the data check's command.
#pragma once

#include "ui/dialog.h"

namespace sb {

class CPage : public CDialog {
public:
    CPage(int templateId, WORD dataCheckId) : CDialog(templateId), m_nDataCheckId(dataCheckId) {}

    // Creates the page as a child of parent, shown or hidden, without moving it. What its
    // controls report while they are made and filled is not a user's change.
    bool CreatePage(HWND parent, bool visible);

protected:
    // The default sends the data check first, for every notification of every control.
    virtual void OnControlCommand(WORD code, WORD id);
    void SendDataCheck() const;

    bool OnCommand(WORD code, WORD id, HWND control) override;
    // Enter and Escape belong to the main dialog; a page never ends.
    void OnOK() override {}
    void OnCancel() override {}

private:
    WORD m_nDataCheckId;
};

} // namespace sb

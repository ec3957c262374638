// The dialog base every window of the program stands on: one dialog procedure keeps `this`
// and fans messages out to a few virtual hooks; the exchange of a binding table moves values
// between members and controls in either direction.
#pragma once

#include "base/binding.h"
#include "ui/win_prompter.h"
#include "ui/window.h"

#include <span>
#include <string>
#include <vector>
#include <string_view>

namespace sb {

class CDialog : public CWindow {
public:
    explicit CDialog(int templateId) : m_nTemplateId(templateId) {}
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Modal over parent; returns what EndDialog was given, or -1 if the window failed.
    INT_PTR DoModal(HWND parent);
    // Modeless: a child page, or a top-level window that RunModeless drives.
    bool Create(HWND parent);
    // Creates a top-level dialog, shows it and runs it until EndDialog. The accelerators
    // apply to keys for this window and its descendants only, after PreTranslateMessage. An
    // EndDialog during its initialisation ends it before it shows.
    INT_PTR RunModeless(HACCEL accelerators);
    void EndDialog(INT_PTR result);

    // The DPI the window is shown at: asked of the system once per window, then the one each
    // WM_DPICHANGED brings.
    UINT Dpi();

    // Message boxes raised by this window are owned by it; tests may answer them instead.
    Prompter& Prompt() { return m_pPrompter ? *m_pPrompter : m_prompter; }
    void SetPrompter(Prompter* prompter) { m_pPrompter = prompter; }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // Returns true when the command was handled. The default runs OnOK and OnCancel.
    virtual bool OnCommand(WORD code, WORD id, HWND control);
    virtual bool OnNotify(const NMHDR& header, LRESULT& result);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // The window's own messages, one hook each; a bool hook returns true when it handled the
    // message, so that the system's handling does not follow.
    virtual bool OnSysCommand(UINT /*command*/) { return false; }
    virtual void OnSize() {}
    virtual bool OnPaint() { return false; }
    // The icon shown while the user drags the minimised window; none for the system's.
    virtual HICON OnQueryDragIcon() { return nullptr; }
    virtual void OnDestroy() {}
    // A horizontal track bar (or scroll bar) control moved: `bar` is its window.
    virtual bool OnHScroll(HWND /*bar*/) { return false; }
    // Owner-drawn menu items: their size, their drawing, and a key typed while the menu is
    // open (result as WM_MENUCHAR's).
    virtual bool OnMeasureItem(MEASUREITEMSTRUCT& /*measure*/) { return false; }
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*draw*/) { return false; }
    virtual bool OnMenuChar(WORD /*key*/, WORD /*menuType*/, HMENU /*menu*/, LRESULT& /*result*/) {
        return false;
    }
    // RunModeless's loop offers every message here first; true when it was taken, for other
    // windows of the thread that need to see their keys before anything else does.
    virtual bool PreTranslateMessage(MSG& /*msg*/) { return false; }
    // RunModeless calls this whenever no message is waiting: one small piece of deferred
    // work, and true while more is left.
    virtual bool OnIdle() { return false; }
    // The window has moved to a display of another scale: Dpi() is the new one, and the window
    // has taken the rectangle the system suggested. The dialog manager, where it does so,
    // then lays the controls out again at the new scale itself.
    virtual void OnDpiChanged() {}
    // ... and once the dialog manager has done so, and given the controls their new fonts.
    virtual void OnDpiChangeDone() {}

    // Members into the controls. Control notifications that arrive meanwhile are not acted on
    // (IsQuiet), so showing values never looks like a user's change.
    void ShowValues(const BindingTable& table);
    // Controls into the members, in table order. A refused edit stops the transfer after its
    // message, with the edit focused and its text selected; the rows before it are taken.
    bool ReadValues(const BindingTable& table);
    void FillCombo(int id, std::span<const std::string_view> entries) const;
    // Sets an edit's text from the program without its change handling running.
    void SetItemTextQuietly(int id, std::string_view utf8);
    void FocusAndSelect(int id) const;
    bool IsQuiet() const { return m_nQuiet > 0; }
    // Runs work with the control notifications it sets off not acted on.
    template <class Work> void Quietly(Work work) {
        ++m_nQuiet;
        work();
        --m_nQuiet;
    }
    // A control by id, looked up once per window; an edit's text as of its last change.
    HWND Control(int id) { return Slot(id).hwnd; }
    const std::string& EditText(int id);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool TranslateOwnAccelerator(HACCEL accelerators, MSG& msg) const;
    static bool InputWaiting();
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void ShowValue(const Binding& row);
    bool ReadValue(const Binding& row);
    // The exchange runs on every data check, and under Wine each GetDlgItem is a round trip
    // to the server: a window's controls are looked up once. An edit's text is kept too until
    // the edit reports a change, since an edit with an up-down buddy costs a round trip for
    // every message.
    struct ControlSlot {
        int id;
        HWND hwnd;
        bool textKnown = false;
        std::string text;
    };
    ControlSlot& Slot(int id);

    int m_nTemplateId;
    UINT m_nDpi = 0; // not asked yet
    int m_nQuiet = 0;
    bool m_bModeless = false;
    bool m_bEnded = false;
    INT_PTR m_nResult = 0;
    std::vector<ControlSlot> m_controls;
    WinPrompter m_prompter{*this};
    Prompter* m_pPrompter = nullptr;
};

} // namespace sb

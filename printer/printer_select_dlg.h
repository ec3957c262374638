// The printer selection dialog: shows the selection model's rows and acts on its verdicts.
// The main window owns the model, builds this dialog once over it and runs it as often as
// the user asks; the list is built anew from the spooler on every run.
#pragma once

#include "base/os_version.h"
#include "printer/printer_selection.h"
#include "printer/spooler.h"
#include "ui/controls.h"
#include "ui/dialog.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>

namespace sb {

class CPrinterSelectDlg final : public CDialog {
public:
    // Ends the process with the given code. ::ExitProcess unless a test stands in for it.
    using ProcessExit = std::function<void(int)>;

    CPrinterSelectDlg(CPrinterSelection& selection, Spooler& spooler, const OsVersion& os);

    void SetProcessExit(ProcessExit processExit) { m_processExit = std::move(processExit); }

    // Finds the queues, then shows the dialog modally unless the only printer is taken at
    // start-up without it. IDOK with the model's printer name and port set from the chosen
    // row, or IDCANCEL; where no printer can be offered it ends the process instead.
    INT_PTR Run(HWND parent);

protected:
    BOOL OnInitDialog() override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnOK() override;
    void OnDpiChanged() override;

private:
    void FillList();
    std::optional<std::size_t> SelectedRow() const;
    void Act(SelectOutcome outcome);
    void EndProcess();

    CPrinterSelection& m_selection;
    Spooler& m_spooler;
    const OsVersion& m_os;
    ProcessExit m_processExit;
    CListView m_listPrinters;
};

} // namespace sb

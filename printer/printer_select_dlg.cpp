#include "printer/printer_select_dlg.h"

#include "printer/printer_select_ids.h"
#include "res/resource.h"
#include "base/dpi_scale.h"

namespace sb {
namespace {

// At 96 dpi.
constexpr int kNameColumnWidth = 200;
constexpr int kConnectionColumnWidth = 90;

} // namespace

CPrinterSelectDlg::CPrinterSelectDlg(CPrinterSelection& selection, Spooler& spooler,
                                     const OsVersion& os)
    : CDialog(IDD_PRINTER_SELECT), m_selection(selection), m_spooler(spooler), m_os(os),
      m_processExit([](int code) { ::ExitProcess(static_cast<UINT>(code)); }) {}

INT_PTR CPrinterSelectDlg::Run(HWND parent) {
    m_selection.FindRows(m_spooler, m_os.Get());
    if (m_selection.TakeOnlyPrinter()) {
        return IDOK;
    }
    return DoModal(parent);
}

BOOL CPrinterSelectDlg::OnInitDialog() {
    m_listPrinters.Attach(Item(IDC_PRINTER_LIST));
    const int dpi = static_cast<int>(Dpi());
    m_listPrinters.InsertColumn(0, L"プリンタ名", Scale(kNameColumnWidth, dpi), LVCFMT_LEFT);
    m_listPrinters.InsertColumn(1, L"接続先", Scale(kConnectionColumnWidth, dpi), LVCFMT_LEFT);
    // A cell too narrow for its text shows the whole of it in a tip: the first column's in a
    // label tip, the connection's in an info tip.
    m_listPrinters.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_INFOTIP);
    CentreOverOwner();

    const SelectOutcome outcome = m_selection.OnInit(Prompt());
    FillList();
    // Ending here, before the modal loop first goes idle, means the dialog is never shown.
    Act(outcome);
    return TRUE;
}

void CPrinterSelectDlg::OnDpiChanged() {
    const int dpi = static_cast<int>(Dpi());
    m_listPrinters.SetColumnWidth(0, Scale(kNameColumnWidth, dpi));
    m_listPrinters.SetColumnWidth(1, Scale(kConnectionColumnWidth, dpi));
}

void CPrinterSelectDlg::FillList() {
    const auto& rows = m_selection.Rows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const LPARAM tag = static_cast<LPARAM>(row);
        m_listPrinters.InsertItem(static_cast<int>(row), Widen(rows[row].name), tag);
        // The list sorts itself: the row is found again by its tag, not where it went in.
        m_listPrinters.SetItemText(m_listPrinters.FindParam(tag), 1, Widen(rows[row].connection));
    }
    if (!rows.empty()) {
        const std::optional<std::size_t> inUse = m_selection.PreselectedRow();
        const int preselected = inUse ? m_listPrinters.FindParam(static_cast<LPARAM>(*inUse)) : 0;
        m_listPrinters.SetItemState(preselected, LVIS_SELECTED | LVIS_FOCUSED,
                                    LVIS_SELECTED | LVIS_FOCUSED);
    }
}

std::optional<std::size_t> CPrinterSelectDlg::SelectedRow() const {
    const int index = m_listPrinters.NextSelected();
    if (index < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(m_listPrinters.ItemParam(index));
}

void CPrinterSelectDlg::OnOK() {
    Act(m_selection.OnOk(SelectedRow(), Prompt()));
}

bool CPrinterSelectDlg::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_PRINTER_LIST) {
        return false;
    }
    if (header.code == static_cast<UINT>(LVN_GETINFOTIPW)) {
        // The list hands out the tip's buffer to be written into.
        m_listPrinters.FillCutCellTip(
            *reinterpret_cast<NMLVGETINFOTIPW*>(const_cast<NMHDR*>(&header)));
        result = 0;
        return true;
    }
    if (header.code != static_cast<UINT>(NM_DBLCLK)) {
        return false;
    }
    Act(m_selection.OnDoubleClick(SelectedRow(), Prompt()));
    result = 0;
    return true;
}

void CPrinterSelectDlg::Act(SelectOutcome outcome) {
    switch (outcome) {
    case SelectOutcome::Stay:
        break;
    case SelectOutcome::EndOk:
        EndDialog(IDOK);
        break;
    case SelectOutcome::ExitProcess:
        EndProcess();
        break;
    }
}

void CPrinterSelectDlg::EndProcess() {
    m_processExit(kNoPrinterExitCode);
    // Reached only when a test stands in for the process end: the run then ends as cancelled.
    EndDialog(IDCANCEL);
}

} // namespace sb

// Which queues the printer selection offers, which row it preselects, and what OK on a row
// leads to. The selection dialog shows the rows and acts on the outcomes; everything it
// decides lives here.
#pragma once

#include "base/os_version.h"
#include "printer/spooler.h"
#include "base/prompter.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

inline constexpr std::string_view kPrinterDriverName = "VYR Quillstrike 480ZQ9";
// A queue printing to a file never reaches the printer; compared byte-wise.
inline constexpr std::string_view kFilePort = "FILE:";
// The selection is the one place that ends the process on its own.
inline constexpr int kNoPrinterExitCode = 1;

// Also the send's refusal when no printer is held.
inline constexpr std::string_view kMsgNoPrinterSelected =
    "プリンタが選択されていません。\nプリンタを選択してください。";

struct PrinterRow {
    std::string name;
    std::string connection; // the port, or the server of a network connection
    bool operator==(const PrinterRow&) const = default;
};

// The queues the selection offers, in the order a sorted list view shows them as far as
// the core can know it: NT family, every local queue and connection with the printer's
// driver that opens for use; older family, the local ones not waiting for the user.
std::vector<PrinterRow> FindPrinters(Spooler& spooler, const OsVersionInfo& os);

// What the dialog does after its start or an OK (or a double click) on the list: stay open
// (at its start: be shown), end with IDOK, or end the process at once with kNoPrinterExitCode,
// after the message already shown.
enum class SelectOutcome { Stay, EndOk, ExitProcess };

class CPrinterSelection {
public:
    // Written by the main dialog, which also reads it as its own start-up-done flag.
    bool m_bStartupDone = false;
    // In: the printer in use, to preselect it. Out: the chosen (or last refused) row.
    std::string m_strPrinterName;
    std::string m_strPort;
    // Out: the number of rows of the last run.
    unsigned m_nPrinterCount = 0;

    // Builds the rows anew from the spooler and finds the printer in use among them.
    void FindRows(Spooler& spooler, const OsVersionInfo& os);
    // During start-up a single printer not on FILE: is simply taken: the user has nothing to
    // choose and nothing to be told, so no window is needed. True when it was; the members
    // then hold it.
    bool TakeOnlyPrinter();
    // WM_INITDIALOG's verdict on the rows found, with its messages: whether the dialog is
    // shown at all. On EndOk the members hold the one row, taken at once.
    SelectOutcome OnInit(Prompter& prompter);

    // IDOK with the list's selected row (an index into Rows()), or none.
    SelectOutcome OnOk(std::optional<std::size_t> selectedRow, Prompter& prompter);
    // A double click counts only on a row; elsewhere it does nothing.
    SelectOutcome OnDoubleClick(std::optional<std::size_t> selectedRow, Prompter& prompter);

    // In the order a sorted list view shows them (names without regard to case, punctuation
    // first). The core can only approximate the platform's collation, so a view that sorts
    // on its own should tag its items with their index here rather than trust positions.
    const std::vector<PrinterRow>& Rows() const { return m_rows; }
    // The row of the printer in use; none when the list view's own first row is the one to
    // select, since only the list view knows for sure which row it shows first.
    std::optional<std::size_t> PreselectedRow() const { return m_nPreselected; }

private:
    std::vector<PrinterRow> m_rows;
    std::optional<std::size_t> m_nPreselected;
};

} // namespace sb

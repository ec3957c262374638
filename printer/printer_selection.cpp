#include "printer/printer_selection.h"

#include <algorithm>
#include <iterator>

namespace sb {
namespace {

constexpr std::string_view kMsgNoUsablePrinter =
    "使用可能なプリンタがありませんでした。プリンタドライバを確認してからやり直してください。"
    "\n\nSwitchboardを終了します。";
constexpr std::string_view kMsgAllOnFilePort =
    "インストールされているプリンタの接続先がFILEのため設定値を送信できません。\n"
    "プリンタ設定を確認してやり直してください。\n\nSwitchboardを終了します。";
constexpr std::string_view kMsgOnlyRowOnFilePort =
    "接続先がFILEのため設定値を送信できません。\nプリンタ設定を確認してやり直してください。"
    "\n\nSwitchboardを終了します。";
constexpr std::string_view kMsgRowOnFilePort =
    "接続先がFILEのため設定値を送信できません。\n"
    "プリンタ設定を変更するか、他のプリンタに変更してください。";

// The list view's order, as far as the core can know it, after the platform's word sort:
// letters compare without case, punctuation before digits before letters, hyphens and
// apostrophes count only when nothing else differs; then lower case comes before upper
// case. Bytes beyond ASCII (UTF-8) come last, in code point order.
int PrimaryKey(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z') {
        return 0x200 + (byte - 'a' + 'A');
    }
    if (byte >= 'A' && byte <= 'Z') {
        return 0x200 + byte;
    }
    if (byte >= '0' && byte <= '9') {
        return 0x100 + byte;
    }
    return byte < 0x80 ? byte : 0x300 + byte;
}

bool IsIgnorable(char c) {
    return c == '-' || c == '\'';
}

std::string WithoutIgnorables(const std::string& name) {
    std::string kept;
    std::copy_if(name.begin(), name.end(), std::back_inserter(kept),
                 [](char c) { return !IsIgnorable(c); });
    return kept;
}

// Negative, zero or positive, as the platform's string comparison answers.
int CollateNames(const std::string& a, const std::string& b) {
    const std::string keptA = WithoutIgnorables(a);
    const std::string keptB = WithoutIgnorables(b);
    const auto [endA, endB] =
        std::mismatch(keptA.begin(), keptA.end(), keptB.begin(), keptB.end(),
                      [](char x, char y) { return PrimaryKey(x) == PrimaryKey(y); });
    if (endA != keptA.end() && endB != keptB.end()) {
        return PrimaryKey(*endA) - PrimaryKey(*endB);
    }
    if (keptA.size() != keptB.size()) {
        return keptA.size() < keptB.size() ? -1 : 1;
    }
    // Equal but for case: the first letter that differs decides, lower case first.
    const auto [caseA, caseB] = std::mismatch(keptA.begin(), keptA.end(), keptB.begin());
    if (caseA != keptA.end()) {
        return *caseA > *caseB ? -1 : 1;
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b);
}

// The list view inserts a new item before the first one that does not sort below it.
void InsertSorted(std::vector<PrinterRow>& rows, PrinterRow row) {
    auto at = std::find_if(rows.begin(), rows.end(), [&](const PrinterRow& existing) {
        return CollateNames(existing.name, row.name) >= 0;
    });
    rows.insert(at, std::move(row));
}

bool IsNt(const OsVersionInfo& os) {
    return os.platformId == kPlatformNt;
}

// NT family: every local queue and connection, looked up in full on its own server, offered
// only if it takes jobs from this user.
std::vector<PrinterRow> FindNtPrinters(Spooler& spooler) {
    std::vector<PrinterRow> rows;
    for (const PrinterInfo4& entry :
         spooler.EnumPrinters4(spool::kEnumLocal | spool::kEnumConnections)) {
        const std::vector<PrinterInfo2> details =
            spooler.EnumPrinters2(spool::kEnumName, entry.server);
        auto match = std::find_if(details.begin(), details.end(), [&](const PrinterInfo2& info) {
            return info.name == entry.name && info.driver == kPrinterDriverName;
        });
        if (match == details.end()) {
            continue;
        }
        if (!spooler.Open(match->name, spool::kAccessUse)) {
            continue;
        }
        // A connection that reports no server would get an empty connection, which the
        // send takes for no printer at all; its port still names it.
        const bool showServer =
            entry.attributes == spool::kAttributeNetwork && match->server.has_value();
        InsertSorted(rows, {entry.name, showServer ? *match->server : match->port});
    }
    return rows;
}

// Older family: local queues only; there is no open test, the status says it all.
std::vector<PrinterRow> FindOlderFamilyPrinters(Spooler& spooler) {
    std::vector<PrinterRow> rows;
    for (const PrinterInfo2& info : spooler.EnumPrinters2(spool::kEnumLocal, std::nullopt)) {
        if (info.driver == kPrinterDriverName &&
            (info.status & spool::kStatusUserIntervention) == 0) {
            InsertSorted(rows, {info.name, info.port});
        }
    }
    return rows;
}

} // namespace

std::vector<PrinterRow> FindPrinters(Spooler& spooler, const OsVersionInfo& os) {
    return IsNt(os) ? FindNtPrinters(spooler) : FindOlderFamilyPrinters(spooler);
}

void CPrinterSelection::FindRows(Spooler& spooler, const OsVersionInfo& os) {
    m_rows = FindPrinters(spooler, os);
    m_nPrinterCount = static_cast<unsigned>(m_rows.size());
    m_nPreselected.reset();
    if (m_strPrinterName.empty()) {
        return;
    }
    auto inUse = std::find_if(m_rows.begin(), m_rows.end(),
                              [&](const PrinterRow& row) { return row.name == m_strPrinterName; });
    if (inUse != m_rows.end()) {
        m_nPreselected = static_cast<std::size_t>(inUse - m_rows.begin());
    }
}

bool CPrinterSelection::TakeOnlyPrinter() {
    if (m_bStartupDone || m_rows.size() != 1 || m_rows[0].connection == kFilePort) {
        return false;
    }
    m_strPrinterName = m_rows[0].name;
    m_strPort = m_rows[0].connection;
    return true;
}

SelectOutcome CPrinterSelection::OnInit(Prompter& prompter) {
    if (m_rows.empty()) {
        prompter.Message(kMsgNoUsablePrinter, mb::kOk | mb::kIconExclamation);
        return SelectOutcome::ExitProcess;
    }

    // During start-up a single printer is taken as OK would take it: one on FILE: ends the
    // program with OK's message, which needs the dialog as its owner.
    if (!m_bStartupDone && m_rows.size() == 1) {
        switch (OnOk(0, prompter)) {
        case SelectOutcome::EndOk:
            return SelectOutcome::EndOk;
        case SelectOutcome::ExitProcess:
            return SelectOutcome::ExitProcess;
        case SelectOutcome::Stay:
            return SelectOutcome::Stay;
        }
    }

    const bool anySendable = std::any_of(m_rows.begin(), m_rows.end(), [](const PrinterRow& row) {
        return row.connection != kFilePort;
    });
    if (!anySendable) {
        prompter.Message(kMsgAllOnFilePort, mb::kOk | mb::kIconExclamation);
        return SelectOutcome::ExitProcess;
    }
    return SelectOutcome::Stay;
}

SelectOutcome CPrinterSelection::OnOk(std::optional<std::size_t> selectedRow, Prompter& prompter) {
    if (!selectedRow || *selectedRow >= m_rows.size()) {
        prompter.Message(kMsgNoPrinterSelected, mb::kOk | mb::kIconExclamation);
        return SelectOutcome::Stay;
    }
    // Taken before the test, so a refused row's values stay for a Cancel that follows.
    m_strPrinterName = m_rows[*selectedRow].name;
    m_strPort = m_rows[*selectedRow].connection;
    if (m_strPort != kFilePort) {
        return SelectOutcome::EndOk;
    }
    if (m_rows.size() == 1) {
        prompter.Message(kMsgOnlyRowOnFilePort, mb::kOk | mb::kIconExclamation);
        return SelectOutcome::ExitProcess;
    }
    prompter.Message(kMsgRowOnFilePort, mb::kOk | mb::kIconInformation);
    return SelectOutcome::Stay;
}

SelectOutcome CPrinterSelection::OnDoubleClick(std::optional<std::size_t> selectedRow,
                                               Prompter& prompter) {
    if (!selectedRow) {
        return SelectOutcome::Stay;
    }
    return OnOk(selectedRow, prompter);
}

} // namespace sb

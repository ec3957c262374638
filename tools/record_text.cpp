#include "tools/record_text.h"

#include "pages/msw_values.h"
#include "pages/param_values.h"
#include "pages/select_values.h"

#include <array>
#include <string_view>

namespace sb {

namespace {

// The six pages' models after decoding one record, in the main window's page order.
struct DecodedPages {
    explicit DecodedPages(const SettingRecord& original) : record(original) {
        select.DecodeRecord(record);
        param.DecodeRecord(record);
        for (CMswValues& bank : msw) {
            bank.DecodeRecord(record);
        }
    }

    SettingRecord record; // with the bytes that decoding repaired
    CSelectValues select;
    CParamValues param;
    std::array<CMswValues, 4> msw{CMswValues(kMswBanks[0]), CMswValues(kMswBanks[1]),
                                  CMswValues(kMswBanks[2]), CMswValues(kMswBanks[3])};
};

class LineWriter {
public:
    explicit LineWriter(std::vector<std::string>& lines) : m_lines(lines) {}

    void Add(std::string_view name, std::string_view value) {
        std::string line(name);
        line += ": ";
        line += value;
        m_lines.push_back(std::move(line));
    }
    void Add(std::string_view name, int value) { Add(name, std::to_string(value)); }

private:
    std::vector<std::string>& m_lines;
};

std::string Hex(std::uint8_t byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

// A signed pair whose first byte is neither '0' nor 'F' reads nothing, and its list keeps
// what it showed before; a fresh model showed nothing, so the raw pair says more.
std::string PairText(const std::string& text, const SettingRecord& record, std::size_t offset) {
    if (!text.empty()) {
        return text;
    }
    return "(not read: " + HexBytes(std::span(record).subspan(offset, 2)) + ")";
}

void AddOpaque(LineWriter& out, const SettingRecord& record, std::size_t offset) {
    out.Add("byte " + std::to_string(offset), Hex(record[offset]));
}

void AddSwitchBanks(LineWriter& out, const DecodedPages& pages) {
    for (std::size_t n = 0; n < kMswBanks.size(); ++n) {
        const MswBank& bank = kMswBanks[n];
        const CMswValues& values = pages.msw[n];
        const std::array<std::uint8_t, 2> bytes = {pages.record[bank.offset],
                                                   pages.record[bank.offset + 1]};
        for (std::size_t k = 0; k < bank.switches.size(); ++k) {
            const int bit = (bytes[k / 4] >> (k % 4)) & 1;
            std::string value = std::to_string(bit);
            switch (bank.switches[k].kind) {
            case SwitchKind::Radio:
                value += " radio " + std::to_string(values.m_nSwitch[k]);
                break;
            case SwitchKind::Check:
                value += values.m_nSwitch[k] != 0 ? " checked" : " unchecked";
                break;
            case SwitchKind::Country:
                value += " country bit";
                break;
            case SwitchKind::Hidden:
            case SwitchKind::Carried:
                value += " no control";
                break;
            }
            out.Add("MSW" + std::to_string(n + 1) + "-" + std::to_string(k + 1), value);
            // The country line follows the last of its bits, so one switch changes one line.
            const bool lastCountryBit =
                bank.switches[k].kind == SwitchKind::Country &&
                (k + 1 == bank.switches.size() || bank.switches[k + 1].kind != SwitchKind::Country);
            if (lastCountryBit) {
                out.Add("country", values.m_strCountry);
            }
        }
        // Bits 4-7 mean nothing to the pages and are dropped by the next encode.
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if ((bytes[i] & 0xF0) != 0) {
                out.Add("byte " + std::to_string(bank.offset + i) + " high bits", Hex(bytes[i]));
            }
        }
    }
}

void AddForm(LineWriter& out, CFormValues& forms, int form) {
    forms.ParseFormText(form);
    const std::string prefix = "form " + std::to_string(form) + " ";
    out.Add(prefix + "page length", forms.m_nPageLength);
    if (form != 0) {
        out.Add(prefix + "left margin", forms.m_nLeftMargin);
        out.Add(prefix + "right margin", forms.m_nRightMargin);
    }
    out.Add(prefix + "load front tractor", forms.m_nFrontTractor);
    out.Add(prefix + "load rear tractor", forms.m_nRearTractor);
    out.Add(prefix + "load sheet guide", forms.m_nSheetGuide);
    out.Add(prefix + "load sheet feeder", forms.m_nSheetFeeder);
    out.Add(prefix + "load postcard", forms.m_nPostcard);
    out.Add(prefix + "cut sheet correction", forms.m_nCutSheetAdjust);
    out.Add(prefix + "front tractor correction", forms.m_nFrontTractorAdjust);
}

} // namespace

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += Hex(byte);
    }
    return text;
}

RecordText DescribeRecord(const SettingRecord& record) {
    DecodedPages pages(record);
    const CParamValues& param = pages.param;
    CSelectValues& select = pages.select;
    const SettingRecord& decoded = pages.record;

    RecordText result;
    LineWriter out(result.lines);
    AddSwitchBanks(out, pages);

    out.Add("font 1", param.m_strFont1);
    out.Add("font 2", param.m_strFont2);
    out.Add("kanji code table", param.m_strKanjiTable);
    AddOpaque(out, decoded, off::kOpaque[0]);
    out.Add("postcard print mode", param.m_nPostcardMode);
    out.Add("sheet guide set position", select.m_nSheetGuideSetPos);
    out.Add("cut sheet centering", param.m_nCutSheetCentering);
    out.Add("front tractor centering", param.m_nFrontTractorCentering);
    out.Add("rear tractor centering", param.m_nRearTractorCentering);

    AddForm(out, select.m_dlgForm, 0);

    out.Add("auto position adjust", select.m_strAutoPosAdjust);
    out.Add("typeface", select.m_nTypeface);
    out.Add("reduction", select.m_strReduction);
    out.Add("paper thickness", select.m_strPaperThickness);
    out.Add("print pressure", PairText(select.m_strPressure, decoded, off::kPressure));
    out.Add("print position", PairText(select.m_strPrintPosition, decoded, off::kPrintPosition));
    out.Add("copy strength", select.m_strCopyStrength);
    out.Add("selected form", select.m_strFormName);

    // Each of forms 1-4 is followed by its opaque byte.
    for (int form = 1; form < kFormCount; ++form) {
        AddForm(out, select.m_dlgForm, form);
        AddOpaque(out, decoded, off::kOpaque[form]);
    }

    out.Add("auto return time", param.m_strAutoReturnTime);
    AddOpaque(out, decoded, off::kIntakeTimeTens);
    out.Add("intake time", param.m_nIntakeTime);
    out.Add("AGA retry time", param.m_strAgaRetryTime);
    out.Add("LF pitch front tractor",
            PairText(param.m_strLfFrontTractor, decoded, off::kLfFrontTractor));
    out.Add("LF pitch rear tractor",
            PairText(param.m_strLfRearTractor, decoded, off::kLfRearTractor));
    out.Add("LF pitch sheet guide", PairText(param.m_strLfSheetGuide, decoded, off::kLfSheetGuide));
    out.Add("LF pitch sheet feeder",
            PairText(param.m_strLfSheetFeeder, decoded, off::kLfSheetFeeder));

    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (record[i] != decoded[i]) {
            result.repairs.push_back({i, record[i], decoded[i]});
        }
    }
    return result;
}

std::string RenderRecord(const SettingRecord& record) {
    const RecordText described = DescribeRecord(record);
    std::string text;
    for (const std::string& line : described.lines) {
        text += line;
        text += '\n';
    }
    for (const ByteRepair& repair : described.repairs) {
        text += "repair byte " + std::to_string(repair.offset) + ": " + Hex(repair.from) + " -> " +
                Hex(repair.to) + "\n";
    }
    if (described.repairs.empty()) {
        text += "repairs: none\n";
    }
    return text;
}

} // namespace sb

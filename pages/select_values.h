// The function selection page's values: the selected list texts and radio indexes, their
// codes in the setting record, and the form store that carries the five form blocks.
#pragma once

#include "pages/form_values.h"
#include "pages/select_ids.h"
#include "record/setting_record.h"
#include "base/binding.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace sb {

// List entries, in list order.
inline constexpr std::array<std::string_view, 25> kAutoPosAdjustEntries = {
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12",
    "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24"};
inline constexpr std::array<std::string_view, 13> kPaperThicknessEntries = {
    "オート", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
inline constexpr std::array<std::string_view, 10> kPressureEntries = {"-6", "-5", "-4", "-3", "-2",
                                                                      "-1", "0",  "+1", "+2", "+3"};
inline constexpr std::array<std::string_view, 7> kPrintPositionEntries = {
    "-1.3", "-0.8", "-0.4", "0", "+0.4", "+0.8", "+1.3"};
inline constexpr std::array<std::string_view, 3> kReductionEntries = {"縮小なし", "２／３縮小",
                                                                      "４／５縮小"};
inline constexpr std::array<std::string_view, 3> kCopyStrengthEntries = {"標準", "厚紙", "複写"};

struct ComboEntries {
    int id;
    std::span<const std::string_view> entries;
};

// Every combo box of the page with its entries, in template order.
inline constexpr std::array<ComboEntries, 7> kSelectCombos = {{
    {IDC_SEL_AUTO_POS_ADJUST, kAutoPosAdjustEntries},
    {IDC_SEL_PAPER_THICKNESS, kPaperThicknessEntries},
    {IDC_SEL_PRESSURE, kPressureEntries},
    {IDC_SEL_PRINT_POSITION, kPrintPositionEntries},
    {IDC_SEL_REDUCTION, kReductionEntries},
    {IDC_SEL_COPY_STRENGTH, kCopyStrengthEntries},
    {IDC_SEL_FORM, kFormNames},
}};

// What a command notification from one of the page's controls sets off.
enum class SelectCommand {
    None,
    DataCheck,    // tell the main dialog that a value changed
    FormSelected, // the data check, then the form button's caption
    FormSettings, // open the form settings dialog
};
SelectCommand SelectCommandFor(int controlId);

class CSelectValues {
public:
    // The members from the page's bytes; repairs a print-pressure byte it cannot show.
    void DecodeRecord(SettingRecord& record);
    // The page's bytes from the members.
    void EncodeRecord(SettingRecord& record) const;

    std::string FormButtonCaption() const;
    // Before the form dialog opens: its fields from the selected form, and the form's name.
    void PrepareFormDialog();

    // The page's controls and members, in exchange order. The pointers are into this
    // object, so it must outlive the table.
    BindingTable Bindings();

    std::string m_strPressure;
    std::string m_strPrintPosition;
    std::string m_strPaperThickness;
    std::string m_strReduction;
    int m_nTypeface = -1;
    std::string m_strFormName;
    std::string m_strCopyStrength;
    std::string m_strAutoPosAdjust;
    int m_nSheetGuideSetPos = -1;
    CFormValues m_dlgForm;
};

} // namespace sb

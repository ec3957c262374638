#include "pages/record_fields.h"

#include "record/factory_record.h"
#include "record/settings_state.h"

#include <algorithm>
#include <map>

namespace sb {
namespace {

int FormEditOf(int control) {
    for (int edit = 0; edit < kFormEditCount; ++edit) {
        if (kFormEditRows[edit].edit == control) {
            return edit;
        }
    }
    return 0;
}

// What a refused field takes, as its refusal says it.
std::string ChoiceList(const std::vector<std::string>& choices) {
    std::string text;
    for (const std::string& choice : choices) {
        text += text.empty() ? "" : ", ";
        text += choice;
    }
    return text;
}

std::string RangeText(int lo, int hi) {
    return "a whole number from " + std::to_string(lo) + " to " + std::to_string(hi);
}

// Digits only, as the number edits take them; nothing for anything else. Nine digits at most:
// they always fit an int, and no field's range reaches that far.
std::optional<int> DigitsValue(std::string_view text) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// The index of the choice a value names, or nothing.
std::optional<int> ChoiceIndex(const FieldInfo& info, std::string_view value) {
    for (std::size_t i = 0; i < info.choices.size(); ++i) {
        const bool named = info.choices[i] == value || (info.kind == FieldKind::Radio &&
                                                        WithoutMnemonic(info.choices[i]) == value);
        if (named) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::string Refusal(const FieldInfo& info, std::string_view value) {
    const std::string takes = info.kind == FieldKind::Number ? RangeText(info.lo, info.hi)
                                                             : "one of " + ChoiceList(info.choices);
    return info.key + ": " + QuotedText(value) + " is not " + takes;
}

} // namespace

CRecordFields::CRecordFields(const SettingRecord& record) {
    SettingRecord factory = FactoryRecord();
    DecodeAll(factory);
    m_record = record;
    DecodeAll(m_record);
}

void CRecordFields::DecodeAll(SettingRecord& record) {
    m_select.DecodeRecord(record);
    m_param.DecodeRecord(record);
    for (CMswValues& bank : m_msw) {
        bank.DecodeRecord(record);
    }
}

SettingRecord CRecordFields::Encoded() const {
    SettingRecord record = m_record;
    m_select.EncodeRecord(record);
    m_param.EncodeRecord(record);
    for (const CMswValues& bank : m_msw) {
        bank.EncodeRecord(record);
    }
    return record;
}

std::vector<ByteRepair> CRecordFields::Repairs(const SettingRecord& original) const {
    const SettingRecord encoded = Encoded();
    std::vector<ByteRepair> repairs;
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (original[i] != encoded[i]) {
            repairs.push_back({i, original[i], encoded[i]});
        }
    }
    return repairs;
}

BindingTable CRecordFields::PageBindings(std::size_t page) {
    switch (page) {
    case kPageSelect:
        return m_select.Bindings();
    case kPageParam:
        return m_param.Bindings();
    default:
        return m_msw[page - kPageMsw1].Bindings();
    }
}

std::vector<std::string> CRecordFields::Values() {
    const std::vector<FieldInfo>& infos = RecordFieldList();
    const std::vector<FieldSource>& sources = RecordFieldSources();
    std::array<BindingTable, kPageCount> tables;
    for (std::size_t page = 0; page < tables.size(); ++page) {
        tables[page] = PageBindings(page);
    }
    // The dialog's fields are what it would show on opening; a copy, so this object stays as
    // the page holds it.
    std::array<CFormValues, kFormCount> forms;
    for (int n = 0; n < kFormCount; ++n) {
        forms[n] = m_select.m_dlgForm;
        forms[n].ParseFormText(n);
    }

    std::vector<std::string> values;
    for (std::size_t i = 0; i < infos.size(); ++i) {
        const FieldInfo& info = infos[i];
        const FieldSource& source = sources[i];
        if (source.form >= 0) {
            values.push_back(std::to_string(forms[source.form].*kFormEditRows[source.edit].field));
            continue;
        }
        const Binding& binding = *FindBinding(tables[source.page], source.control);
        switch (info.kind) {
        case FieldKind::List:
            values.push_back(*binding.text);
            break;
        case FieldKind::Radio:
        case FieldKind::Check: {
            // A radio pair with no button checked shows no choice.
            const int index = *binding.value;
            const bool known = index >= 0 && static_cast<std::size_t>(index) < info.choices.size();
            values.push_back(known ? info.choices[index] : std::string());
            break;
        }
        case FieldKind::Number:
            values.push_back(std::to_string(*binding.value));
            break;
        }
    }
    return values;
}

std::optional<std::string> CRecordFields::Apply(std::span<const FieldAssignment> assignments) {
    const std::vector<FieldInfo>& infos = RecordFieldList();
    const std::vector<FieldSource>& sources = RecordFieldSources();
    struct Change {
        std::size_t field;
        int number = 0; // a number, or a choice's index
    };
    std::vector<Change> changes;
    std::map<int, FormEditTexts> formTexts;
    CFormValues forms = m_select.m_dlgForm;

    for (const FieldAssignment& assignment : assignments) {
        const std::optional<std::size_t> field = FindField(assignment.key);
        if (!field) {
            return "unknown key " + QuotedText(assignment.key);
        }
        const auto given = [&](const Change& c) { return c.field == *field; };
        if (std::any_of(changes.begin(), changes.end(), given)) {
            return assignment.key + ": given twice";
        }
        const FieldInfo& info = infos[*field];
        std::optional<int> number;
        if (info.kind == FieldKind::Number) {
            number = DigitsValue(assignment.value);
            if (number && (*number < info.lo || *number > info.hi)) {
                number.reset();
            }
        } else {
            number = ChoiceIndex(info, assignment.value);
        }
        if (!number) {
            return Refusal(info, assignment.value);
        }
        changes.push_back({*field, *number});

        const FieldSource& source = sources[*field];
        if (source.form >= 0) {
            if (!formTexts.contains(source.form)) {
                forms.ParseFormText(source.form);
                formTexts[source.form] = forms.EditTexts();
            }
            formTexts[source.form][source.edit] = std::to_string(*number);
        }
    }

    // Each form changed goes through its dialog's OK, with the values it has not been given
    // as the dialog would show them.
    for (const auto& [form, texts] : formTexts) {
        forms.ParseFormText(form);
        forms.m_strFormName = kFormNames[form];
        const FormOkOutcome outcome = forms.OnOK(texts);
        if (outcome.accepted) {
            continue;
        }
        const int edit = FormEditOf(outcome.focus);
        if (!outcome.selectAll) {
            return FormFieldKey(form, edit) + ": must be greater than " +
                   FormFieldKey(form, kEditLeftMargin) + " (" + texts[kEditLeftMargin] + ")";
        }
        // Only a value it was not given can fail: those given were checked above.
        return FormFieldKey(form, edit) + ": holds " + texts[edit] + ", which is not " +
               RangeText(kFormEditRows[edit].lo, kFormEditRows[edit].hi) + "; set it as well";
    }

    for (const Change& change : changes) {
        const FieldInfo& info = infos[change.field];
        const FieldSource& source = sources[change.field];
        if (source.form >= 0) {
            continue;
        }
        const BindingTable table = PageBindings(source.page);
        const Binding& binding = *FindBinding(table, source.control);
        if (info.kind == FieldKind::List) {
            *binding.text = info.choices[change.number];
        } else {
            *binding.value = change.number;
        }
    }
    m_select.m_dlgForm = forms;
    return std::nullopt;
}

} // namespace sb

// A settings page whose values live in a value model: decoding shows the model's values in
// the controls, encoding reads the controls back before the model writes the record, and the
// model's lists fill the page's combo boxes. Until its window is made the page is its model
// alone, which decodes and encodes on its own; the window shows the model's values once made.
#pragma once

#include "record/settings_state.h"
#include "res/resource.h"
#include "ui/page.h"

#include <utility>

namespace sb {

template <class Model> class CModelPage : public CPage, public IRecordPage {
public:
    template <class... Args>
    explicit CModelPage(int templateId, Args&&... modelArgs)
        : CPage(templateId, ID_DATA_CHECK), m_values(std::forward<Args>(modelArgs)...),
          m_bindings(m_values.Bindings()) {}

    void DecodeRecord(SettingRecord& record) override {
        m_values.DecodeRecord(record);
        m_bDecoded = true;
        if (m_hWnd != nullptr) {
            ShowValues(m_bindings);
        }
    }
    void EncodeRecord(SettingRecord& record) override {
        // A refused edit has had its message; the model writes what it holds.
        if (m_hWnd != nullptr) {
            ReadValues(m_bindings);
        }
        m_values.EncodeRecord(record);
    }

protected:
    BOOL OnInitDialog() override {
        for (const Binding& row : m_bindings) {
            if (row.kind == BindKind::ComboText) {
                FillCombo(row.id, m_values.ComboEntries(row.id));
            }
        }
        // A page made before anything was decoded has nothing to show yet.
        if (m_bDecoded) {
            ShowValues(m_bindings);
        }
        return TRUE;
    }

    Model m_values;
    bool m_bDecoded = false;
    // Built once: the data check encodes every page on every control change. The rows point
    // into m_values, which never moves.
    const BindingTable m_bindings;
};

} // namespace sb

#include "record/settings_state.h"

#include "record/factory_record.h"

namespace sb {

CSettingsState::CSettingsState(const PageList& pages, SettingsView& view, Prompter& prompter,
                               const bool& startupDone)
    : m_pages(pages), m_view(view), m_prompter(prompter), m_bStartupDone(startupDone) {}

void CSettingsState::InitCopies() {
    m_recCurrent = FactoryRecord();
    m_recSent = FactoryRecord();
    m_recSaved = FactoryRecord();
}

void CSettingsState::EncodeAllPages() {
    for (IRecordPage* page : m_pages) {
        page->EncodeRecord(m_recCurrent);
    }
}

void CSettingsState::DecodeAllPages() {
    for (IRecordPage* page : m_pages) {
        page->DecodeRecord(m_recCurrent);
    }
}

void CSettingsState::OnDataCheck() {
    // During start-up the pages are still being filled; encoding then would write controls
    // that have not been decoded yet.
    if (m_bStartupDone) {
        EncodeAllPages();
    }
    // No comparison on purpose: any change makes sending available again.
    m_view.EnableSendCommand(true);
}

void CSettingsState::ApplyFactorySettings() {
    m_recCurrent = FactoryRecord();
    DecodeAllPages();
    m_view.ShowTab(kPageSelect);
    m_prompter.Message("工場出荷設定値を表示しました。", mb::kOk | mb::kIconInformation);
    OnDataCheck();
    m_view.RefreshFormButtonCaption();
}

} // namespace sb

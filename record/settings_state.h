// The three copies of the setting record (as shown, as last saved, as last sent) and the
// operations that move settings between the pages and the current copy.
#pragma once

#include "record/setting_record.h"
#include "base/prompter.h"

#include <array>

namespace sb {

// What every settings page offers: show a record, write itself back into one. Decoding may
// repair bytes of the record it is given.
class IRecordPage {
public:
    virtual ~IRecordPage() = default;
    virtual void DecodeRecord(SettingRecord& record) = 0;
    virtual void EncodeRecord(SettingRecord& record) = 0;
};

// The fixed page order of encode-all and decode-all; it is also the tab order.
enum PageIndex { kPageSelect, kPageParam, kPageMsw1, kPageMsw2, kPageMsw3, kPageMsw4 };
inline constexpr int kPageCount = 6;
using PageList = std::array<IRecordPage*, kPageCount>;

// What the settings state needs of the main window.
class SettingsView {
public:
    virtual ~SettingsView() = default;
    virtual void EnableSendCommand(bool enable) = 0;
    virtual void ShowTab(int tab) = 0;
    virtual void RefreshFormButtonCaption() = 0;
};

class CSettingsState {
public:
    // startupDone is the printer selection's start-up-done flag, read at every data check.
    CSettingsState(const PageList& pages, SettingsView& view, Prompter& prompter,
                   const bool& startupDone);

    // Start-up: all three copies from the factory record, before any page exists.
    void InitCopies();

    void EncodeAllPages();
    void DecodeAllPages();
    bool IsUnsent() const { return m_recCurrent != m_recSent; }
    bool IsUnsaved() const { return m_recCurrent != m_recSaved; }

    void OnDataCheck();
    void ApplyFactorySettings();

    SettingRecord& Current() { return m_recCurrent; }
    const SettingRecord& Current() const { return m_recCurrent; }
    const SettingRecord& Saved() const { return m_recSaved; }
    const SettingRecord& Sent() const { return m_recSent; }
    void MarkSaved() { m_recSaved = m_recCurrent; }
    void MarkSent() { m_recSent = m_recCurrent; }

private:
    PageList m_pages;
    SettingsView& m_view;
    Prompter& m_prompter;
    const bool& m_bStartupDone;
    SettingRecord m_recCurrent{};
    SettingRecord m_recSaved{};
    SettingRecord m_recSent{};
};

} // namespace sb

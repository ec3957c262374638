#include "app/panel_core.h"

#include "res/resource.h"

#include <utility>

namespace sb {
namespace {

constexpr unsigned kQuestion = mb::kYesNoCancel | mb::kIconExclamation;

constexpr std::string_view kAskSendBeforeSwitch =
    "設定値が変更されています。\nプリンタを切り替える前に、設定値をプリンタへ送信しますか？";
constexpr std::string_view kAskSaveBeforeSwitch =
    "設定値が変更されています。\nプリンタを切り替える前に、設定ファイルへ保存しますか？";
constexpr std::string_view kAskSendBeforeExit =
    "Switchboard を終了する前に、設定値をプリンタへ送信しますか？";
constexpr std::string_view kAskSaveBeforeExit =
    "Switchboard を終了する前に、設定ファイルへ保存しますか？";
constexpr std::string_view kAskFactory =
    "現在の設定値は破棄されます、\n工場出荷設定値に変更しますか？";
constexpr std::string_view kFilePortRefused = "接続先がFILEのため設定値を送信できません。";
constexpr std::string_view kSent = "プリンタに設定値を送信しました。";
constexpr std::string_view kNotUsable = "指定されたプリンタは、現在接続されていないか、"
                                        "プリンタ使用権の制限により使用できません。";
constexpr std::string_view kHelpMissing = "ヘルプファイルが見つかりません。";

} // namespace

CPanelCore::CPanelCore(const PageList& pages, PanelView& view, Prompter& prompter,
                       RecordSender& sender, FileStore& store, FileDialogs& dialogs,
                       UserFolders& folders, const OsVersion& os, std::string programDirectory)
    : m_view(view), m_prompter(prompter), m_sender(sender), m_os(os),
      m_strProgramDirectory(std::move(programDirectory)), m_store(store),
      m_state(pages, view, prompter, m_selection.m_bStartupDone),
      m_files(m_state, view, prompter, store, dialogs, folders, os, m_strProgramDirectory,
              m_selection.m_bStartupDone) {}

void CPanelCore::OnInitDialog() {
    m_view.InitMenu();
    // The help item exists once the menu does; a missing file grays it for the whole run.
    m_help = ChooseHelpFile(m_os.Get());
    m_strHelpPath = m_strProgramDirectory + std::string(m_help.name);
    m_bHelpAvailable = m_store.Exists(m_strHelpPath);
    if (!m_bHelpAvailable) {
        m_view.DisableHelpCommand();
    }
    m_view.InitIconsAndBars();
    m_selection.m_bStartupDone = false;
    m_state.InitCopies();
    m_view.EnableSendCommand(true);
    m_view.InitTabsAndPages();
    m_state.DecodeAllPages();
    OnSelectPrinter();
    m_view.RefreshFormButtonCaption();
    m_selection.m_bStartupDone = true;
}

bool CPanelCore::OnCommand(unsigned id) {
    switch (id) {
    case ID_LOAD_SETTINGS:
    case ID_TB_LOAD:
        OnLoadSettingsFile();
        return true;
    case ID_SAVE_SETTINGS:
    case ID_TB_SAVE:
        OnSaveSettingsFile();
        return true;
    case ID_SEND_TO_PRINTER:
    case ID_TB_SEND:
        OnSendToPrinter();
        return true;
    case ID_FACTORY_SETTINGS:
    case ID_TB_FACTORY:
        OnFactorySettings();
        return true;
    case ID_SELECT_PRINTER:
    case ID_TB_PRINTER:
        OnSelectPrinter();
        return true;
    case ID_EXIT_PANEL:
        OnExitPanel();
        return true;
    case ID_SHOW_SELECT:
        ShowTab(kPageSelect);
        return true;
    case ID_SHOW_PARAM:
        ShowTab(kPageParam);
        return true;
    case ID_SHOW_MSW1:
        ShowTab(kPageMsw1);
        return true;
    case ID_SHOW_MSW2:
        ShowTab(kPageMsw2);
        return true;
    case ID_SHOW_MSW3:
        ShowTab(kPageMsw3);
        return true;
    case ID_SHOW_MSW4:
        ShowTab(kPageMsw4);
        return true;
    case ID_HELP_CONTENTS:
        OnHelpContents();
        return true;
    case ID_DATA_CHECK:
        OnDataCheck();
        return true;
    default:
        return false;
    }
}

bool CPanelCore::CorrectUncorrectedValue() {
    if (!m_view.HasUncorrectedValue()) {
        return false;
    }
    if (m_view.SelectedTab() != kPageParam) {
        m_view.ShowTab(kPageParam);
    }
    m_view.CorrectHeadCentering();
    return true;
}

bool CPanelCore::AskAndRun(std::string_view question, void (CPanelCore::*operation)()) {
    const Answer answer = m_prompter.Message(question, kQuestion);
    if (answer == Answer::Cancel) {
        return false;
    }
    if (answer != Answer::Yes) {
        return true;
    }
    // Read first: the operation's correction clears the page's flags.
    const bool uncorrected = m_view.HasUncorrectedValue();
    (this->*operation)();
    return !uncorrected;
}

bool CPanelCore::OfferSendThenSave(std::string_view askSend, std::string_view askSave) {
    m_state.EncodeAllPages();
    // Both tests before the first question: a send in answer to it must not change the
    // answer of the second.
    const bool unsent = m_state.IsUnsent();
    const bool unsaved = m_state.IsUnsaved();
    return (!unsent || AskAndRun(askSend, &CPanelCore::OnSendToPrinter)) &&
           (!unsaved || AskAndRun(askSave, &CPanelCore::OnSaveSettingsFile));
}

void CPanelCore::OnSelectPrinter() {
    if (m_selection.m_bStartupDone &&
        !OfferSendThenSave(kAskSendBeforeSwitch, kAskSaveBeforeSwitch)) {
        return;
    }
    m_selection.m_strPrinterName = m_strPrinterName;
    m_selection.m_strPort = m_strConnection;
    if (m_view.RunPrinterSelection(m_selection) == kDialogOk) {
        m_view.EnablePrinterCommand(m_selection.m_nPrinterCount > 1);
        m_view.SetStatusTexts("プリンタ名： " + m_selection.m_strPrinterName,
                              "接続先： " + m_selection.m_strPort);
        m_strPrinterName = m_selection.m_strPrinterName;
        m_strConnection = m_selection.m_strPort;
        if (m_selection.m_bStartupDone) {
            m_state.ApplyFactorySettings();
        }
        return;
    }
    // Without a printer to fall back on, the program cannot go on.
    if ((m_selection.m_strPrinterName.empty() && m_selection.m_strPort.empty()) ||
        (m_selection.m_strPort == kFilePort && !m_selection.m_bStartupDone)) {
        m_view.EndPanel();
    }
}

void CPanelCore::OnFactorySettings() {
    if (m_prompter.Message(kAskFactory, mb::kOkCancel | mb::kIconExclamation) == Answer::Ok) {
        m_state.ApplyFactorySettings();
    }
}

void CPanelCore::OnExitPanel() {
    // Whatever the send's or the save's outcome (sent or not, saved, cancelled or failed),
    // the exit goes on.
    if (OfferSendThenSave(kAskSendBeforeExit, kAskSaveBeforeExit)) {
        m_view.EndPanel();
    }
}

void CPanelCore::OnSendToPrinter() {
    if (CorrectUncorrectedValue()) {
        return;
    }
    if (m_strPrinterName.empty() || m_strConnection.empty()) {
        m_prompter.Message(kMsgNoPrinterSelected, mb::kOk | mb::kIconExclamation);
        OnSelectPrinter();
    }
    if (m_strConnection == kFilePort) {
        m_prompter.Message(kFilePortRefused, mb::kOk | mb::kIconInformation);
        return;
    }
    m_state.EncodeAllPages();
    if (m_sender.Send(m_strPrinterName, m_state.Current())) {
        m_prompter.Message(kSent, mb::kOk | mb::kIconInformation);
        m_state.MarkSent();
        m_view.EnableSendCommand(false);
        return;
    }
    // Not tried again: the user picks a printer and sends anew.
    m_prompter.Message(kNotUsable, mb::kOk | mb::kIconExclamation);
    OnSelectPrinter();
}

void CPanelCore::OnLoadSettingsFile() {
    m_files.Load();
}

void CPanelCore::OnSaveSettingsFile() {
    if (CorrectUncorrectedValue()) {
        return;
    }
    m_files.Save();
}

void CPanelCore::OnHelpContents() {
    // The grayed item already stops the command; this keeps the rule for any other caller.
    if (!m_bHelpAvailable) {
        return;
    }
    if (!m_view.ShowHelp(m_help.viewer, m_strHelpPath)) {
        m_prompter.Message(kHelpMissing, mb::kOk | mb::kIconExclamation);
    }
}

} // namespace sb

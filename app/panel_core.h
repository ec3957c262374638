// The main window's commands: start-up, printer switch, factory reset, send, load, save,
// help and the exit procedure, with their questions. The window forwards its commands here
// and implements PanelView.
#pragma once

#include "app/help_file.h"
#include "app/panel_view.h"
#include "app/record_sender.h"
#include "files/settings_files.h"
#include "printer/printer_selection.h"
#include "record/settings_state.h"

#include <string>
#include <string_view>

namespace sb {

class CPanelCore {
public:
    // programDirectory ends in its separator; the help file is there, and the file dialogs
    // start there where this user may add a file to it.
    CPanelCore(const PageList& pages, PanelView& view, Prompter& prompter, RecordSender& sender,
               FileStore& store, FileDialogs& dialogs, UserFolders& folders, const OsVersion& os,
               std::string programDirectory);
    CPanelCore(const CPanelCore&) = delete;
    CPanelCore& operator=(const CPanelCore&) = delete;

    // WM_INITDIALOG after the framework's own initialisation.
    void OnInitDialog();
    // A menu, accelerator or tool-bar command; false for the ones the window handles itself.
    bool OnCommand(unsigned id);

    void OnSelectPrinter();
    void OnFactorySettings();
    void OnExitPanel();
    void OnSendToPrinter();
    void OnLoadSettingsFile();
    void OnSaveSettingsFile();
    void OnHelpContents();
    void OnDataCheck() { m_state.OnDataCheck(); }
    void ShowTab(int tab) { m_view.ShowTab(tab); }

    const CSettingsState& State() const { return m_state; }
    const std::string& PrinterName() const { return m_strPrinterName; }
    const std::string& Connection() const { return m_strConnection; }
    // The window tells the help viewer to quit for this file when it is destroyed.
    HelpViewer HelpViewerKind() const { return m_help.viewer; }
    const std::string& HelpPath() const { return m_strHelpPath; }

private:
    // An uncorrected value on the parameter page stops sending and saving: the page is shown
    // and corrected instead. True when that happened.
    bool CorrectUncorrectedValue();
    // A send or save question before a printer switch or the exit: Yes runs the operation,
    // No skips it; false when the command must be abandoned (Cancel, or an uncorrected value
    // that turned Yes into the parameter page's warning).
    bool AskAndRun(std::string_view question, void (CPanelCore::*operation)());
    // Before a printer switch or the exit: every page encoded, then the send question if the
    // values are unsent and the save question if they are unsaved. False when the command
    // must be abandoned.
    bool OfferSendThenSave(std::string_view askSend, std::string_view askSave);

    PanelView& m_view;
    Prompter& m_prompter;
    RecordSender& m_sender;
    const OsVersion& m_os;
    std::string m_strProgramDirectory;
    FileStore& m_store;
    // Its start-up-done flag is the main window's own; it must exist before the state.
    CPrinterSelection m_selection;
    CSettingsState m_state;
    CSettingsFiles m_files;
    HelpFile m_help{};
    std::string m_strHelpPath;
    bool m_bHelpAvailable = false;
    std::string m_strPrinterName;
    std::string m_strConnection;
};

} // namespace sb

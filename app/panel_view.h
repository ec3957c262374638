// What the command flows need of the main window and its pages. The window does the drawing
// and the platform calls; the core decides what happens and in which order.
#pragma once

#include "record/settings_state.h"

#include <string>

namespace sb {

class CPrinterSelection;

// Named after the files they open: the platform names its viewers' functions by macros.
enum class HelpViewer { Hlp, Chm };

// Results of the modal printer selection, with the platform's own values.
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;

class PanelView : public SettingsView {
public:
    // Initialisation steps that are window work; the core calls them in its fixed order.
    virtual void InitMenu() = 0;         // the icon menu, attached to the window
    virtual void InitIconsAndBars() = 0; // the program icon, the tool bar, the status bar
    virtual void InitTabsAndPages() = 0; // the six tabs and pages, the first one shown

    virtual void EnablePrinterCommand(bool enable) = 0;
    virtual void DisableHelpCommand() = 0;
    virtual int SelectedTab() const = 0;
    virtual void SetStatusTexts(const std::string& printerPane,
                                const std::string& connectionPane) = 0;
    // Ends the main dialog; the command that asks for it still runs to its end.
    virtual void EndPanel() = 0;
    // Runs the printer selection dialog modally over the given model.
    virtual int RunPrinterSelection(CPrinterSelection& selection) = 0;

    // The parameter page: a head-centring value below its range whose correction is deferred,
    // and the correction with the page's own warning.
    virtual bool HasUncorrectedValue() const = 0;
    virtual void CorrectHeadCentering() = 0;

    // False when the viewer reports failure.
    virtual bool ShowHelp(HelpViewer viewer, const std::string& path) = 0;
};

} // namespace sb

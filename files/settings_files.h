// Loading and saving settings files: the two file commands of the main window, on the three
// copies of the record.
#pragma once

#include "files/file_dialogs.h"
#include "files/file_store.h"
#include "files/user_folders.h"
#include "base/os_version.h"
#include "record/settings_state.h"
#include "base/prompter.h"

#include <string>

namespace sb {

class CSettingsFiles {
public:
    // startupDone is the main window's start-up-done flag; programDirectory ends in its
    // separator and is where the file dialogs start when this user may add a file there.
    CSettingsFiles(CSettingsState& state, SettingsView& view, Prompter& prompter, FileStore& store,
                   FileDialogs& dialogs, UserFolders& folders, const OsVersion& os,
                   std::string programDirectory, const bool& startupDone);

    void Load();
    // The caller has already made sure that the parameter page holds no uncorrected value.
    void Save();

private:
    bool Write(const std::string& path, OpenFailure& failure);
    // Asked each time a dialog opens, so that a refused save starts the next one right.
    std::string StartFolder();

    CSettingsState& m_state;
    SettingsView& m_view;
    Prompter& m_prompter;
    FileStore& m_store;
    FileDialogs& m_dialogs;
    UserFolders& m_folders;
    const OsVersion& m_os;
    std::string m_strProgramDirectory;
    const bool& m_bStartupDone;
};

} // namespace sb

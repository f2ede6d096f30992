// Start-up of the program's windows.
#include "app/program.h"

#include "platform/application.h"

TProgram::TProgram(const std::string& appFolder)
    : MainForm(appFolder),
      Setting(MainForm, &MainForm),
      PDB(MainForm.CatalogueList, MainForm.AppFolder, &MainForm) {
    MainForm.Setting = &Setting;
    MainForm.PDB = &PDB;
    try {
        Setting.FormCreate();
    } catch (const std::exception& error) {
        // A damaged setting.dat is reported, and the program starts all the same.
        HandleException(error);
    }
}

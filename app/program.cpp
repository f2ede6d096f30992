// Start-up of the program's windows.
#include "app/program.h"

#include "platform/guard.h"

TProgram::TProgram(const std::string& appFolder)
    : MainForm(appFolder),
      Setting(MainForm, &MainForm),
      PDB(MainForm.CatalogueList, MainForm.AppFolder, &MainForm) {
    MainForm.Setting = &Setting;
    MainForm.PDB = &PDB;
    // A damaged setting.dat is reported, and the program starts all the same.
    RunGuarded([this] { Setting.FormCreate(); });
}

// Start-up of the program's windows.
#include "app/program.h"

#include "platform/guard.h"

TProgram::TProgram(const TGameFolder& folder)
    : mainForm_(folder),
      setting_(mainForm_, &mainForm_),
      pdb_(mainForm_.CatalogueList(), folder, &mainForm_) {
    mainForm_.SetWindows(setting_, pdb_);
    // A damaged setting.dat is reported, and the program starts all the same.
    RunGuarded([this] { setting_.FormCreate(); });
}

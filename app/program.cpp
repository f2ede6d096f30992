// Start-up of the program's windows.
#include "app/program.h"

#include "platform/guard.h"

TProgram::TProgram(const TGameFolder& folder)
    : TProgram(std::make_unique<TMainForm>(folder), folder) {}

TProgram::TProgram(std::unique_ptr<TMainForm> mainForm, const TGameFolder& folder)
    : mainForm_(std::move(mainForm)),
      setting_(*mainForm_, mainForm_.get()),
      pdb_(mainForm_->CatalogueList(), folder, mainForm_.get()) {
    mainForm_->SetWindows(setting_, pdb_);
    // A damaged setting.dat is reported, and the program starts all the same.
    RunGuarded([this] { setting_.FormCreate(); });
}

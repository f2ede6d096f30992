// The three windows made at start and living until the end: the main window (which reads the
// catalogue), the hidden settings dialog (whose creation loads setting.dat into its fields and
// the question-count menu), and the hidden database browser.
#pragma once

#include <memory>
#include <string>

#include "app/mainform.h"
#include "catalogue/pdb.h"
#include "records/setting.h"

class TProgram {
  public:
    // A failure of loading the settings is shown in an error box, and start-up goes on.
    explicit TProgram(const TGameFolder& folder);

    TMainForm& MainForm() { return *mainForm_; }
    TSetting& Setting() { return setting_; }
    TPDB& PDB() { return pdb_; }

  protected:
    // The other windows around a main window made by the caller (a test's own kind).
    TProgram(std::unique_ptr<TMainForm> mainForm, const TGameFolder& folder);

  private:
    std::unique_ptr<TMainForm> mainForm_;
    TSetting setting_;
    TPDB pdb_;
};

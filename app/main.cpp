// Program entry: the main window, then the settings dialog (which loads setting.dat), then the
// database browser, then the message loop until the main window closes.
#include "app/mainform.h"
#include "catalogue/pdb.h"
#include "platform/application.h"
#include "records/setting.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    TMainForm mainForm(ApplicationFolder());
    TSetting setting(mainForm, &mainForm);
    mainForm.Setting = &setting;
    try {
        setting.FormCreate();
    } catch (const std::exception& error) {
        // A damaged setting.dat is reported, and the program starts all the same.
        HandleException(error);
    }
    TPDB pdb(mainForm.CatalogueList, mainForm.AppFolder, &mainForm);
    mainForm.PDB = &pdb;
    mainForm.show();
    return app.exec();
}

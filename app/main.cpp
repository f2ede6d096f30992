// Program entry: the windows made at start, then the message loop until the main window closes.
#include "app/program.h"
#include "platform/application.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    TProgram program(ApplicationFolder());
    program.MainForm.show();
    return app.exec();
}

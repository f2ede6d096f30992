// Program entry: the windows made at start, then the message loop until the main window closes.
#include "app/program.h"
#include "files/playerfolder.h"
#include "platform/application.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(APP_ID));
    TProgram program(PrepareGameFolder(CurrentGameFolderPlaces(INSTALLED_DATA)));
    program.MainForm().show();
    return app.exec();
}

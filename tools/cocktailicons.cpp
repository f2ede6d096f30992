// Build step: draws the bundled cocktail catalogue from the table into the game's folder.
#include <QGuiApplication>
#include <cstdio>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "tools/cocktailtable.h"
#include "tools/iconfolder.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: cocktailicons TABLE FOLDER MANIFEST\n");
        return 2;
    }
    try {
        WriteCocktailFolder(ReadCocktailTable(args[1]), args[2], args[3]);
    } catch (const Exception& e) {
        std::fprintf(stderr, "cocktailicons: %s\n", FromCp932(e.what()).toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

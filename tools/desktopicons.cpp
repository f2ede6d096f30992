// Draws the program's icon for the desktop's menus into an icon theme folder:
// FOLDER/<size>x<size>/apps/NAME.png for every size asked for.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "tools/windowpictures.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: desktopicons FOLDER NAME SIZE...\n");
        return 2;
    }
    for (const QString& arg : args.mid(3)) {
        bool number = false;
        const int size = arg.toInt(&number);
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[1]).arg(size);
        const QString file = folder + u'/' + args[2] + QStringLiteral(".png");
        if (!number || size <= 0 || !QDir().mkpath(folder) || !AppIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "desktopicons: cannot draw %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

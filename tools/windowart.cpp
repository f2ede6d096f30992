// Redraws the windows' pictures into a folder (resources/images/ is where they are kept).
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "tools/icowriter.h"
#include "tools/windowpictures.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: windowart FOLDER\n");
        return 2;
    }
    const QDir folder(app.arguments()[1]);
    const std::pair<const char*, QImage> pictures[] = {
        {"new.png", NewGamePicture()},
        {"bar.png", BarPicture()},
        {"lifeline2.png", BlankSheetsIcon()},
        {"lifeline4.png", WrittenSheetIcon()},
        {"setting.png", SettingPicture()},
        {"title.png", TitlePicture()},
        {"app.png", AppIcon(64)},
    };
    try {
        for (const auto& [file, image] : pictures)
            if (!image.save(folder.filePath(QLatin1String(file)), "PNG"))
                throw Exception("cannot write " + ToCp932(folder.filePath(QLatin1String(file))));
        WriteIco(folder.filePath(QStringLiteral("app.ico")), {AppIcon(32), AppIcon(64)});
    } catch (const Exception& e) {
        std::fprintf(stderr, "windowart: %s\n", FromCp932(e.what()).toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

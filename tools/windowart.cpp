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
    // Each picture also as "@2x", drawn at twice the pixels for dense screens.
    const std::pair<const char*, QImage (*)(int)> pictures[] = {
        {"new", NewGamePicture},        {"bar", BarPicture},
        {"lifeline2", BlankSheetsIcon}, {"lifeline4", WrittenSheetIcon},
        {"setting", SettingPicture},    {"title", TitlePicture},
    };
    const auto save = [&folder](const QString& file, const QImage& image) {
        if (!image.save(folder.filePath(file), "PNG"))
            throw Exception("cannot write " + ToCp932(folder.filePath(file)));
    };
    try {
        for (const auto& [name, draw] : pictures) {
            save(QLatin1String(name) + QStringLiteral(".png"), draw(1));
            save(QLatin1String(name) + QStringLiteral("@2x.png"), draw(2));
        }
        save(QStringLiteral("app.png"), AppIcon(64));
        WriteIco(folder.filePath(QStringLiteral("app.ico")), {AppIcon(32), AppIcon(64)});
    } catch (const Exception& e) {
        std::fprintf(stderr, "windowart: %s\n", FromCp932(e.what()).toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

// The help launcher over the help viewer seam and the program's own help window.
#include "catalogue/help.h"

#include <sys/stat.h>

#include <QApplication>

#include "catalogue/helpfile.h"
#include "catalogue/helpwindow.h"
#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/helpviewer.h"
#include "platform/modal.h"
#include "platform/msgbox.h"

void Helper(const TGameFolder& folder, int context) {
    const std::string helpFile = folder.HelpFile();
    // A folder of that name is no help file.
    struct stat info {};
    if (::stat(helpFile.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        InformationBox(Cp932Text("ヘルプファイル『cocktail.hlp』が見つかりません。"),
                       ApplicationTitle());
        return;
    }
    ShowHelpTopic(helpFile, context, &ShowHelpWindow);
}

void ShowHelpWindow(const std::string& helpFile, int context) {
    std::vector<HelpTopic> topics = LoadHelpFile(helpFile);
    if (topics.empty()) {
        throw Exception(ShownName(helpFile) + Cp932Text(" にはヘルプのトピックがありません。"));
    }
    THelp window(std::move(topics), context, QApplication::activeWindow());
    ExecModal(window);
}

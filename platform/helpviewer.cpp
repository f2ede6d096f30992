// The help viewer's seam: one replaceable function in front of the program's help window.
#include "platform/helpviewer.h"

namespace {
HelpViewer& Installed() {
    static HelpViewer viewer;
    return viewer;
}
}  // namespace

void ShowHelpTopic(const std::string& helpFile, int context, const HelpViewer& ownViewer) {
    if (Installed()) {
        Installed()(helpFile, context);
        return;
    }
    ownViewer(helpFile, context);
}

void SetHelpViewer(HelpViewer viewer) { Installed() = std::move(viewer); }

// The game's warning question on the platform's message box.
#include "app/confirm.h"

#include "platform/cp932.h"
#include "platform/msgbox.h"

bool ConfirmWarning(const std::string& text) {
    static const std::string caption = Cp932Text("警告");
    return ShowMessageBox({text, caption, MsgIcon::Warning, MsgButtons::YesNo}) == MsgResult::Yes;
}

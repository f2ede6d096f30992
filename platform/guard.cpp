// The general error handler.
#include "platform/guard.h"

#include <QString>

#include "platform/cp932.h"
#include "platform/msgbox.h"

void HandleException(const std::exception& error) { ErrorBox(error.what(), ApplicationTitle()); }

void HandleUnknownException() {
    ErrorBox(Cp932Text("予期しないエラーが発生しました。"), ApplicationTitle());
}

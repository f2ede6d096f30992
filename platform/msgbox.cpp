// Message boxes on Qt's QMessageBox, with the Japanese button captions of the platform.
#include "platform/msgbox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include "platform/cp932.h"

namespace {
std::function<MsgResult(const MessageBoxRequest&)>& Handler() {
    static std::function<MsgResult(const MessageBoxRequest&)> handler;
    return handler;
}

// Tells a close by the title bar from a press of Esc, which the standard box confuses.
class TMessageBox : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;
    bool ClosedByTitleBar = false;

  protected:
    void closeEvent(QCloseEvent* event) override {
        ClosedByTitleBar = true;
        QMessageBox::closeEvent(event);
    }
};

// A short text makes a narrow box, whose title bar then cuts its caption off: the box is made at
// least as wide as the caption in a bold title font, with room for the title bar's own buttons.
void KeepCaptionVisible(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    QFont title = box.font();
    title.setBold(true);
    const int width = QFontMetrics(title).horizontalAdvance(box.windowTitle()) + 140;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Warning:
            return QMessageBox::Warning;
        case MsgIcon::Error:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

MsgResult ShowMessageBox(const MessageBoxRequest& request, QWidget* parent) {
    if (Handler()) return Handler()(request);
    if (!parent) parent = QApplication::activeWindow();
    TMessageBox box(ToQt(request.Icon), FromCp932(request.Caption), FromCp932(request.Text),
                    QMessageBox::NoButton, parent);
    QAbstractButton* first = nullptr;
    QAbstractButton* second = nullptr;
    switch (request.Buttons) {
        case MsgButtons::Ok:
            first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            box.setEscapeButton(first);
            break;
        case MsgButtons::YesNo:
            first = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
            second = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
            box.setEscapeButton(second);
            break;
        case MsgButtons::OkCancel:
            first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            second = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
            box.setEscapeButton(second);
            break;
        case MsgButtons::YesCancel:
            first = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
            second = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
            box.setEscapeButton(second);
            break;
    }
    box.setDefaultButton(static_cast<QPushButton*>(first));
    KeepCaptionVisible(box);
    box.exec();
    bool chosenFirst = box.clickedButton() == first;
    switch (request.Buttons) {
        case MsgButtons::Ok:
            return MsgResult::Ok;
        case MsgButtons::YesNo:
            if (box.ClosedByTitleBar) return MsgResult::Closed;
            return chosenFirst ? MsgResult::Yes : MsgResult::No;
        case MsgButtons::OkCancel:
            return chosenFirst ? MsgResult::Ok : MsgResult::Cancel;
        case MsgButtons::YesCancel:
            return chosenFirst ? MsgResult::Yes : MsgResult::Cancel;
    }
    return MsgResult::Cancel;
}

const std::string& ApplicationTitle() {
    static const std::string title = Cp932Text("The・バーテンダム");
    return title;
}

void ShowMessage(const std::string& text) {
    ShowMessageBox({text, ApplicationTitle(), MsgIcon::None, MsgButtons::Ok});
}

void InformationBox(const std::string& text, const std::string& caption) {
    ShowMessageBox({text, caption, MsgIcon::Information, MsgButtons::Ok});
}

void ErrorBox(const std::string& text, const std::string& caption) {
    ShowMessageBox({text, caption, MsgIcon::Error, MsgButtons::Ok});
}

void SetMessageBoxHandler(std::function<MsgResult(const MessageBoxRequest&)> handler) {
    Handler() = std::move(handler);
}

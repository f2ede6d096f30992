// Test seams over the platform layer's replaceable functions.
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QtTest/QTest>

#include "platform/cp932.h"
#include "platform/random.h"
#include "platform/tick.h"

ScriptedBoxes::ScriptedBoxes() {
    SetMessageBoxHandler([this](const MessageBoxRequest& request) {
        seen_.push_back(request);
        if (!answers_.empty()) {
            MsgResult result = answers_.front();
            answers_.pop_front();
            return result;
        }
        switch (request.Buttons) {
            case MsgButtons::Ok:
                return MsgResult::Ok;
            case MsgButtons::YesNo:
                return MsgResult::No;
            case MsgButtons::OkCancel:
            case MsgButtons::YesCancel:
                return MsgResult::Cancel;
        }
        return MsgResult::Cancel;
    });
}

ScriptedBoxes::~ScriptedBoxes() { SetMessageBoxHandler(nullptr); }

std::vector<QString> ScriptedBoxes::Texts() const {
    std::vector<QString> texts;
    for (const auto& request : seen_) texts.push_back(FromCp932(request.Text));
    return texts;
}

FakeClock::FakeClock(uint32_t start) : now_(start) {
    SetTickCountSource([this] { return now_; });
}
FakeClock::~FakeClock() { SetTickCountSource(nullptr); }

FixedSeeds::FixedSeeds(uint32_t first) : next_(first) {
    SetRandomSeedSource([this] { return next_++; });
}
FixedSeeds::~FixedSeeds() { SetRandomSeedSource(nullptr); }

std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FromNative(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

TGameFolder FolderAt(const QString& path, bool readOnly) {
    return TGameFolder(NativePath(path), readOnly);
}

std::string ReadFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray data = file.readAll();
    return std::string(data.constData(), data.size());
}

void WriteFileBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string ErrorOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

QString SourceDir() {
    return qEnvironmentVariable("BARTENDAM_SOURCE_DIR", QStringLiteral(BARTENDAM_SOURCE));
}
QString GameDir() {
    return qEnvironmentVariable("BARTENDAM_GAME_DIR", QStringLiteral(BARTENDAM_GAME));
}

std::vector<QWidget*> FocusWalk(QWidget* window, QWidget* start, int presses, bool backwards) {
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window)) return {};
    start->setFocus();
    std::vector<QWidget*> walk;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget* focus = QApplication::focusWidget();
        if (focus && qobject_cast<QComboBox*>(focus->parentWidget())) focus = focus->parentWidget();
        walk.push_back(focus);
    }
    return walk;
}

std::vector<std::string> CutLabels(QWidget& window) {
    window.show();
    std::vector<std::string> cut;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->wordWrap() || !label->pixmap().isNull() || label->isHidden() ||
            label->textFormat() == Qt::RichText)
            continue;
        int widest = 0;
        for (const QString& line : label->text().split(QLatin1Char('\n')))
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line.trimmed()));
        if (widest > label->contentsRect().width())
            cut.push_back(label->objectName().toStdString() + ": " + std::to_string(widest) +
                          " > " + std::to_string(label->contentsRect().width()));
    }
    return cut;
}

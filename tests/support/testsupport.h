// Test seams: boxes answered by the test, a clock the test moves, seeds the test fixes.
#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/gamefolder.h"
#include "platform/cp932.h"
#include "platform/msgbox.h"

// Answers every message box from a queue and records what was asked. With the queue empty, a
// box gets its safe answer (OK, or the second button).
class ScriptedBoxes {
  public:
    ScriptedBoxes();
    ~ScriptedBoxes();
    ScriptedBoxes(const ScriptedBoxes&) = delete;
    ScriptedBoxes& operator=(const ScriptedBoxes&) = delete;

    void Answer(MsgResult result) { answers_.push_back(result); }
    const std::vector<MessageBoxRequest>& Seen() const { return seen_; }
    // The texts seen so far, converted to Unicode for readable assertions.
    std::vector<QString> Texts() const;
    void Clear() { seen_.clear(); }

  private:
    std::deque<MsgResult> answers_;
    std::vector<MessageBoxRequest> seen_;
};

// The tick count, set by the test.
class FakeClock {
  public:
    explicit FakeClock(uint32_t start = 1000000);
    ~FakeClock();
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;
    void Advance(uint32_t ms) { now_ += ms; }
    void Set(uint32_t now) { now_ = now; }
    uint32_t Now() const { return now_; }

  private:
    uint32_t now_;
};

// Every re-seed takes the next number from `first` on, so that runs repeat.
class FixedSeeds {
  public:
    explicit FixedSeeds(uint32_t first = 1);
    ~FixedSeeds();
    FixedSeeds(const FixedSeeds&) = delete;
    FixedSeeds& operator=(const FixedSeeds&) = delete;

  private:
    uint32_t next_;
};

// A path in the file system's own bytes, and back, as the program names files.
std::string NativePath(const QString& path);
QString FromNative(const std::string& path);
// The game's folder at `path`.
TGameFolder FolderAt(const QString& path, bool readOnly = false);

// The whole contents of a file, or an empty string if it cannot be read.
std::string ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const std::string& bytes);

// The message of the exception `step` raises, or an empty string when it raises none.
std::string ErrorOf(const std::function<void()>& step);

// Shows `window`, makes it active, puts the focus on `start` and presses `key` (Tab, or Backtab
// with Shift) `presses` times, each time to the widget with the focus. Returns the widgets that
// had the focus after each press; a combo box's edit field counts as its combo box.
class QWidget;
std::vector<QWidget*> FocusWalk(QWidget* window, QWidget* start, int presses, bool backwards);

// The labels of `window`, shown, whose text (its widest line) is wider than the label in the font
// the label shows it in, as "name: text width > label width". Word-wrapped, hidden and rich-text
// labels are left out.
std::vector<std::string> CutLabels(QWidget& window);

// The root of the source tree and the built game folder, as the build tells the tests.
QString SourceDir();
QString GameDir();

// The control named `name` among `window`'s descendants, found as the tests meet it in the window's
// layout; raises when there is none of that name and class, so that the test fails there.
template <class Control>
Control* Named(const QObject& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(name));
    if (!control) throw std::logic_error(std::string("no control named ") + name);
    return control;
}

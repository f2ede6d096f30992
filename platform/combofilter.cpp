// The combo boxes' key filter, an event filter owned by its combo box.
#include "platform/combofilter.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/guard.h"
#include "platform/keyfilter.h"

namespace {
class TComboKeyFilter : public QObject {
  public:
    TComboKeyFilter(QComboBox& combo, TComboKeys keys, std::function<void(char16_t&)> rule)
        : QObject(&combo), keys_(keys), rule_(std::move(rule)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        return RunGuarded([&] {
            if (event->type() != QEvent::KeyPress) return false;
            const auto& press = *static_cast<QKeyEvent*>(event);
            char16_t key = TypedCharacter(press);
            const bool chosen = keys_ == TComboKeys::Typed ? key != 0 : EditsText(press);
            if (!chosen) return false;
            rule_(key);
            return key == 0;
        });
    }

  private:
    TComboKeys keys_;
    std::function<void(char16_t&)> rule_;
};
}  // namespace

void FilterComboKeys(QComboBox& combo, TComboKeys keys, std::function<void(char16_t& key)> rule) {
    auto* filter = new TComboKeyFilter(combo, keys, std::move(rule));
    // Real keys reach the combo box, which hands them to its edit behind every filter, so both
    // are watched.
    combo.installEventFilter(filter);
    combo.lineEdit()->installEventFilter(filter);
    combo.lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
    // A typed key appends that key only: completing "45" to "4500" would pace the game.
    combo.setCompleter(nullptr);
}

// The help window's topic list, page and buttons. Esc closes it, as any dialog.
#include "catalogue/helpwindow.h"

#include "platform/cp932.h"
#include "platform/fonts.h"

THelp::THelp(std::vector<HelpTopic> topics, int context, QWidget* parent)
    : QDialog(parent), topics_(std::move(topics)) {
    setupUi(this);
    setFont(JapaneseFont(QStringLiteral("MS UI Gothic"), 13));
    lblTitle->setFont(JapaneseFont(QStringLiteral("MS UI Gothic"), 16, true));
    for (const HelpTopic& topic : topics_) lsTopics->addItem(FromCp932(topic.Title));

    connect(lsTopics, &QListWidget::currentRowChanged, this, [this] { lsTopicsChange(); });
    connect(btnPrev, &QPushButton::clicked, this, [this] { btnPrevClick(); });
    connect(btnNext, &QPushButton::clicked, this, [this] { btnNextClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    const int found = FindHelpTopic(topics_, context);
    ShowTopic(found >= 0 ? found : 0);
}

void THelp::ShowTopic(int index) {
    if (index < 0 || index >= static_cast<int>(topics_.size())) return;
    lsTopics->setCurrentRow(index);
    lsTopicsChange();
}

void THelp::lsTopicsChange() {
    const int index = lsTopics->currentRow();
    if (index < 0) return;
    const HelpTopic& topic = topics_[static_cast<size_t>(index)];
    lblTitle->setText(FromCp932(topic.Title));
    memTopic->setPlainText(FromCp932(ShownTopicText(topic.Text)));
    btnPrev->setEnabled(index > 0);
    btnNext->setEnabled(index + 1 < static_cast<int>(topics_.size()));
}

void THelp::btnPrevClick() { ShowTopic(CurrentTopic() - 1); }

void THelp::btnNextClick() { ShowTopic(CurrentTopic() + 1); }

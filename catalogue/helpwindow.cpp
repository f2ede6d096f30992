// The help window's topic list, page and buttons. Esc closes it, as any dialog.
#include "catalogue/helpwindow.h"

#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "ui_help.h"

THelp::THelp(std::vector<HelpTopic> topics, int context, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::THelp>()), topics_(std::move(topics)) {
    setFont(JapaneseFont(QStringLiteral("MS UI Gothic"), 13));
    ui->setupUi(this);
    ui->lblTitle->setFont(JapaneseFont(QStringLiteral("MS UI Gothic"), 16, true));
    for (const HelpTopic& topic : topics_) ui->lsTopics->addItem(FromCp932(topic.Title));

    connect(ui->lsTopics, &QListWidget::currentRowChanged, this,
            Guarded([this] { lsTopicsChange(); }));
    connect(ui->btnPrev, &QPushButton::clicked, this, Guarded([this] { btnPrevClick(); }));
    connect(ui->btnNext, &QPushButton::clicked, this, Guarded([this] { btnNextClick(); }));
    connect(ui->btnClose, &QPushButton::clicked, this, Guarded([this] { accept(); }));

    const int found = FindHelpTopic(topics_, context);
    ShowTopic(found >= 0 ? found : 0);
}

THelp::~THelp() = default;

int THelp::CurrentTopic() const { return ui->lsTopics->currentRow(); }

void THelp::ShowTopic(int index) {
    if (index < 0 || index >= static_cast<int>(topics_.size())) return;
    ui->lsTopics->setCurrentRow(index);
    lsTopicsChange();
}

void THelp::lsTopicsChange() {
    const int index = ui->lsTopics->currentRow();
    if (index < 0) return;
    const HelpTopic& topic = topics_[static_cast<size_t>(index)];
    ui->lblTitle->setText(FromCp932(topic.Title));
    ui->memTopic->setPlainText(FromCp932(ShownTopicText(topic.Text)));
    ui->btnPrev->setEnabled(index > 0);
    ui->btnNext->setEnabled(index + 1 < static_cast<int>(topics_.size()));
}

void THelp::btnPrevClick() { ShowTopic(CurrentTopic() - 1); }

void THelp::btnNextClick() { ShowTopic(CurrentTopic() + 1); }

// A picture control that reports clicks, like the platform's picture with a click handler.
// A disabled picture ignores clicks but looks the same: it is not greyed out.
#pragma once

#include <QLabel>

class TPicture : public QLabel {
    Q_OBJECT
  public:
    explicit TPicture(QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool pressed_ = false;
};

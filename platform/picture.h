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

// A window picture from the resources, ":/images/" + name + ".png". On a screen of more than one
// device pixel per pixel it is drawn from its "@2x" drawing where there is one; either way it
// shows at the plain drawing's size.
QPixmap WindowPicture(const QString& name, qreal devicePixelRatio);

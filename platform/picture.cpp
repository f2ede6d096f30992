// Click detection for pictures: a press and a release inside the picture with the left button.
#include "platform/picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

TPicture::TPicture(QWidget* parent) : QLabel(parent) {}

void TPicture::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void TPicture::mouseReleaseEvent(QMouseEvent* event) {
    bool click = pressed_ && event->button() == Qt::LeftButton &&
                 rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) emit clicked();
}

void TPicture::paintEvent(QPaintEvent* event) {
    const QPixmap picture = pixmap();
    if (picture.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawItemPixmap(&painter, contentsRect(), static_cast<int>(alignment()), picture);
}

QPixmap WindowPicture(const QString& name, qreal devicePixelRatio) {
    const QString base = QStringLiteral(":/images/") + name;
    if (devicePixelRatio > 1) {
        QPixmap dense(base + QStringLiteral("@2x.png"));
        if (!dense.isNull()) {
            dense.setDevicePixelRatio(2);
            return dense;
        }
    }
    return QPixmap(base + QStringLiteral(".png"));
}

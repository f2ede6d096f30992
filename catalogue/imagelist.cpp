// Image list storage.
#include "catalogue/imagelist.h"

int TImageList::Add(const QImage& image) {
    // The list's size is in window pixels; a picture for a dense screen keeps its extra detail.
    const qreal ratio = image.devicePixelRatio();
    const QSize pixels = size_ * ratio;
    QImage fitted = image.size() == pixels ? image : image.scaled(pixels);
    fitted.setDevicePixelRatio(ratio);
    images_.push_back(fitted);
    return Count() - 1;
}

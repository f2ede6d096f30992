// Image list storage.
#include "catalogue/imagelist.h"

int TImageList::Add(const QImage& image) {
    images_.push_back(image.size() == size_ ? image : image.scaled(size_));
    return Count() - 1;
}

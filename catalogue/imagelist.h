// An image list: pictures of one size addressed by index, as list items refer to them.
#pragma once

#include <QImage>
#include <QSize>
#include <vector>

class TImageList {
  public:
    explicit TImageList(QSize size) : size_(size) {}

    int Count() const { return static_cast<int>(images_.size()); }
    const QImage& Image(int index) const { return images_.at(static_cast<size_t>(index)); }

    // Appends a picture, fitted to the list's size, and returns its index.
    int Add(const QImage& image);
    void Clear() { images_.clear(); }

  private:
    QSize size_;
    std::vector<QImage> images_;
};

// An image view that stretches its picture over the whole widget.
#pragma once

#include <QImage>
#include <QWidget>

#include "desktop/core/jpeg_image.h"

class ImageView : public QWidget {
  Q_OBJECT

 public:
  explicit ImageView(QWidget* parent = nullptr);
  void setImage(const QImage& image);
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

// The decoded image as a QImage (a copy of its pixels); throws std::bad_alloc
// when Qt cannot hold it.
QImage toQImage(const RgbImage& rgb);

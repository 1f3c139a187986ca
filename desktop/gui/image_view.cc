#include "desktop/gui/image_view.h"

#include <QPainter>
#include <cstring>
#include <new>


ImageView::ImageView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void ImageView::setImage(const QImage& image) {
  image_ = image;
  update();
}

void ImageView::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), image_);
}

QImage toQImage(const RgbImage& rgb) {
  QImage image(rgb.width, rgb.height, QImage::Format_RGB888);
  if (image.isNull() && rgb.width > 0 && rgb.height > 0) throw std::bad_alloc();
  size_t rowBytes = static_cast<size_t>(rgb.width) * 3;
  for (int y = 0; y < rgb.height; ++y)
    std::memcpy(image.scanLine(y), rgb.pixels.data() + rowBytes * static_cast<size_t>(y), rowBytes);
  return image;
}

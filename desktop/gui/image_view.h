// An image view that stretches its picture over the whole widget.
#pragma once

#include <QImage>
#include <QWidget>

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

// Decodes a JPEG file with libjpeg into a QImage; throws ToolkitError when the
// file cannot be opened or decoded.
QImage loadJpegImage(const std::string& path);

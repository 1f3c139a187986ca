#include "tests/desktop/gui/gui_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "desktop/gui/window_links.h"
#include "platform/busy_cursor.h"
#include "tests/support/platform_doubles.h"

Skelda::Skelda() {
  inStart = std::make_unique<testing_support::CurrentDirScope>(start.path());
  platform::setBusyCursor(&cursor);
  form = std::make_unique<TForm1>(state);
  plot = std::make_unique<TCurForm>(state);
  linkWindows(*form, *plot);
  form->show();
  QApplication::processEvents();
}

Skelda::~Skelda() {
  plot.reset();
  form.reset();
  platform::setBusyCursor(nullptr);
  inStart.reset();
}

std::string Skelda::writeSample(const std::string& name, const std::string& text) {
  std::filesystem::create_directories(start.file("samples"));
  std::string path = start.file("samples/" + name);
  testing_support::writeFile(path, text);
  return path;
}

void Skelda::scan(const std::string& path) {
  form->fileNameValue->clear();
  QTest::keyClicks(form->fileNameValue, QString::fromLocal8Bit(path));
  form->btnScan->click();
}

std::string Skelda::boxList() const {
  std::string list;
  for (const auto& box : boxes.boxes) list += "[" + box.caption + "] " + box.text + "\n";
  return list;
}

void Skelda::writeUndecodableImages() const {
  testing_support::writeFile(startDirFile(state.StartDir, kCurtainImageName), "not a picture");
  testing_support::writeFile(startDirFile(state.StartDir, kProfileImageName), "not a picture either");
}

std::string saveScreenshot(QWidget* window, const std::string& name) {
  std::filesystem::create_directories(DESKTOP_SCREENSHOT_DIR);
  std::string path = std::string(DESKTOP_SCREENSHOT_DIR) + "/" + name;
  QApplication::processEvents();
  window->grab().save(QString::fromLocal8Bit(path), "PNG");
  return path;
}

// The application object: exceptions that escape an event handler are shown
// in a box and the program goes on.
#include <QFrame>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <stdexcept>

#include "desktop/core/plot_files.h"
#include "desktop/core/shared_state.h"
#include "desktop/core/toolkit_error.h"
#include "desktop/gui/curview.h"
#include "desktop/gui/parvixfscan.h"
#include "desktop/gui/skelda_application.h"
#include "tests/desktop/core/desktop_fixture.h"
#include "tests/desktop/gui/gui_fixture.h"
#include "tests/support/text_samples.h"

namespace {

// Throws from its event handler what the test asks for.
class Thrower : public QObject {
 public:
  int kind = 0;
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    if (kind == 0) throw ToolkitError("boom from a handler");
    if (kind == 1) throw std::runtime_error("a library's own complaint");
    throw 42;
  }
};

}  // namespace

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void escapedExceptionsAreShownInABox();
  void undecodableImagesAreShownByTheExceptionBox();
  void undecodableImagesOfAFirstPlotHideTheNotice();
  void undecodableImagesOfAReplotHideItsNotice();
};

void ApplicationTest::escapedExceptionsAreShownInABox() {
  testing_support::RecordingBoxes boxes;
  Thrower thrower;
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  thrower.kind = 1;
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  thrower.kind = 2;
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  QCOMPARE(boxes.boxes.size(), size_t(3));
  // The front end's own exception shows its message.
  QCOMPARE(boxes.boxes[0].text, std::string("boom from a handler"));
  QCOMPARE(boxes.boxes[0].caption, std::string("Skelda"));
  QCOMPARE(boxes.boxes[0].icon, platform::BoxIcon::Error);
  // Any other exception, also a standard one, is shown with an empty message.
  QCOMPARE(boxes.boxes[1].text, std::string());
  QCOMPARE(boxes.boxes[1].caption, std::string("Skelda"));
  QCOMPARE(boxes.boxes[2].text, std::string());
}

void ApplicationTest::undecodableImagesAreShownByTheExceptionBox() {
  Skelda app;
  FakeLauncher launcher;
  launcher.childRun = [&] { app.writeUndecodableImages(); };
  QTimer::singleShot(0, app.plot.get(), [&] { app.plot->btnReplot->click(); });
  QTest::qWait(50);
  QCOMPARE(launcher.started.size(), size_t(1));
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QVERIFY2(app.boxes.boxes[0].text.find("curtain_plot.jpg") != std::string::npos, app.boxList().c_str());
  QCOMPARE(app.boxes.boxes[0].caption, std::string("Skelda"));
  QVERIFY(!app.plot->isVisible());
  QVERIFY(!app.state.PlotsReady);
}

// The plot button's run passed but its images cannot be decoded: the
// exception box, and the wait notice is gone with the run.
void ApplicationTest::undecodableImagesOfAFirstPlotHideTheNotice() {
  Skelda app;
  FakeLauncher launcher;
  launcher.childRun = [&] { app.writeUndecodableImages(); };
  std::string path = app.writeSample(testing_support::profileFileName(), testing_support::validProfileText());
  app.scan(path);
  QVERIFY(app.form->CurPlotting->isEnabled());
  QTimer::singleShot(0, app.form.get(), [&] { app.form->CurPlotting->click(); });
  QTest::qWait(50);
  QCOMPARE(launcher.started.size(), size_t(1));
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QVERIFY2(app.boxes.boxes[0].text.find("curtain_plot.jpg") != std::string::npos, app.boxList().c_str());
  QCOMPARE(app.boxes.boxes[0].caption, std::string("Skelda"));
  QVERIFY(!app.state.PlotsReady);
  QVERIFY(!app.plot->isVisible());
  QVERIFY(!app.form->pMsg->isVisible());
}

// A Replot whose images cannot be decoded: the exception box, and the plot
// window's wait notice is gone with the run.
void ApplicationTest::undecodableImagesOfAReplotHideItsNotice() {
  Skelda app;
  FakeLauncher launcher;
  launcher.childRun = [&] { app.writeUndecodableImages(); };
  app.plot->show();
  QTimer::singleShot(0, app.plot.get(), [&] { app.plot->btnReplot->click(); });
  QTest::qWait(50);
  QCOMPARE(launcher.started.size(), size_t(1));
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QVERIFY2(app.boxes.boxes[0].text.find("curtain_plot.jpg") != std::string::npos, app.boxList().c_str());
  QCOMPARE(app.boxes.boxes[0].caption, std::string("Skelda"));
  QVERIFY(!app.state.PlotsReady);
  QVERIFY(!app.plot->pMsg->isVisible());
}

int main(int argc, char** argv) {
  SkeldaApplication app(argc, argv);
  ApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"

// Plot runs that fail, with stand-in plot programs: the wait notice goes with
// the run.
#include <QFrame>
#include <QPushButton>
#include <QTest>

#include "desktop/core/plot_files.h"
#include "desktop/core/shared_state.h"
#include "desktop/gui/skelda_application.h"
#include "tests/desktop/core/desktop_fixture.h"
#include "tests/desktop/gui/gui_fixture.h"
#include "tests/support/text_samples.h"

using testing_support::profileFileName;
using testing_support::validProfileText;
using testing_support::writeFile;

class FailedPlotTest : public QObject {
  Q_OBJECT

 private slots:
  void undecodableImagesHideTheWaitNotice();
};

void FailedPlotTest::undecodableImagesHideTheWaitNotice() {
  Skelda app;
  FakeLauncher launcher;
  std::string path = app.writeSample(profileFileName(), validProfileText());
  app.scan(path);
  QVERIFY(app.form->CurPlotting->isEnabled());
  launcher.childRun = [&] {
    writeFile(startDirFile(app.state.StartDir, kPlotLogName), "OK. Starting: \nOk. End:   \n");
    writeFile(startDirFile(app.state.StartDir, kCurtainImageName), "not a picture");
    writeFile(startDirFile(app.state.StartDir, kProfileImageName), "not a picture either");
  };
  app.form->CurPlotting->click();
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
  QVERIFY2(app.boxes.boxes[0].text.find("Cannot decode the image file ") == 0, app.boxList().c_str());
  QVERIFY(!app.state.PlotsReady);
  QVERIFY(!app.plot->isVisible());
  QVERIFY(!app.form->pMsg->isVisible());
  // Nor does a new scan bring it back.
  app.scan(path);
  QVERIFY(app.form->CurPlotting->isEnabled());
  QVERIFY(!app.form->pMsg->isVisible());
  QCOMPARE(app.boxes.boxes.size(), size_t(1));
}

int main(int argc, char** argv) {
  SkeldaApplication app(argc, argv);
  FailedPlotTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "failed_plot_test.moc"

// Skelda under a desktop whose locale writes numbers with a decimal comma: the
// scan report run inside the program has the same bytes as under the C locale.
// The test makes a German locale of its own (localedef) when the system has
// none, and skips itself when that is impossible.
#include <QTest>
#include <QTextBrowser>
#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>

#include "desktop/core/shared_state.h"
#include "desktop/gui/skelda_application.h"
#include "platform/process.h"
#include "tests/desktop/gui/gui_fixture.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

namespace {

const char kCommaLocale[] = "de_DE.UTF-8";

// Made before the application object exists, so in the C locale.
std::string sampleText;
std::string whyNoCommaLocale;

// A PROFILE file whose altitude step changes once: the report then holds a
// number written with "%.2f" ("deltaALT != 30.00").
std::string sampleWithAStepChange() {
  testing_support::ProfileBlock block;
  block.dataRows = testing_support::profileDataRows(10);
  block.dataRows[6] = testing_support::profileDataRow(100 + 6 * 30 + 5, 1.0e18, 43.0);
  return testing_support::profileFileText({block});
}

// Tried through setlocale, before the application object exists (newlocale
// would keep a copy of LOCPATH for ever).
bool hasDecimalComma(const char* name) {
  if (!std::setlocale(LC_NUMERIC, name)) return false;
  bool comma = std::string(localeconv()->decimal_point) == ",";
  std::setlocale(LC_NUMERIC, "C");
  return comma;
}

// Makes the comma locale available to this process, compiling it into a
// folder of its own (LOCPATH) when the system does not have it.
void provideCommaLocale(const std::string& folder) {
  if (hasDecimalComma(kCommaLocale)) return;
  platform::SystemProcessLauncher launcher;
  platform::StartRequest request{"localedef", {"-i", "de_DE", "-f", "UTF-8", folder + "/" + kCommaLocale}, "", false};
  platform::ChildProcess child;
  int error = 0;
  int status = 0;
  if (!launcher.start(request, &child, &error)) {
    whyNoCommaLocale = "localedef cannot be started";
    return;
  }
  launcher.wait(&child, 120000, &status);
  setenv("LOCPATH", folder.c_str(), 1);
  if (!hasDecimalComma(kCommaLocale)) whyNoCommaLocale = "no de_DE locale could be made (localedef, locales)";
}

}  // namespace

class LocaleTest : public QObject {
  Q_OBJECT

 private slots:
  void reportBytesDoNotFollowTheUsersLocale();
};

void LocaleTest::reportBytesDoNotFollowTheUsersLocale() {
  if (!whyNoCommaLocale.empty()) QSKIP(whyNoCommaLocale.c_str());
  // Qt took the process locale from the environment...
  QVERIFY2(std::string(std::setlocale(LC_CTYPE, nullptr)).find("de_DE") != std::string::npos,
           std::setlocale(LC_CTYPE, nullptr));
  testing_support::FixedClock clock(2018, 5, 2);
  Skelda app;
  std::string path = app.writeSample(testing_support::profileFileName(), sampleText);
  app.scan(path);
  std::string underDesktop = testing_support::readFile(path + "__ScanMsgs.htm");
  QVERIFY2(underDesktop.find("deltaALT != 30.00") != std::string::npos, underDesktop.c_str());

  // Numbers follow the C locale inside the program.
  QCOMPARE(std::string(localeconv()->decimal_point), std::string("."));
  std::setlocale(LC_ALL, "C");
  app.scan(path);
  std::string underC = testing_support::readFile(path + "__ScanMsgs.htm");
  QVERIFY(!underC.empty());
  QCOMPARE(underDesktop, underC);
}

int main(int argc, char** argv) {
  sampleText = sampleWithAStepChange();
  testing_support::TempDir locales;
  provideCommaLocale(locales.path());
  setenv("LC_ALL", kCommaLocale, 1);
  SkeldaApplication app(argc, argv);
  LocaleTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "locale_test.moc"

#include "hdfverify/verifier_driver.h"

#include <fstream>
#include <memory>

#include "hdfverify/geoms_checker.h"
#include "hdfverify/report_writer.h"
#include "hdfverify/text_utils.h"
#include "platform/text.h"

namespace hdfverify {
namespace {

struct StepFrame {
  bool (GeomsChecker::*step)(std::string&);
  const char* header;
  const char* failure;  // one %s: the step buffer's text
  const char* closing;
};

const StepFrame kLaterSteps[] = {
    {&GeomsChecker::Verify_2, "### Checking Global Attributes.... Verify_2 ....\n\n",
     "*** ERROR: Global Attribute\n%s\n\n", "\n<h2>.... Verify_2 .... Done!</h2>\n<hr>"},
    {&GeomsChecker::Verify_3, "### Checking Filename (Attributes).... Verify_3 ....\n\n",
     "*** ERROR: Incorrect Filename\n%s\n\n", "\n<h2>.... Verify_3 .... Done!</h2>\n<hr>"},
    {&GeomsChecker::Verify_4, "### Checking Mandatory Variables.... Verify_4 .... \n\n",
     "*** ERROR Checking Mandatory Variables Failed\n%s\n\n", "\n<h2>.... Verify_4 .... Done!</h2>\n<hr>"},
    {&GeomsChecker::Verify_5, "### Checking Individual VAR Attributes.... Verify_5 .... \n\n",
     "*** ERROR: Checking VAR Attributes Failed\n%s\n\n", "\n<h2>.... Verify_5 .... Done!</h2>\n<hr>"},
    {&GeomsChecker::Verify_6,
     "### Checking VAR (SDS) Data: Min's, Max's, Fill's, DateTime's, Alt's.... Verify_6 .... \n\n",
     "*** ERROR: Checking VAR Data Failed\n%s\n\n", "\n<h2>.... Verify_6 .... Done!</h2>\n<hr>"},
};

}  // namespace

std::string reportPathFor(const std::string& hdfPath) { return hdfPath + "_.err"; }

int runVerifier(const std::vector<std::string>& args) {
  auto checker = std::make_unique<GeomsChecker>();
  std::vector<std::string> messages;
  std::string stepBuffer;
  int verdict = 0;

  if (args.size() != 3) {
    std::string program = args.empty() ? std::string() : args[0];
    messages.push_back(
        platform::formatText("# USAGE: %s  hdf_file_to_check  GEOMS_template_file\n", esc(program).c_str()));
    verdict = -1;
  } else {
    const std::string& hdfPath = args[1];
    const std::string& templatePath = args[2];
    messages.push_back(platform::formatText(
        "### Starting Scanning.... Verify_1 ....\n# HDF File: %s\n# Template File: %s\n\n", esc(hdfPath).c_str(),
        esc(templatePath).c_str()));
    if (!checker->Verify_1(hdfPath, templatePath, stepBuffer)) {
      messages.push_back(
          platform::formatText("*** ERROR: HDF Scanning Failed (see also below)\n%s\n\n", stepBuffer.c_str()));
      verdict = 1;
    } else {
      if (stepBuffer.size() > 1) messages.push_back(stepBuffer);
      messages.push_back("\n<h2>.... Verify_1 .... Done!</h2>\n<hr>");
      for (const StepFrame& frame : kLaterSteps) {
        messages.push_back(frame.header);
        if (!((*checker).*(frame.step))(stepBuffer)) {
          messages.push_back(platform::formatText(frame.failure, stepBuffer.c_str()));
          verdict = 1;
          break;
        }
        if (stepBuffer.size() > 1) messages.push_back(stepBuffer);
        messages.push_back(frame.closing);
      }
    }
  }

  messages.push_back(verdict == 0 ? "@@@ <h1>Success -- File passed format check!</h1>\n\n^End.0"
                                  : "*** <h1>Failed file format check.</h1>\n\n^End.1");

  std::string reportPath = verdict == -1 ? std::string(kUsageReportName) : reportPathFor(args[1]);
  std::ofstream report(reportPath, std::ios::binary | std::ios::trunc);
  if (report) {
    writeReport(messages, report);
    report.close();
  }
  closeHdfFile();
  checker.reset();
  return 0;
}

}  // namespace hdfverify

#include "hdfverify/verifier_driver.h"

#include <string.h>

#include <cstdio>
#include <functional>
#include <sstream>

#include "hdfverify/geoms_checker.h"
#include "hdfverify/report_writer.h"
#include "hdfverify/text_utils.h"
#include "platform/forked_work.h"
#include "platform/replacing_file.h"
#include "platform/text.h"

namespace hdfverify {
namespace {

struct StepFrame {
  bool (GeomsChecker::*step)(std::string*);
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

// Runs the six steps on the file with the checker, handing every message to
// append as it is made; returns the verdict (0 passed, 1 failed).
int runSteps(GeomsChecker& checker, const std::string& hdfPath, const std::string& templatePath,
             const VerifierOptions& options, const std::function<void(const std::string&)>& append) {
  std::string stepBuffer;
  auto before = [&](int step) {
    if (options.beforeStep) options.beforeStep(step);
  };
  before(1);
  if (!checker.Verify_1(hdfPath, templatePath, &stepBuffer)) {
    append(platform::formatText("*** ERROR: HDF Scanning Failed (see also below)\n%s\n\n", stepBuffer.c_str()));
    return 1;
  }
  if (stepBuffer.size() > 1) append(stepBuffer);
  append("\n<h2>.... Verify_1 .... Done!</h2>\n<hr>");
  int step = 2;
  for (const StepFrame& frame : kLaterSteps) {
    append(frame.header);
    before(step++);
    if (!(checker.*(frame.step))(&stepBuffer)) {
      append(platform::formatText(frame.failure, stepBuffer.c_str()));
      return 1;
    }
    if (stepBuffer.size() > 1) append(stepBuffer);
    append(frame.closing);
  }
  return 0;
}

// The report's first message, before the steps run.
std::string startMessage(const std::string& hdfPath, const std::string& templatePath) {
  return platform::formatText("### Starting Scanning.... Verify_1 ....\n# HDF File: %s\n# Template File: %s\n\n",
                              esc(hdfPath).c_str(), esc(templatePath).c_str());
}

// The report's last message, with the marker line of the verdict.
std::string finalMessage(int verdict) {
  return verdict == 0 ? "@@@ <h1>Success -- File passed format check!</h1>\n\n^End.0"
                      : "*** <h1>Failed file format check.</h1>\n\n^End.1";
}

// The message that takes the place of the missing rest when the checks ended
// before their verdict.
std::string abnormalEndMessage(const platform::ForkedEnd& end, long long timeLimitMs) {
  switch (end.kind) {
    case platform::ForkedEnd::Signalled:
      if (!platform::isCrashSignal(end.signal)) {
        return platform::formatText(
            "*** ERROR: The check of the HDF file was ended from outside by signal %d (%s), by a user or by the "
            "system (when memory ran out, for example); the file was not checked to its end.\n\n",
            end.signal, strsignal(end.signal));
      }
      return platform::formatText(
          "*** ERROR: The check of the HDF file was ended by signal %d (%s), most likely a crash of the HDF4 "
          "library on a damaged file; the file was not checked to its end.\n\n",
          end.signal, strsignal(end.signal));
    case platform::ForkedEnd::TimedOut:
      return platform::formatText(
          "*** ERROR: The check of the HDF file did not finish within %lld ms and was stopped; the HDF4 library "
          "may be looping on a damaged file. The file was not checked to its end.\n\n",
          timeLimitMs);
    case platform::ForkedEnd::WaitFailed:
      return platform::formatText(
          "*** ERROR: The check of the HDF file ended before its verdict, and waiting for it failed (%s), so how "
          "it ended is not known; the file was not checked to its end.\n\n",
          strerror(end.waitError));
    case platform::ForkedEnd::Exited:
      break;
  }
  return platform::formatText(
      "*** ERROR: The check of the HDF file ended with exit status %d before its verdict; the file was not "
      "checked to its end.\n\n",
      end.exitStatus);
}

// Records between the checking child and the driver: a message ('M' and its
// text), and at the end the verdict ('V' and '0' or '1').
int runStepsInChild(const std::string& hdfPath, const std::string& templatePath, const VerifierOptions& options,
                    std::vector<std::string>& messages) {
  bool finished = false;
  int verdict = 1;
  platform::ForkedEnd end = platform::runForked(
      [&](const platform::RecordSender& send) {
        GeomsChecker checker;
        int childVerdict = runSteps(checker, hdfPath, templatePath, options, [&](const std::string& message) {
          send("M" + message);
        });
        send(childVerdict == 0 ? "V0" : "V1");
        checker.closeHdfFile();
      },
      [&](const std::string& record) {
        if (record.rfind('M', 0) == 0) {
          messages.push_back(record.substr(1));
          if (options.onMessage) options.onMessage(messages.back());
        } else if (record.rfind('V', 0) == 0) {
          finished = true;
          verdict = record == "V0" ? 0 : 1;
        }
      },
      options.timeLimitMs);
  if (!finished) {
    messages.push_back(abnormalEndMessage(end, options.timeLimitMs));
    verdict = 1;
  }
  return verdict;
}

}  // namespace

std::string reportPathFor(const std::string& hdfPath) { return hdfPath + "_.err"; }

int checkFileInProcess(GeomsChecker& checker, const std::string& hdfPath, const std::string& templatePath,
                       std::vector<std::string>* messages, const VerifierOptions& options) {
  messages->push_back(startMessage(hdfPath, templatePath));
  int verdict = runSteps(checker, hdfPath, templatePath, options, [&](const std::string& message) {
    messages->push_back(message);
    if (options.onMessage) options.onMessage(message);
  });
  messages->push_back(finalMessage(verdict));
  return verdict;
}

int runVerifier(const std::vector<std::string>& args, const VerifierOptions& options) {
  std::vector<std::string> messages;
  int verdict = 0;

  if (args.size() != 3) {
    std::string program = args.empty() ? std::string() : args[0];
    messages.push_back(
        platform::formatText("# USAGE: %s  hdf_file_to_check  GEOMS_template_file\n", esc(program).c_str()));
    verdict = -1;
  } else {
    const std::string& hdfPath = args[1];
    const std::string& templatePath = args[2];
    messages.push_back(startMessage(hdfPath, templatePath));
    verdict = runStepsInChild(hdfPath, templatePath, options, messages);
  }

  messages.push_back(finalMessage(verdict));

  std::string reportPath = verdict == -1 ? std::string(kUsageReportName) : reportPathFor(args[1]);
  std::ostringstream text;
  writeReport(messages, text);
  // The report takes its name only when it is whole: a reader never finds a
  // cut report without its marker line there, and a link at the name is
  // replaced, never written through.
  platform::ReplacingFile report;
  int error = 0;
  bool written = report.create(reportPath, &error);
  if (written) {
    report.write(text.view());
    written = report.finish(&error);
  }
  if (!written)
    std::fprintf(stderr, "Quessel: could not write the report %s: %s\n", reportPath.c_str(), strerror(error));
  return 0;
}

}  // namespace hdfverify

// The fourth step: the file's variables held against the template's rows.
#include <string>

#include "hdfverify/geoms_checker.h"
#include "hdfverify/text_utils.h"
#include "platform/text.h"

namespace hdfverify {
namespace {

constexpr int kExpectedMandatoryRows = 21;

const char* const kAxisVariables[] = {"LATITUDE.INSTRUMENT", "LONGITUDE.INSTRUMENT", "ALTITUDE.INSTRUMENT",
                                      "ALTITUDE",            "DATETIME",             "DATETIME.START",
                                      "DATETIME.STOP",       "INTEGRATION.TIME"};

}  // namespace

bool GeomsChecker::Verify_4(std::string* stepBuffer) {
  stepBuffer->clear();
  int found = 0;
  int missing = 0;
  for (size_t p = 0; p < templateRecords.size(); ++p) {
    const TemplateRecord& row = templateRecords[p];
    char kind = platform::toLowerAscii(row.flag);
    if (kind == 'x') {
      if (isInList(hdfVarNames, row.varName)) {
        ++found;
      } else {
        *stepBuffer += platform::formatText("** ERROR MISSING Mandatory Variable: %s not found in HDF file\n",
                                           esc(row.varName).c_str());
        ++missing;
      }
    } else if (kind == 'o') {
      if (!isInList(hdfVarNames, row.varName)) {
        *stepBuffer += platform::formatText(
            "## WARNING [VAR_NOT_MANDATORY]: Optional data variable not found in file - VAR_NAME = %s\n\n",
            esc(row.varName).c_str());
      }
    } else {
      *stepBuffer += platform::formatText("** ERROR template_file_variables[%d]: Last column contains unknown value (",
                                         static_cast<int>(p + 1));
      *stepBuffer += esc(std::string(1, row.flag));
      *stepBuffer += ")\n";
    }
  }

  if (missing > 0) {
    *stepBuffer += platform::formatText(
        "** ERROR(a1): Missing [%d] Mandatory Variable(s) as described in the template_file\n", missing);
    return false;
  }
  if (found != kExpectedMandatoryRows) {
    *stepBuffer += platform::formatText(
        "** ERROR(a2): Missing [%d] Mandatory Variable(s) as described in the template_file\n",
        kExpectedMandatoryRows - found);
    return false;
  }

  int notInTemplate = 0;
  for (const std::string& name : hdfVarNames) {
    if (!isInList(templateVarNames, name)) {
      *stepBuffer += platform::formatText("** ERROR MISSING Variable: %s not found in the template_file\n",
                                         esc(name).c_str());
      ++notInTemplate;
    }
  }
  if (notInTemplate > 0) {
    *stepBuffer += platform::formatText(
        "** ERROR(a3): HDF file missing %d variable(s): All Variables described in the template_file must exist\n",
        notInTemplate);
    return false;
  }

  int wrongDepend = 0;
  for (const char* axis : kAxisVariables) {
    int inFile = indexInList(hdfVarNames, axis);
    int inTemplate = indexInList(templateVarNames, axis);
    // An axis variable that the file or the template lacks has nothing to compare
    // (a mandatory one missing from the file was reported above).
    if (inFile < 0 || inTemplate < 0) continue;
    const std::string& depend = variables[static_cast<size_t>(inFile)].varDepend;
    const std::string& options = templateRecords[static_cast<size_t>(inTemplate)].varDependOptions;
    if (depend != options) {
      *stepBuffer += platform::formatText(
          "** ERROR: %s \"VAR_DEPEND\" Attribute in HDF file (%s) and template_file (%s) not matching\n", axis,
          esc(depend).c_str(), esc(options).c_str());
      ++wrongDepend;
    }
  }
  if (wrongDepend > 0) {
    *stepBuffer += platform::formatText(
        "** ERROR(4a): HDF file has %d variable(s) with \"VAR_DEPEND\" values not matching the template_file\n",
        wrongDepend);
    return false;
  }

  int outOfOrder = 0;
  for (size_t j = 0; j < templateRecords.size(); ++j) {
    if (platform::toLowerAscii(templateRecords[j].flag) != 'x') continue;
    // A position that the file or DATA_VARIABLES does not reach counts as out of order.
    if (j >= hdfVarNames.size() || templateRecords[j].varName != hdfVarNames[j] || j >= dataVariables.size() ||
        hdfVarNames[j] != dataVariables[j]) {
      ++outOfOrder;
    }
  }
  if (outOfOrder > 0) {
    *stepBuffer += platform::formatText(
        "## WARNING: %d variable(s) in HDF file and the template file are NOT in correct matching order (VarList "
        "order)\n",
        outOfOrder);
  }
  return true;
}

}  // namespace hdfverify

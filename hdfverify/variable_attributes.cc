// The fifth step: the VAR attributes of every dataset against the template and
// against the dataset itself.
#include <optional>
#include <string>
#include <vector>

#include "hdfverify/geoms_checker.h"
#include "hdfverify/si_conversion.h"
#include "hdfverify/text_utils.h"
#include "platform/text.h"

namespace hdfverify {
namespace {

// The dataset's dimension sizes as VAR_SIZE writes them: the first size, then
// ";" and each further size that is not 1.
std::string dimensionText(const Variable& variable) {
  std::string text;
  for (size_t d : listedDimensions(variable)) text += (text.empty() ? "" : ";") + std::to_string(variable.dims[d]);
  return text;
}

bool onlyDigits(const std::string& text) { return text.find_first_not_of("0123456789") == std::string::npos; }

bool checkVarSize(const GeomsChecker& checker, const Variable& v, std::string* buffer) {
  const std::string name = esc(v.varName);
  std::string dims = dimensionText(v);
  std::vector<std::string> pieces = splitString(v.varSize, ';');
  for (const std::string& piece : pieces) {
    if (onlyDigits(piece)) continue;
    if (pieces.size() > 1) {
      *buffer = platform::formatText(
          "** ERROR Variable: %s\n** VAR attribute \"VAR_SIZE\" should ONLY contain integers [plus semicolons ONLY "
          "when separating sizes (multi-dimension)]\nValue read from HDF file VAR_SIZE = %s\n",
          name.c_str(), esc(v.varSize).c_str());
    } else {
      *buffer = platform::formatText(
          "** ERROR variable: %s\n** VAR attribute \"VAR_SIZE\" should ONLY contain integers\nValue read from HDF "
          "file VAR_SIZE = %s\n",
          name.c_str(), esc(v.varSize).c_str());
    }
    return false;
  }
  if (v.varDataType != "STRING" && v.varSize != dims) {
    *buffer = platform::formatText(
        "** ERROR Variable: %s\n** VAR_SIZE is different than variable dimension\nValues read from HDF "
        "file:\nVAR_SIZE = %s\nVariable dimension (SDS) = %s\n",
        name.c_str(), esc(v.varSize).c_str(), dims.c_str());
    return false;
  }
  int sizeCount = countChar(v.varSize, ';');
  int dependCount = countChar(v.varDepend, ';');
  if (sizeCount == 0 && v.varDepend == "CONSTANT" && v.varSize != "1") {
    *buffer = platform::formatText(
        "** ERROR Variable: %s\n** VAR attribute \"VAR_SIZE\" should be \"1\" (its VAR_DEPEND=\"%s\")\n** Value read "
        "from HDF file VAR_SIZE = %s\n",
        name.c_str(), esc(v.varDepend).c_str(), esc(v.varSize).c_str());
    return false;
  }
  if (dependCount == 0) return true;
  if (sizeCount != dependCount) {
    *buffer = platform::formatText(
        "** ERROR Variable: %s\n** VAR attributes \"VAR_SIZE\" and \"VAR_DEPEND\" should have the same number of "
        "items (semicolon-separated fields)\nValues read from HDF file: VAR_SIZE has %d items, VAR_DEPEND has %d "
        "items\n",
        name.c_str(), sizeCount + 1, dependCount + 1);
    return false;
  }
  std::vector<std::string> items = splitString(v.varDepend, ';');
  std::string expected;
  for (size_t i = 0; i < items.size(); ++i) {
    for (const Variable& other : checker.variables) {
      if (other.varName == items[i]) expected += other.varSize;
    }
    if (i + 1 < items.size()) expected += ";";
  }
  std::vector<std::string> sizePieces = splitString(v.varSize, ';');
  std::vector<std::string> expectedPieces = splitString(expected, ';');
  auto pieceAt = [](const std::vector<std::string>& list, size_t i) { return i < list.size() ? list[i] : std::string(); };
  for (size_t i = 0; i < items.size(); ++i) {
    if (pieceAt(sizePieces, i) != pieceAt(expectedPieces, i)) {
      *buffer = platform::formatText(
          "** ERROR Variable: %s\n** VAR attribute VAR_SIZE = %s is inconsistent with VAR_DEPEND\nValues read from "
          "HDF file:\n -- VAR_DEPEND = %s\n -- Expected Value for VAR_SIZE = %s\n",
          name.c_str(), esc(v.varSize).c_str(), esc(v.varDepend).c_str(), esc(expected).c_str());
      return false;
    }
  }
  return true;
}

bool checkDependRule(const GeomsChecker& checker, const Variable& v, std::string* buffer) {
  const std::string name = esc(v.varName);
  if (v.varDepend == "CONSTANT") {
    if (platform::leadingLong(v.varSize) != 1) {
      *buffer = platform::formatText("** ERROR Variable: %s\n** VAR_DEPEND = \"%s\" but its VAR_SIZE = %s (it should be %d)\n",
                                    name.c_str(), esc(v.varDepend).c_str(), esc(v.varSize).c_str(), 1);
      return false;
    }
    return true;
  }
  if (v.varDepend == "DATETIME" || v.varDepend == "ALTITUDE") {
    int index = v.varDepend == "DATETIME" ? checker.dateTimeIndex : checker.altitudeIndex;
    if (index < 0 || static_cast<size_t>(index) >= checker.variables.size()) {
      *buffer = platform::formatText(
          "** ERROR Variable: %s\n** VAR_DEPEND = \"%s\" but the HDF file has no variable \"%s\"\n", name.c_str(),
          esc(v.varDepend).c_str(), esc(v.varDepend).c_str());
      return false;
    }
    int32_t own = platform::leadingLong(v.varSize);
    int32_t other = platform::leadingLong(checker.variables[static_cast<size_t>(index)].varSize);
    if (own != other) {
      *buffer = platform::formatText(
          "** ERROR Variable: %s\n** VAR_DEPEND = \"%s\" but its VAR_SIZE = %s (it should be %d [same size as "
          "variable \"%s\"])\n",
          name.c_str(), esc(v.varDepend).c_str(), esc(v.varSize).c_str(), static_cast<int>(other),
          esc(v.varDepend).c_str());
      return false;
    }
  }
  return true;
}

bool checkValues(const Variable& v, std::string* buffer) {
  const std::string name = esc(v.varName);
  double min = v.validMin;
  double max = v.validMax;
  double fill = v.fillValue;
  bool allEqual = min == max && max == fill;
  if (!allEqual && (min > max || (min <= fill && fill <= max))) {
    *buffer = platform::formatText(
        "** ERROR Variable: %s\n** VAR attributes VAR_VALID_MIN, VAR_VALID_MAX, and/or VAR_FILL_VALUE seem "
        "incorrect.\nValues read from HDF file:\nVAR_VALID_MIN = %f\nVAR_VALID_MAX = %f\nVAR_FILL_VALUE = %f\n",
        name.c_str(), min, max, fill);
    return false;
  }
  if (v.varName.find("LATITUDE") != std::string::npos) {
    if (max > 90.0 || min < -90.0) {
      *buffer = platform::formatText(
          "** ERROR Variable: %s\n** VAR attributes VAR_VALID_MIN and/or VAR_VALID_MAX seem incorrect.\nValues read "
          "from HDF file:\nVAR_VALID_MIN = %f (Must NOT be LESS_THAN -90.0)\nVAR_VALID_MAX = %f (Must NOT be "
          "GREATER_THAN 90.0)\n",
          name.c_str(), min, max);
      return false;
    }
  } else if (v.varName.find("LONGITUDE") != std::string::npos) {
    if (max > 180.0 || min < -180.0) {
      *buffer = platform::formatText(
          "** ERROR Variable: %s\n** VAR attributes VAR_VALID_MIN and/or VAR_VALID_MAX seem NOT correct.\nValues "
          "read from HDF file:\nVAR_VALID_MIN = %f (Must NOT be LESS_THAN -180.0)\nVAR_VALID_MAX = %f (Must NOT be "
          "GREATER_THAN 180.0)\n",
          name.c_str(), min, max);
      return false;
    }
  }
  return true;
}

}  // namespace

bool checkVarDepend(const std::string& options, const std::string& varDepend, const std::string& varName, char flag,
                    std::string* stepBuffer) {
  std::string text = options;
  if (text.size() >= 2 && text.front() == '[' && text.back() == ']') text = text.substr(1, text.size() - 2);
  std::vector<std::string> list = splitString(text, '|');
  if (isInList(list, varDepend)) return true;
  const char* phrase = list.size() > 1 ? "one of these options [variables]" : "";
  if (flag == 'x') {
    *stepBuffer = platform::formatText(
        "** ERROR Variable: %s\n** Wrong VAR_DEPEND\n** VAR_DEPEND = \"%s\" (it should be %s \"%s\" as defined in "
        "the template_file)\n\n",
        esc(varName).c_str(), esc(varDepend).c_str(), phrase, esc(options).c_str());
  } else if (flag == 'o') {
    *stepBuffer = platform::formatText(
        "## WARNING Variable: %s\n## Wrong VAR_DEPEND\n## VAR_DEPEND = \"%s\" (it should be %s \"%s\" as defined in "
        "the template_file)\n\n",
        esc(varName).c_str(), esc(varDepend).c_str(), phrase, esc(options).c_str());
  }
  return false;
}

bool GeomsChecker::checkVarAttributes(const Variable& variable, const std::string& attributeName,
                                      std::string* stepBuffer) {
  int rowIndex = indexInList(templateVarNames, variable.varName);
  TemplateRecord row;
  if (rowIndex >= 0) row = templateRecords[static_cast<size_t>(rowIndex)];
  const Variable& v = variable;
  const std::string name = esc(v.varName);

  if (attributeName == "VAR_UNITS") {
    if (v.varUnits == row.varUnits) return true;
    *stepBuffer = platform::formatText(
        "** ERROR Variable: %s\n** Wrong units\n** VAR_UNITS = \"%s\" (it should be \"%s\" as defined in the "
        "template_file)\n\n",
        name.c_str(), esc(v.varUnits).c_str(), esc(row.varUnits).c_str());
    return false;
  }
  if (attributeName == "VAR_SIZE") return checkVarSize(*this, v, stepBuffer);
  if (attributeName == "VAR_DEPEND") return checkDependRule(*this, v, stepBuffer);
  if (attributeName == "VAR_DESCRIPTION") {
    if (v.varDescription.size() >= 3) return true;
    *stepBuffer = platform::formatText(
        "** ERROR Variable: %s\n** VAR_DESCRIPTION seems invalid (too short [length < 3]).\nValue read from HDF "
        "file:\nVAR_DESCRIPTION = \"%s\" \nNote: VAR_DESCRIPTION should clearly identify the variable\n",
        name.c_str(), esc(v.varDescription).c_str());
    return false;
  }
  if (attributeName == "VAR_DATA_TYPE") {
    bool known = false;
    for (const char* type : {"STRING", "BYTE", "INTEGER", "SHORT", "REAL", "DOUBLE"}) {
      if (equalsIgnoreCase(row.varDataType, type)) {
        known = true;
        break;
      }
    }
    if (!known) {
      *stepBuffer = platform::formatText("** ERROR Variable %s:\n** Unknown Data Type \"%s\" found in the template_file\n",
                                        name.c_str(), esc(row.varDataType).c_str());
      return false;
    }
    if (v.varDataType == row.varDataType) return true;
    *stepBuffer = platform::formatText(
        "** ERROR Variable: %s\n** Wrong data_type\n** VAR_DATA_TYPE = \"%s\" (it should be \"%s\" as defined in the "
        "template_file)\n",
        name.c_str(), esc(v.varDataType).c_str(), esc(row.varDataType).c_str());
    return false;
  }
  if (attributeName == "VAR_SI_CONVERSION") {
    if (v.varDataType != "STRING") {
      if (countChar(v.varSiConversion, ';') != 2) {
        *stepBuffer = platform::formatText(
            "** ERROR Variable: %s\n** VAR attribute \"VAR_SI_CONVERSION\" should only contain \"Offset;Conversion "
            "factor;Base unit\" (3 semicolon-separated fields)\nValue read from HDF file VAR_SI_CONVERSION = \"%s\" \n",
            name.c_str(), esc(v.varSiConversion).c_str());
        return false;
      }
    } else if (v.varSiConversion.size() > 1) {
      *stepBuffer = platform::formatText(
          "** ERROR Variable: %s\n** VAR attribute VAR_DATA_TYPE=%s but its VAR_SI_CONVERSION is not [empty]\nValue "
          "read from HDF file VAR_SI_CONVERSION = \"%s\" \n",
          name.c_str(), esc(v.varDataType).c_str(), esc(v.varSiConversion).c_str());
      return false;
    }
    std::string expected;
    if (v.varDataType == "INTEGER") {
      expected = v.varUnits == "m" ? "0;1;m" : v.varUnits == "n" ? "0;1E-9;m" : " ";
    } else {
      expected = siConversionFor(v.varUnits);
    }
    if (expected == " " && v.varSiConversion.empty()) expected.clear();
    if (equalsIgnoreCase(v.varSiConversion, expected)) return true;
    *stepBuffer = platform::formatText(
        "** ERROR Variable: %s\n** VAR attribute VAR_SI_CONVERSION is not correct per its VAR_UNITS\nValues read "
        "from HDF file:\nVAR_UNITS = %s\nVAR_SI_CONVERSION from file = \"%s\"\nVAR_SI_CONVERSION Expected = \"%s\" \n",
        name.c_str(), esc(v.varUnits).c_str(), esc(v.varSiConversion).c_str(), esc(expected).c_str());
    return false;
  }
  if (attributeName == "VAR_VALID_MIN" || attributeName == "VAR_VALID_MAX" || attributeName == "VAR_FILL_VALUE") {
    return checkValues(v, stepBuffer);
  }
  return true;
}

bool GeomsChecker::Verify_5(std::string* stepBuffer) {
  std::string listing;
  const int attributeTotal = static_cast<int>(varAttributeNames.size());
  for (size_t i = 0; i < variables.size(); ++i) {
    const Variable& v = variables[i];
    int rowIndex = indexInList(templateVarNames, v.varName);
    if (rowIndex < 0) {
      // Not reached after a passing mandatory-variable step, which requires a row
      // for every variable of the file.
      *stepBuffer = platform::formatText("** ERROR MISSING Variable: %s not found in the template_file\n",
                                        esc(v.varName).c_str());
      return false;
    }
    const TemplateRecord& row = templateRecords[static_cast<size_t>(rowIndex)];
    char flag = platform::toLowerAscii(row.flag);
    if (!checkVarDepend(row.varDependOptions, v.varDepend, v.varName, flag, stepBuffer)) return false;
    stepBuffer->clear();
    if (v.attrCount < attributeTotal) {
      *stepBuffer = platform::formatText(
          "** ERROR Variable: %s\n** Num of Attributes (N = %d) seems incorrect, Expecting at least %d Attributes:",
          esc(v.varName).c_str(), v.attrCount, attributeTotal);
      for (const std::string& attributeName : varAttributeNames) {
        *stepBuffer += platform::formatText("\n  %s", attributeName.c_str());
      }
      return false;
    }
    if (flag != 'x') continue;
    listing += platform::formatText("### Checking Var[%d]:\n", static_cast<int>(i + 1));
    listing += platform::formatText("# VAR_NAME = %s\n", esc(v.varName).c_str());
    listing += platform::formatText("# VAR_UNITS = %s\n", esc(v.varUnits).c_str());
    listing += platform::formatText("# VAR_SIZE = %s (rank = %d)\n", esc(v.varSize).c_str(), v.rank);
    listing += platform::formatText("# VAR_DEPEND = %s\n", esc(v.varDepend).c_str());
    listing += platform::formatText("# VAR_DESCRIPTION = %s\n", esc(v.varDescription).c_str());
    listing += platform::formatText("# VAR_DATA_TYPE = %s\n", esc(v.varDataType).c_str());
    listing += platform::formatText("# VAR_SI_CONVERSION = %s\n", esc(v.varSiConversion).c_str());
    listing += platform::formatText("# VAR_VALID_MIN = %f\n", v.validMin);
    listing += platform::formatText("# VAR_VALID_MAX = %f\n", v.validMax);
    listing += platform::formatText("# VAR_FILL_VALUE = %f\n\n", v.fillValue);
    for (const std::string& attributeName : varAttributeNames) {
      std::string message;
      if (!checkVarAttributes(v, attributeName, &message)) {
        *stepBuffer = listing + message;
        return false;
      }
    }
  }

  // The VAR_SIZE of a group member that the file lacks is not compared (only a
  // template that leaves it optional lets the file lack it).
  auto sizeOf = [&](const char* name) -> std::optional<std::string> {
    int index = indexInList(hdfVarNames, name);
    if (index < 0) return std::nullopt;
    return variables[static_cast<size_t>(index)].varSize;
  };
  auto differ = [](const std::optional<std::string>& a, const std::optional<std::string>& b) {
    return a && b && *a != *b;
  };
  auto shown = [](const std::optional<std::string>& size) { return size ? esc(*size) : std::string("(missing)"); };

  auto latitude = sizeOf("LATITUDE.INSTRUMENT");
  auto longitude = sizeOf("LONGITUDE.INSTRUMENT");
  auto altitude = sizeOf("ALTITUDE.INSTRUMENT");
  if (differ(latitude, longitude) || differ(altitude, latitude) || (!latitude && differ(altitude, longitude))) {
    *stepBuffer = listing + platform::formatText(
                               "** ERROR: LATITUDE, LONGITUDE and ALTITUDE have different VAR_SIZE\n "
                               "LATITUDE.INSTRUMENT VAR_SIZE = %s\n LONGITUDE.INSTRUMENT VAR_SIZE =  %s\n "
                               "ALTITUDE.INSTRUMENT VAR_SIZE =  %s\n",
                               shown(latitude).c_str(), shown(longitude).c_str(), shown(altitude).c_str());
    return false;
  }
  auto dateTime = sizeOf("DATETIME");
  auto start = sizeOf("DATETIME.START");
  auto stop = sizeOf("DATETIME.STOP");
  auto integration = sizeOf("INTEGRATION.TIME");
  if (differ(start, dateTime) || differ(stop, dateTime) || differ(integration, dateTime)) {
    *stepBuffer = listing + platform::formatText(
                               "** ERROR: DATETIME Var(s) and INTEGRATION.TIME have different VAR_SIZE\n DATETIME "
                               "VAR_SIZE = %s\n DATETIME.START VAR_SIZE =  %s\n DATETIME.STOP VAR_SIZE =  %s\n "
                               "INTEGRATION.TIME VAR_SIZE = %s\n",
                               shown(dateTime).c_str(), shown(start).c_str(), shown(stop).c_str(),
                               shown(integration).c_str());
    return false;
  }
  *stepBuffer = listing;
  return true;
}

}  // namespace hdfverify

// The third step: the GEOMS file name built from five global attributes, held
// against FILE_NAME and against the name the file was given under.
#include <string>
#include <vector>

#include "hdfverify/geoms_checker.h"
#include "hdfverify/text_utils.h"
#include "platform/text.h"

namespace hdfverify {
namespace {

std::string lastPiece(const std::string& text, char separator) {
  std::vector<std::string> pieces = splitString(text, separator);
  return pieces.empty() ? std::string() : pieces.back();
}

}  // namespace

bool GeomsChecker::Verify_3(std::string* stepBuffer) {
  std::string submitted = lastPiece(lastPiece(hdfFile, '/'), '\\');

  const char* names[] = {"FILE_NAME", "DATA_SOURCE", "DATA_LOCATION", "DATA_START_DATE", "DATA_STOP_DATE",
                         "DATA_FILE_VERSION"};
  std::vector<std::string> values;
  for (const char* name : names) {
    std::string value;
    if (readGlobalAttribute(name, &value, 0, "", stepBuffer) <= 0) return false;
    values.push_back(value);
  }
  const std::string& fileName = values[0];
  std::string constructed = "groundbased_" + values[1] + "_" + values[2] + "_" + values[3] + "_" + values[4] + "_" +
                            values[5] + ".hdf";
  if (!equalsIgnoreCase(fileName, constructed)) {
    *stepBuffer = platform::formatText(
        "** ERROR: Incorrect Filename\nSubmitted Filename: %s\n** Filename Attribute: %s\n** Constructed Filename: "
        "%s\n(Note, all should be lower case)\n\n",
        esc(submitted).c_str(), esc(fileName).c_str(), esc(platform::toLowerAscii(constructed)).c_str());
    return false;
  }
  if (!equalsIgnoreCase(fileName, submitted)) {
    *stepBuffer = platform::formatText(
        "** ERROR: Incorrect Filename - Submitted Filename and FILE_NAME Attribute not matching.\nSubmitted Filename: "
        "%s\nFILE_NAME Attribute: %s\n(Note, all should be lower case)\n\n",
        esc(submitted).c_str(), esc(fileName).c_str());
    return false;
  }
  return true;
}

}  // namespace hdfverify

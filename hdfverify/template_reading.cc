// The first step: the template file, every dataset with its VAR attributes,
// and the second opening of the HDF4 file for the vdata interface.
#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "hdfverify/geoms_checker.h"
#include "hdfverify/geoms_types.h"
#include "hdfverify/text_utils.h"
#include "platform/text.h"

// The HDF4 headers define MIN, MAX, TRUE and FALSE; they stay inside this file.
#include "hdfverify/hdf4_handles.h"

namespace hdfverify {
namespace {

bool isRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

void OpenHdfFile::close() {
  if (id_ != -1) {
    Vfinish(id_);
    Hclose(id_);
    id_ = -1;
  }
}

TemplateRecord parseTemplateLine(const std::string& line) {
  TemplateRecord record;
  std::vector<std::string> columns = splitString(line, ',');
  if (columns.size() > 1) record.varName = columns[1];
  if (columns.size() > 2) record.varDependOptions = columns[2];
  if (columns.size() > 3) record.varUnits = columns[3];
  if (columns.size() > 4) record.varDataType = columns[4];
  if (!line.empty()) record.flag = line.back();
  return record;
}

bool readTemplateFile(const std::string& path, std::vector<TemplateRecord>* records) {
  std::ifstream in;
  if (!platform::openInputFile(in, path)) return false;
  std::string line;
  for (;;) {
    bool ended = platform::readLine(in, &line);
    // A read error before the end makes the template unreadable as a whole.
    if (in.bad() || (in.fail() && !in.eof())) return false;
    // An empty line has no flag character and describes no variable: skipped.
    if (!line.empty()) records->push_back(parseTemplateLine(line));
    if (!ended) break;
  }
  return true;
}

namespace {

// One attribute of a dataset as the library reports it.
struct AttributeInfo {
  int index = -1;
  int32 numberType = 0;
  int32 count = 0;
};

// Reads all values of an attribute into a buffer sized from the library's own
// count (plus one zero byte so that a text always ends). Returns false on failure.
bool readAttributeBytes(int32 sdsId, const AttributeInfo& info, std::vector<char>* bytes) {
  int32 elementSize = DFKNTsize(info.numberType);
  if (elementSize <= 0 || info.count < 0) return false;
  size_t size = static_cast<size_t>(elementSize) * static_cast<size_t>(info.count);
  bytes->assign(size + 1, '\0');
  if (size == 0) return true;
  return SDreadattr(sdsId, info.index, bytes->data()) != FAIL;
}

bool isNumericAttribute(const std::string& name) {
  return name == "VAR_VALID_MIN" || name == "VAR_VALID_MAX" || name == "VAR_FILL_VALUE";
}

// The first value of a numeric attribute as a double.
double firstValue(const std::vector<char>& bytes, int32 numberType, int32 count) {
  if (count < 1) return kNoAttributeValue;
  if (numberType == DFNT_INT32) {
    int32 v;
    std::memcpy(&v, bytes.data(), sizeof v);
    return static_cast<double>(v);
  }
  if (numberType == DFNT_FLOAT32) {
    float32 v;
    std::memcpy(&v, bytes.data(), sizeof v);
    return static_cast<double>(v);
  }
  float64 v;
  std::memcpy(&v, bytes.data(), sizeof v);
  return v;
}

void storeText(Variable& variable, const std::string& name, const std::string& text) {
  if (name == "VAR_NAME") variable.varName = text;
  else if (name == "VAR_UNITS") variable.varUnits = text;
  else if (name == "VAR_SIZE") variable.varSize = text;
  else if (name == "VAR_DEPEND") variable.varDepend = text;
  else if (name == "VAR_DESCRIPTION") variable.varDescription = text;
  else if (name == "VAR_DATA_TYPE") variable.varDataType = text;
  else if (name == "VAR_SI_CONVERSION") variable.varSiConversion = text;
}

}  // namespace

bool GeomsChecker::checkVarAttributeType(const std::string& datasetName, const std::string& attributeName,
                                         int numberType, std::string* stepBuffer) {
  int expectedType = -1;
  std::string expectedName;
  for (const TemplateRecord& record : templateRecords) {
    if (record.varName == datasetName) {
      expectedName = record.varDataType;
      expectedType = geomsTypeToHdf(record.varDataType);
      break;
    }
  }
  if (!isNumericAttribute(attributeName)) {
    expectedType = kNumberTypeChar8;
    expectedName = "STRING";
  } else if (expectedType == -1) {
    *stepBuffer = platform::formatText(
        "** ERROR Variable: %s\n** Attribute \"%s\": could not read Attribute's value from template_file\n",
        esc(datasetName).c_str(), attributeName.c_str());
    return false;
  }
  if (numberType == expectedType) return true;
  *stepBuffer = platform::formatText(
      "** ERROR Variable: %s\n** \"%s\" should have data_type = \"%s\", DATA_TYPE in HDF file = \"%s\" \n",
      esc(datasetName).c_str(), attributeName.c_str(), esc(expectedName).c_str(), hdfTypeToGeoms(numberType).c_str());
  return false;
}

bool GeomsChecker::Verify_1(const std::string& hdfPath, const std::string& templatePath, std::string* stepBuffer) {
  hdfFile = hdfPath;
  templateFile = templatePath;
  bool passed = true;
  std::string progress;
  auto fail = [&](const std::string& message) {
    *stepBuffer = progress + message;
    return false;
  };

  progress += "### Opening template file\n";
  std::vector<TemplateRecord> records;
  if (!readTemplateFile(templateFile, &records)) {
    return fail(platform::formatText("*** ERROR: Failed to open template file: %s\n", esc(templateFile).c_str()));
  }
  progress += "# Reading template file records (data)\n";
  for (const TemplateRecord& record : records) {
    templateRecords.push_back(record);
    templateVarNames.push_back(record.varName);
  }
  progress += "# Done reading template file records\n\n";

  progress += "### Opening HDF file and initialize the SD interface\n";
  {
    // Only a regular file is handed to the library: its open of a FIFO would
    // wait for a writer, and a device such as /dev/zero has no end.
    SdFile sd(isRegularFile(hdfFile) ? SDstart(hdfFile.c_str(), DFACC_READ) : FAIL);
    if (!sd.valid()) {
      return fail(platform::formatText("*** ERROR: Failed to initialize the SD interface to file: %s\n",
                                       esc(hdfFile).c_str()));
    }
    progress += "# Reading HDF file records (VAR Attributes)\n";
    int32 datasetCount = 0;
    int32 globalCount = 0;
    if (SDfileinfo(sd.id(), &datasetCount, &globalCount) == FAIL) return fail("");

    for (int32 index = 0; index < datasetCount; ++index) {
      Variable variable;
      SdsAccess sds(SDselect(sd.id(), index));
      std::vector<char> nameArea(H4_MAX_NC_NAME + 1, '\0');
      int32 rank = 0;
      std::vector<int32> dimSizes(H4_MAX_VAR_DIMS, 0);
      int32 numberType = 0;
      int32 attributeCount = 0;
      if (SDgetinfo(sds.id(), nameArea.data(), &rank, dimSizes.data(), &numberType, &attributeCount) == FAIL) {
        return fail("");
      }
      std::string datasetName(nameArea.data());
      variable.dataType = numberType;

      for (const std::string& attributeName : varAttributeNames) {
        AttributeInfo info;
        info.index = SDfindattr(sds.id(), attributeName.c_str());
        if (info.index == FAIL) {
          return fail(platform::formatText("** ERROR VAR Attribute \"%s\" missing for %s\n", attributeName.c_str(),
                                           esc(datasetName).c_str()));
        }
        std::vector<char> attrName(H4_MAX_NC_NAME + 1, '\0');
        if (SDattrinfo(sds.id(), info.index, attrName.data(), &info.numberType, &info.count) == FAIL) return fail("");
        std::string typeMessage;
        if (!checkVarAttributeType(datasetName, attributeName, info.numberType, &typeMessage)) {
          return fail(typeMessage);
        }
        variable.attrCount = attributeCount;
        variable.attrType = info.numberType;
        variable.rank = rank;
        if (rank < 1 || rank > kMaxRank) {
          return fail(platform::formatText(
              "** ERROR dataset[name=%s, index=%d] has rank=%d (rank should be between 1 and 32 (HDF4 limit))\n",
              esc(datasetName).c_str(), static_cast<int>(index), static_cast<int>(rank)));
        }
        for (int d = 0; d < rank; ++d) variable.dims[static_cast<size_t>(d)] = dimSizes[static_cast<size_t>(d)];

        std::vector<char> bytes;
        if (isNumericAttribute(attributeName)) {
          double value = kNoAttributeValue;
          if (info.numberType == DFNT_INT32 || info.numberType == DFNT_FLOAT32 || info.numberType == DFNT_FLOAT64) {
            if (!readAttributeBytes(sds.id(), info, &bytes)) return fail("");
            value = firstValue(bytes, info.numberType, info.count);
          }
          if (attributeName == "VAR_VALID_MIN") variable.validMin = value;
          else if (attributeName == "VAR_VALID_MAX") variable.validMax = value;
          else variable.fillValue = value;
        } else {
          if (!readAttributeBytes(sds.id(), info, &bytes)) return fail("");
          storeText(variable, attributeName, std::string(bytes.data()));
          if (variable.varUnits.empty() || variable.varUnits == " ") variable.varUnits = "[empty]";
        }
      }

      if (geomsTypeToHdf(variable.varDataType) != numberType) {
        progress += platform::formatText(
            "** ERROR dataset[Variable_Name = %s]: has \"Data Type\" = \"%s\", the expected \"Data Type\" should be "
            "\"%s\" as defined in VAR_DATA_TYPE Attribute.\n(Note: DOUBLE = 64-bit floating-point, and REAL = 32-bit "
            "floating-point)\n\n",
            esc(datasetName).c_str(), hdfTypeToGeoms(numberType).c_str(), esc(variable.varDataType).c_str());
        passed = false;
      }
      variables.push_back(variable);
      hdfVarNames.push_back(variable.varName);
      int position = static_cast<int>(variables.size()) - 1;
      if (variable.varName == "DATETIME") dateTimeIndex = position;
      else if (variable.varName == "ALTITUDE") altitudeIndex = position;
    }
  }  // the SD interface ends here, before the file is opened again
  if (!passed) return fail("");

  progress += "# Done reading HDF file records (VAR Attributes)\n\n";
  progress += "### Open HDF file for reading\n";
  HFile opened(Hopen(hdfFile.c_str(), DFACC_READ, 0));
  if (!opened.valid()) {
    return fail(platform::formatText("*** ERROR: Failed to open HDF4 file: %s\n", esc(hdfFile).c_str()));
  }
  if (Vinitialize(opened.id()) == FAIL) {
    return fail(
        platform::formatText("*** ERROR: Failed to initialize the VS interface to file: %s\n", esc(hdfFile).c_str()));
  }
  // Open until the driver's closeHdfFile, or the checker's end.
  HdfFileId.adopt(opened.release());
  progress += "# Done reading HDF file records (VAR Attributes)\n\n";
  *stepBuffer = progress;
  return true;
}

}  // namespace hdfverify

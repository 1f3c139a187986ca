// The second step: the GEOMS global attributes, each read as the first record
// of the vdata named after it.
#include <array>
#include <set>
#include <string>
#include <vector>

#include "hdfverify/geoms_checker.h"
#include "hdfverify/text_utils.h"
#include "platform/calendar.h"
#include "platform/text.h"

// The HDF4 headers define MIN, MAX, TRUE and FALSE; they stay inside this file.
#include "hdfverify/hdf4_handles.h"

namespace hdfverify {
namespace {

struct GlobalAttributeRow {
  const char* name;
  const char* description;
  const char* expectedSemicolons;  // decimal; 0: not counted
};

// The step reads the first kRowsRead rows, in this order; the rest may be absent.
constexpr size_t kRowsRead = 27;
constexpr std::array<GlobalAttributeRow, 35> kGlobalAttributeTable = {{
    {"PI_NAME", "Family name;Given name", "1"},
    {"PI_AFFILIATION", "Affiliation name;Affiliation acronym", "1"},
    {"PI_ADDRESS", "Address;Postal code and locality;Country name", "2"},
    {"PI_EMAIL", "Email Address", "0"},
    {"DO_NAME", "Family name;Given name", "1"},
    {"DO_AFFILIATION", "Affiliation name;Affiliation acronym", "1"},
    {"DO_ADDRESS", "Address;Postal code and locality;Country name", "2"},
    {"DO_EMAIL", "Email Address", "0"},
    {"DS_NAME", "Family name;Given name", "1"},
    {"DS_AFFILIATION", "Affiliation name;Affiliation acronym", "1"},
    {"DS_ADDRESS", "Address;Postal code and locality;Country name", "2"},
    {"DS_EMAIL", "Email Address", "0"},
    {"DATA_DISCIPLINE", "Discipline;Acquisition method;Acquisition platform", "2"},
    {"DATA_GROUP", "Data origin;spatial characteristics", "1"},
    {"DATA_LOCATION", "Identification of the location", "0"},
    {"DATA_SOURCE",
     "Text consists of three underscore-concatenated fields; e.g., LIDAR.O3_ZOMA.XOV003_CALVAL.TOVRA001", "0"},
    {"DATA_VARIABLES", "Arbitrary number of semicolon-separated fields", "0"},
    {"DATA_START_DATE", "ISO 8601 date/time format (yyyymmddThhmnssZ)", "0"},
    {"DATA_STOP_DATE", "ISO 8601 date/time format (yyyymmddThhmnssZ)", "0"},
    {"DATA_FILE_VERSION", "3-digits beginning with 001 (with leading zeroes)", "0"},
    {"DATA_QUALITY", "Information on quality of the data", "0"},
    {"DATA_TEMPLATE", "Information on applicable template", "0"},
    {"FILE_NAME", "Lower case, underscore separated fields ending with .hdf ext", "0"},
    {"FILE_GENERATION_DATE", "ISO 8601 date/time format (yyyymmddThhmnssZ)", "0"},
    {"FILE_ACCESS", "File's project association (data archive)", "0"},
    {"FILE_META_VERSION", "Text format: nnRddd;tool_name ", "1"},
    {"FILE_DOI", "digital object identifier", "0"},
    {"FILE_PROJECT_ID", "Project's identification codes", "0"},
    {"DATA_DESCRIPTION", "Brief sentence summarizing file\x92s data content.", "0"},
    {"DATA_MODIFICATIONS", "Data modification history [text] associated with DATA_FILE_VERSION", "0"},
    {"DATA_CAVEATS", "Info about potential issues with the data", "0"},
    {"DATA_RULES_OF_USE", "PI\x92s guidelines for the data usage", "0"},
    {"DATA_ACKNOWLEDGEMENT", "PI\x92s desired acknowledgment of the data when used", "0"},
    {"DATA_PROCESSOR", "Information on the data processor/version", "0"},
    {"FILE_ASSOCIATION", "File\x92s other associations, funding programs, campaigns, et al.", "0"},
}};

// Classes of the vgroups in which the SD interface keeps a dataset's or a
// dimension's own attributes; their vdata are never global attributes.
bool isDatasetGroupClass(const std::string& cls) { return cls == "Var0.0" || cls == "Dim0.0" || cls == "UDim0.0"; }

std::set<int32> datasetOwnedVdata(int32 fileId) {
  std::set<int32> owned;
  int32 ref = -1;
  while ((ref = Vgetid(fileId, ref)) != FAIL) {
    VgroupAccess vgroup(Vattach(fileId, ref, "r"));
    if (!vgroup.valid()) continue;
    uint16 classLength = 0;
    std::string cls;
    if (Vgetclassnamelen(vgroup.id(), &classLength) != FAIL) {
      std::vector<char> area(static_cast<size_t>(classLength) + 1, '\0');
      if (Vgetclass(vgroup.id(), area.data()) != FAIL) cls = area.data();
    }
    if (!isDatasetGroupClass(cls)) continue;
    int32 members = Vntagrefs(vgroup.id());
    if (members <= 0) continue;
    std::vector<int32> tags(static_cast<size_t>(members)), refs(static_cast<size_t>(members));
    int32 got = Vgettagrefs(vgroup.id(), tags.data(), refs.data(), members);
    for (int32 i = 0; i < got; ++i) {
      if (tags[static_cast<size_t>(i)] == DFTAG_VH) owned.insert(refs[static_cast<size_t>(i)]);
    }
  }
  return owned;
}

std::string vdataName(int32 vdata) {
  // The library keeps a vdata's name in a field of VSNAMELENMAX characters.
  std::vector<char> area(VSNAMELENMAX + 1, '\0');
  if (VSgetname(vdata, area.data()) == FAIL) return std::string();
  return std::string(area.data());
}

// The first record of an attached vdata as text: its bytes up to the record's
// end or its first zero byte. False when there is no record or it cannot be read.
bool readFirstRecord(int32 vdata, std::string* value) {
  int32 records = 0;
  int32 interlace = 0;
  if (VSinquire(vdata, &records, &interlace, nullptr, nullptr, nullptr) == FAIL) return false;
  if (records < 1) return false;
  std::vector<char> fields(static_cast<size_t>(VSFIELDMAX) * (FIELDNAMELENMAX + 1) + 1, '\0');
  if (VSgetfields(vdata, fields.data()) == FAIL) return false;
  if (VSsetfields(vdata, fields.data()) == FAIL) return false;
  int32 recordSize = VSsizeof(vdata, fields.data());
  if (recordSize < 1) return false;
  std::vector<uint8> area(static_cast<size_t>(recordSize) + 1, 0);
  if (VSread(vdata, area.data(), 1, interlace) != 1) return false;
  value->assign(reinterpret_cast<const char*>(area.data()));
  return true;
}

}  // namespace

int GeomsChecker::readGlobalAttribute(const std::string& name, std::string* value, int expectedSemicolons,
                                      const std::string& description, std::string* messageArea) {
  value->clear();
  if (!globalAttributesIndexed_ && HdfFileId.isOpen()) {
    globalAttributesIndexed_ = true;
    std::set<int32> owned = datasetOwnedVdata(HdfFileId.id());
    int32 ref = -1;
    while ((ref = VSgetid(HdfFileId.id(), ref)) != FAIL) {
      if (owned.count(ref) != 0) continue;
      std::string vname;
      {
        VdataAccess vdata(VSattach(HdfFileId.id(), ref, "r"));
        if (!vdata.valid()) continue;
        vname = vdataName(vdata.id());
      }
      if (!vname.empty()) globalAttributeRefs_.emplace(vname, ref);  // the first of a name wins
    }
  }
  auto found = globalAttributeRefs_.find(name);
  if (found == globalAttributeRefs_.end()) {
    *messageArea = platform::formatText("** ERROR: Can't find global attribute: %s\n", name.c_str());
    return 0;
  }
  int32 ref = found->second;
  bool read = false;
  {
    VdataAccess vdata(VSattach(HdfFileId.id(), ref, "r"));
    read = vdata.valid() && readFirstRecord(vdata.id(), value);
  }
  if (!read) {
    value->clear();
    *messageArea = platform::formatText("** ERROR: Can't read global attribute: %s\n", name.c_str());
    return -1;
  }
  if (expectedSemicolons > 0) {
    int found_count = countChar(*value, ';');
    if (found_count != expectedSemicolons) {
      *messageArea = platform::formatText("** ERROR: %s requires %d field(s)\n", name.c_str(), expectedSemicolons + 1);
      *messageArea += platform::formatText(" ** %s\n", description.c_str());
      *messageArea += platform::formatText(" ** Number of semicolons expected=%d but %d found\n", expectedSemicolons,
                                          found_count);
      *messageArea += platform::formatText(" ** %s=\"%s\"\n\n", name.c_str(), esc(*value).c_str());
    }
  }
  return static_cast<int>(ref);
}

int checkIso8601DateTime(const std::string& text, std::string* messages) {
  messages->clear();
  // Character at a 1-based position; past the end of the text it is the end mark.
  auto at = [&](size_t position) { return position <= text.size() ? text[position - 1] : '\0'; };
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  auto number = [&](size_t first, size_t count) {
    int value = 0;
    for (size_t i = 0; i < count; ++i) value = value * 10 + (at(first + i) - '0');
    return value;
  };
  bool invalid = false;
  for (size_t i = 1; i <= 8; ++i) {
    if (!isDigit(at(i))) return 1;
  }
  if (at(9) != 'T') {
    *messages += "** ERROR: The 9th character should be capital T\n\n";
    invalid = true;
  }
  for (size_t i = 10; i <= 15; ++i) {
    if (!isDigit(at(i))) return 1;
  }
  if (at(16) != 'Z') {
    *messages += "** ERROR: The 16th character should be capital Z\n\n";
    invalid = true;
  }
  int year = number(1, 4);
  int month = number(5, 2);
  bool monthValid = month >= 1 && month <= 12;
  if (!monthValid) {
    *messages += "** ERROR: Month is out of valid range of 1 to 12\n\n";
    invalid = true;
  }
  int day = number(7, 2);
  if (monthValid) {
    int days = platform::daysInMonth(year, month);
    if (day < 1 || day > days) {
      *messages += platform::formatText("** ERROR: Date is out of valid range of 1 to %d for month %d\n\n", days, month);
      invalid = true;
    }
  } else if (day < 1 || day > 31) {
    *messages += "** ERROR: Date is out of valid range of 1 to 31\n\n";
    invalid = true;
  }
  if (number(10, 2) > 23) {
    *messages += "** ERROR: Hour is out of valid range of 0 to 23\n\n";
    invalid = true;
  }
  if (number(12, 2) > 59) {
    *messages += "** ERROR: Minute is out of valid range of 0 to 59\n\n";
    invalid = true;
  }
  if (number(14, 2) > 59) {
    *messages += "** ERROR: Second is out of valid range of 0 to 59\n\n";
    invalid = true;
  }
  return invalid ? 1 : 0;
}

bool GeomsChecker::Verify_2(std::string* stepBuffer) {
  stepBuffer->clear();
  bool passed = true;
  std::string value;
  std::string messageArea;
  for (size_t row = 0; row < kRowsRead; ++row) {
    const GlobalAttributeRow& entry = kGlobalAttributeTable[row];
    const std::string name = entry.name;
    const std::string description = entry.description;
    messageArea.clear();
    int ref = readGlobalAttribute(name, &value, platform::leadingLong(entry.expectedSemicolons), description,
                                  &messageArea);
    if (ref == 0) {
      *stepBuffer += messageArea;
      passed = false;
      break;
    }
    if (!messageArea.empty()) {
      *stepBuffer += messageArea;
      passed = false;
    }
    if (ref < 0) continue;  // nothing was read: no rule has a value to look at

    for (unsigned char c : value) {
      if (!(c == 9 || c == 10 || c == 13 || (c >= 0x20 && c <= 0x7E))) {
        *stepBuffer += platform::formatText("** ERROR: Global Attribute %s contains none printable characters\n",
                                           name.c_str());
        passed = false;
        break;
      }
    }
    if (name == "DATA_VARIABLES") dataVariables = splitString(value, ';');
    if (name == "DATA_SOURCE") {
      int underscores = countChar(value, '_');
      if (underscores != 2) {
        *stepBuffer += platform::formatText(
            "** ERROR: Global Attribute %s = \"%s\" format is not correct (count=%d) (Description: \"%s\")\n",
            name.c_str(), esc(value).c_str(), underscores, description.c_str());
        passed = false;
      } else {
        std::vector<std::string> pieces = splitString(value, '_');
        std::string productType = pieces.size() > 2 ? pieces[2] : std::string();
        std::string upper = platform::toUpperAscii(productType);
        bool known = false;
        for (const char* prefix : {"CLIM", "HIRES", "CALVAL", "GRIDDED"}) {
          if (upper.rfind(prefix, 0) == 0) {
            known = true;
            break;
          }
        }
        if (!known) {
          *stepBuffer += platform::formatText(
              "** ERROR: Global Attribute %s = \"%s\" format is not correct. The Product Type = \"%s\" is not found "
              "(should contain one of these types: HIRES, CALVAL, CLIM, or GRIDDED).\n",
              name.c_str(), esc(value).c_str(), esc(productType).c_str());
          passed = false;
        }
      }
    }
    if (name == "DATA_START_DATE" || name == "DATA_STOP_DATE" || name == "FILE_GENERATION_DATE") {
      std::string dateMessages;
      if (checkIso8601DateTime(value, &dateMessages) == 0) {
        if (name == "DATA_START_DATE") dataStartDate = value;
        if (name == "DATA_STOP_DATE") dataStopDate = value;
      } else {
        *stepBuffer += dateMessages;
        *stepBuffer += platform::formatText(
            "** ERROR: Global Attribute %s = \"%s\" is not ISO 8601 format (Description: \"%s\")\n", name.c_str(),
            esc(value).c_str(), description.c_str());
        passed = false;
      }
    }
    if (name == "DATA_FILE_VERSION") {
      bool threeDigits = value.size() == 3;
      for (char c : value) threeDigits = threeDigits && c >= '0' && c <= '9';
      if (!threeDigits) {
        *stepBuffer += platform::formatText("** ERROR: Global Attribute %s = \"%s\" is not correct (Description: \"%s\")\n",
                                           name.c_str(), esc(value).c_str(), description.c_str());
        passed = false;
      }
    }
    if (name == "DATA_TEMPLATE") {
      if (!equalsIgnoreCaseN(templateFile, value, static_cast<long>(value.size()))) {
        *stepBuffer += platform::formatText(
            "** ERROR: Global Attribute %s = \"%s\" is not correct (template being used = %s)\n", name.c_str(),
            esc(value).c_str(), esc(templateFile).c_str());
        passed = false;
      }
    }
  }
  return passed;
}

}  // namespace hdfverify

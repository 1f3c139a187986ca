// The verifier's model: one template row, one dataset with its VAR attributes,
// and the checker object whose methods are the six verification steps.
#pragma once

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace hdfverify {

// The HDF4 file open for the H, V and VS interfaces, with the V interface
// initialised: the one owner of its identifier. Closing it, or its end, ends
// the V interface and closes the file, so a checker that goes away never
// leaves its file open. It moves with its checker and is never copied, so no
// two owners close one identifier.
class OpenHdfFile {
 public:
  OpenHdfFile() = default;
  ~OpenHdfFile() { close(); }
  OpenHdfFile(OpenHdfFile&& other) noexcept : id_(std::exchange(other.id_, -1)) {}
  OpenHdfFile& operator=(OpenHdfFile&& other) noexcept {
    if (this != &other) {
      close();
      id_ = std::exchange(other.id_, -1);
    }
    return *this;
  }
  OpenHdfFile(const OpenHdfFile&) = delete;
  OpenHdfFile& operator=(const OpenHdfFile&) = delete;

  // The identifier that Hopen returned; -1 while no file is open.
  int id() const { return id_; }
  bool isOpen() const { return id_ != -1; }
  // Takes over the identifier of a file that Hopen opened and Vinitialize
  // initialised; a file still open here is closed first.
  void adopt(int id) {
    close();
    id_ = id;
  }
  // Ends the V interface (Vfinish) and closes the file (Hclose) when one is open.
  void close();

 private:
  int id_ = -1;
};

// One line of the GEOMS template file.
struct TemplateRecord {
  std::string varName;           // column 1
  std::string varDependOptions;  // column 2, options separated by '|'
  std::string varUnits;          // column 3
  std::string varDataType;       // column 4, a GEOMS type name
  char flag = '\0';              // last character of the line: 'x' mandatory, 'o' optional
};

// The value a numeric VAR attribute has when its number type gives no number.
constexpr double kNoAttributeValue = -9999999.0;

constexpr int kMaxRank = 32;

// One scientific dataset of the HDF4 file with its VAR attributes.
struct Variable {
  std::string varName;
  std::string varDescription;
  std::string varSize;
  std::string varDepend;
  std::string varDataType;
  std::string varUnits;  // "[empty]" when the attribute was empty or one blank
  std::string varSiConversion;
  int attrType = 0;    // number type of VAR_FILL_VALUE
  int dataType = 0;    // number type of the dataset's own data
  int rank = 0;
  int attrCount = 0;
  std::array<int, kMaxRank> dims{};
  double validMin = kNoAttributeValue;
  double validMax = kNoAttributeValue;
  double fillValue = kNoAttributeValue;
  double dataMin = 0.0;
  double dataMax = 0.0;
};

// The positions of the dimensions that a dataset's VAR_SIZE lists, and its
// VAR_DEPEND items name: the first, then each further one whose size is not 1.
std::vector<size_t> listedDimensions(const Variable& variable);

// Reads a template file's lines into records (file order). Returns false when
// the file cannot be opened.
bool readTemplateFile(const std::string& path, std::vector<TemplateRecord>* records);

// One template line as a record.
TemplateRecord parseTemplateLine(const std::string& line);

// Checks a stamp yyyymmddThhmmssZ; empties messages, appends one message per
// fault; returns 0 when valid, 1 when not.
int checkIso8601DateTime(const std::string& text, std::string* messages);

// The UTC stamp "%Y%m%dT%H%M%SZ" of a whole number of seconds after
// 2000-01-01T00:00:00Z; empty when the time is not finite or out of range.
std::string mjd2kStamp(double seconds);

// Checks a dataset's VAR_DEPEND against the template row's options.
bool checkVarDepend(const std::string& options, const std::string& varDepend, const std::string& varName, char flag,
                    std::string* stepBuffer);

// The six steps share what the earlier ones found through the members below;
// each says which step fills it and which read it. A checker owns all of its
// run, its open file included, so two checkers never see each other; it can be
// moved but not copied.
class GeomsChecker {
 public:
  GeomsChecker();

  // Each step empties or sets *stepBuffer to its messages; false fails the file.
  // Step 1: the template, every dataset's VAR attributes, the file opened for the VS interface.
  bool Verify_1(const std::string& hdfPath, const std::string& templatePath, std::string* stepBuffer);
  // Step 2: the global attributes.
  bool Verify_2(std::string* stepBuffer);
  // Step 3: the file name against FILE_NAME and the attributes it is built from.
  bool Verify_3(std::string* stepBuffer);
  // Step 4: the file's variables against the template's rows.
  bool Verify_4(std::string* stepBuffer);
  // Step 5: every dataset's VAR attributes against the template and the dataset.
  bool Verify_5(std::string* stepBuffer);
  // Step 6: every numeric dataset's values, axis order and times.
  bool Verify_6(std::string* stepBuffer);

  // Called by Verify_1: an attribute's number type against the template row's data type.
  bool checkVarAttributeType(const std::string& datasetName, const std::string& attributeName, int numberType,
                             std::string* stepBuffer);

  // Called by Verify_2 and Verify_3. Reads a global attribute's first record as
  // text into value. Returns the vdata's reference number when it was read, 0
  // when the file has no such global attribute, -1 when it exists but its first
  // record cannot be read. Writes into *messageArea only when it has something
  // to report.
  int readGlobalAttribute(const std::string& name, std::string* value, int expectedSemicolons,
                          const std::string& description, std::string* messageArea);

  // Called by Verify_5: one VAR attribute of a variable.
  bool checkVarAttributes(const Variable& variable, const std::string& attributeName, std::string* stepBuffer);

  // Called by Verify_6: a time variable's order and its match with DATA_START_DATE or DATA_STOP_DATE.
  bool checkDateTimeOrder(const Variable& variable, const std::vector<double>& values, size_t count,
                          std::string* messageArea);

  std::vector<std::string> varAttributeNames;  // fixed by the constructor; read by Verify_1 and Verify_5
  std::string hdfFile;                         // filled by Verify_1; read by Verify_3 and Verify_6
  std::string templateFile;                    // filled by Verify_1; read by Verify_2 (DATA_TEMPLATE)
  std::vector<std::string> hdfVarNames;        // filled by Verify_1; read by Verify_4 and Verify_5
  std::vector<std::string> templateVarNames;   // filled by Verify_1; read by Verify_4 and Verify_5
  std::vector<std::string> dataVariables;      // filled by Verify_2 (DATA_VARIABLES); read by Verify_4
  std::vector<TemplateRecord> templateRecords;  // filled by Verify_1; read by Verify_1, Verify_4 and Verify_5
  std::vector<Variable> variables;              // filled by Verify_1; read by Verify_4, Verify_5 and Verify_6
  int dateTimeIndex = -1;                       // filled by Verify_1; read by Verify_5 (VAR_DEPEND sizes)
  int altitudeIndex = -1;                       // filled by Verify_1; read by Verify_5 (VAR_DEPEND sizes)
  std::string dataStartDate;                    // filled by Verify_2; read by Verify_6
  std::string dataStopDate;                     // filled by Verify_2; read by Verify_6
  OpenHdfFile HdfFileId;                        // opened by Verify_1; read by Verify_2 and Verify_3

  // The driver's last call: ends the V interface and closes HdfFileId when
  // Verify_1 opened it (the checker's end does the same).
  void closeHdfFile() { HdfFileId.close(); }

 private:
  // Reference numbers of the file's global-attribute vdata by name, built on
  // first use; vdata that belong to a dataset or a dimension are left out, so a
  // dataset attribute never stands in for a global one of the same name.
  bool globalAttributesIndexed_ = false;
  std::map<std::string, int> globalAttributeRefs_;
};

}  // namespace hdfverify

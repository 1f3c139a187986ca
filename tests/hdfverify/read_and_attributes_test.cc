// The first three steps on fixture files: reading the template and the
// datasets, the global attributes, the file name.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "hdfverify/geoms_types.h"
#include "platform/text.h"
#include "verifier_test_support.h"

namespace {

using geoms_fixture::GeomsFile;
using geoms_fixture::validLidarFile;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;
using verifier_testing::putTemplate;
using verifier_testing::runSteps;
using verifier_testing::StepOutcome;
using verifier_testing::writeInto;

const char kReadProgress[] =
    "### Opening template file\n"
    "# Reading template file records (data)\n"
    "# Done reading template file records\n\n"
    "### Opening HDF file and initialize the SD interface\n"
    "# Reading HDF file records (VAR Attributes)\n";

StepOutcome stepsOn(const GeomsFile& file, int lastStep, const std::string& templateText = "") {
  TempDir dir;
  putTemplate(dir, templateText);
  return runSteps(dir, writeInto(dir, file), geoms_fixture::kTemplateName, lastStep);
}

TEST(VerifierRead, ValidFileLeavesTheProgressLines) {
  StepOutcome outcome = stepsOn(validLidarFile(), 1);
  EXPECT_EQ(outcome.failedStep, 0);
  EXPECT_EQ(outcome.buffer, std::string(kReadProgress) +
                                "# Done reading HDF file records (VAR Attributes)\n\n"
                                "### Open HDF file for reading\n"
                                "# Done reading HDF file records (VAR Attributes)\n\n");
}

TEST(VerifierRead, TemplateRecordsAndIndexes) {
  TempDir dir;
  putTemplate(dir);
  hdfverify::GeomsChecker checker;
  runSteps(dir, writeInto(dir, validLidarFile()), geoms_fixture::kTemplateName, 1, &checker);
  ASSERT_EQ(checker.templateRecords.size(), 23u);
  EXPECT_EQ(checker.templateRecords[0].varName, "LATITUDE.INSTRUMENT");
  EXPECT_EQ(checker.templateRecords[0].varDependOptions, "CONSTANT");
  EXPECT_EQ(checker.templateRecords[0].varUnits, "deg");
  EXPECT_EQ(checker.templateRecords[0].varDataType, "REAL");
  EXPECT_EQ(checker.templateRecords[0].flag, 'x');
  EXPECT_EQ(checker.templateRecords[22].flag, 'o');
  ASSERT_EQ(checker.variables.size(), 23u);
  EXPECT_EQ(checker.dateTimeIndex, 3);
  EXPECT_EQ(checker.altitudeIndex, 7);
  const hdfverify::Variable& pressure = checker.variables[8];
  EXPECT_EQ(pressure.varName, "PRESSURE_INDEPENDENT");
  EXPECT_EQ(pressure.rank, 2);
  EXPECT_EQ(pressure.dims[0], 4);
  EXPECT_EQ(pressure.dims[1], 6);
  EXPECT_EQ(pressure.attrCount, 11);
  EXPECT_EQ(pressure.attrType, 5);
  EXPECT_EQ(pressure.validMax, 1100.0);
  EXPECT_EQ(pressure.fillValue, -999.0);
  const hdfverify::Variable& source = checker.variables[20];
  EXPECT_EQ(source.varUnits, "[empty]");
  EXPECT_EQ(source.validMin, hdfverify::kNoAttributeValue);
}

TEST(VerifierRead, TemplateLineColumnsAndFlag) {
  hdfverify::TemplateRecord r = hdfverify::parseTemplateLine("a,NAME,DEP1|DEP2,m,REAL,,x");
  EXPECT_EQ(r.varName, "NAME");
  EXPECT_EQ(r.varDependOptions, "DEP1|DEP2");
  EXPECT_EQ(r.varUnits, "m");
  EXPECT_EQ(r.varDataType, "REAL");
  EXPECT_EQ(r.flag, 'x');
  hdfverify::TemplateRecord shortLine = hdfverify::parseTemplateLine("1,NAME,DEP");
  EXPECT_EQ(shortLine.varUnits, "");
  EXPECT_EQ(shortLine.varDataType, "");
  EXPECT_EQ(shortLine.flag, 'P');
  EXPECT_EQ(hdfverify::parseTemplateLine("1,N,D,u,REAL,").flag, ',');
}

TEST(VerifierRead, DefaultTemplateHasTwentyOneMandatoryRows) {
  std::vector<hdfverify::TemplateRecord> records;
  ASSERT_TRUE(hdfverify::readTemplateFile(verifier_testing::defaultTemplatePath(), &records));
  int mandatory = 0;
  for (const hdfverify::TemplateRecord& r : records) {
    EXPECT_TRUE(r.flag == 'x' || r.flag == 'o') << r.varName;
    EXPECT_NE(hdfverify::geomsTypeToHdf(r.varDataType), -1) << r.varName;
    EXPECT_FALSE(r.varUnits.empty()) << r.varName;
    mandatory += r.flag == 'x' ? 1 : 0;
  }
  EXPECT_EQ(mandatory, 21);
  EXPECT_EQ(records.size(), 23u);
}

TEST(VerifierRead, MissingTemplateFailsBeforeAnyHdfCall) {
  TempDir dir;
  StepOutcome outcome = runSteps(dir, "does-not-exist.hdf", "missing.csv", 1);
  EXPECT_EQ(outcome.failedStep, 1);
  EXPECT_EQ(outcome.buffer, "### Opening template file\n*** ERROR: Failed to open template file: missing.csv\n");

  // A folder in place of the template cannot be read as one.
  std::filesystem::create_directories(dir.file("folder.csv"));
  outcome = runSteps(dir, "does-not-exist.hdf", "folder.csv", 1);
  EXPECT_EQ(outcome.failedStep, 1);
  EXPECT_EQ(outcome.buffer, "### Opening template file\n*** ERROR: Failed to open template file: folder.csv\n");
}

TEST(VerifierRead, OnlyARegularFileIsOpened) {
  // A FIFO (whose open would wait for a writer), a device and a folder fail
  // at once, like a file the library cannot open.
  TempDir dir;
  putTemplate(dir);
  ASSERT_EQ(::mkfifo(dir.file("fifo.hdf").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("/dev/zero", dir.file("zero.hdf").c_str()), 0);
  std::filesystem::create_directories(dir.file("folder.hdf"));
  for (const char* name : {"fifo.hdf", "zero.hdf", "folder.hdf", "missing.hdf"}) {
    StepOutcome outcome = runSteps(dir, name, geoms_fixture::kTemplateName, 1);
    EXPECT_EQ(outcome.failedStep, 1) << name;
    EXPECT_EQ(outcome.buffer, "### Opening template file\n# Reading template file records (data)\n# Done reading "
                              "template file records\n\n### Opening HDF file and initialize the SD interface\n"
                              "*** ERROR: Failed to initialize the SD interface to file: " +
                                  std::string(name) + "\n")
        << name;
  }
}

TEST(VerifierRead, CrlfTemplateReadsLikeLf) {
  std::string lf = readFile(verifier_testing::defaultTemplatePath());
  std::string crlf;
  for (char c : lf) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  TempDir a, b;
  putTemplate(a, lf);
  putTemplate(b, crlf);
  GeomsFile file = validLidarFile();
  std::string name = writeInto(a, file);
  writeInto(b, file);
  std::string reportLf = verifier_testing::runVerifierIn(a, {name, geoms_fixture::kTemplateName});
  std::string reportCrlf = verifier_testing::runVerifierIn(b, {name, geoms_fixture::kTemplateName});
  EXPECT_EQ(reportLf, reportCrlf);
  EXPECT_NE(reportLf.find("^End.0"), std::string::npos);
}

TEST(VerifierRead, MissingVarAttributeNamesAttributeAndDataset) {
  GeomsFile file = validLidarFile();
  file.dataset("ALTITUDE")->remove("VAR_SI_CONVERSION");
  StepOutcome outcome = stepsOn(file, 1);
  EXPECT_EQ(outcome.failedStep, 1);
  EXPECT_EQ(outcome.buffer,
            std::string(kReadProgress) + "** ERROR VAR Attribute \"VAR_SI_CONVERSION\" missing for ALTITUDE\n");
}

TEST(VerifierRead, DataTypeDifferentFromVarDataTypeIsReportedAfterAllDatasets) {
  GeomsFile file = validLidarFile();
  file.dataset("ALTITUDE")->numberType = geoms_fixture::kFloat64;  // attributes stay REAL
  file.dataset("DATETIME")->numberType = geoms_fixture::kFloat32;  // attributes stay DOUBLE
  StepOutcome outcome = stepsOn(file, 1);
  EXPECT_EQ(outcome.failedStep, 1);
  EXPECT_EQ(outcome.buffer,
            std::string(kReadProgress) +
                "** ERROR dataset[Variable_Name = DATETIME]: has \"Data Type\" = \"REAL\", the expected \"Data Type\" "
                "should be \"DOUBLE\" as defined in VAR_DATA_TYPE Attribute.\n(Note: DOUBLE = 64-bit floating-point, "
                "and REAL = 32-bit floating-point)\n\n"
                "** ERROR dataset[Variable_Name = ALTITUDE]: has \"Data Type\" = \"DOUBLE\", the expected \"Data "
                "Type\" should be \"REAL\" as defined in VAR_DATA_TYPE Attribute.\n(Note: DOUBLE = 64-bit "
                "floating-point, and REAL = 32-bit floating-point)\n\n");
}

TEST(VerifierRead, AttributeTypeAgainstTheTemplate) {
  struct Case {
    const char* attribute;
    int numberType;
    const char* expected;
  } cases[] = {
      {"VAR_VALID_MIN", geoms_fixture::kFloat64,
       "** ERROR Variable: ALTITUDE\n** \"VAR_VALID_MIN\" should have data_type = \"REAL\", DATA_TYPE in HDF file = "
       "\"DOUBLE\" \n"},
      {"VAR_UNITS", geoms_fixture::kUchar8,
       "** ERROR Variable: ALTITUDE\n** \"VAR_UNITS\" should have data_type = \"STRING\", DATA_TYPE in HDF file = "
       "\"UNKNOWN_GEOMS_TYPE\" \n"},
  };
  for (const Case& c : cases) {
    GeomsFile file = validLidarFile();
    geoms_fixture::Attribute* a = file.dataset("ALTITUDE")->attribute(c.attribute);
    a->numberType = c.numberType;
    if (c.numberType == geoms_fixture::kUchar8) a->text = "m";
    StepOutcome outcome = stepsOn(file, 1);
    EXPECT_EQ(outcome.failedStep, 1);
    EXPECT_EQ(outcome.buffer, std::string(kReadProgress) + c.expected) << c.attribute;
  }
}

TEST(VerifierRead, DatasetWithoutTemplateRowCannotTypeItsNumericAttributes) {
  GeomsFile file = validLidarFile();
  geoms_fixture::Dataset extra = *file.dataset("ALTITUDE");
  extra.name = "EXTRA<1>";
  extra.setText("VAR_NAME", "EXTRA<1>");
  file.datasets.push_back(extra);
  StepOutcome outcome = stepsOn(file, 1);
  EXPECT_EQ(outcome.failedStep, 1);
  EXPECT_EQ(outcome.buffer, std::string(kReadProgress) +
                                "** ERROR Variable: EXTRA&lt;1&gt;\n** Attribute \"VAR_VALID_MIN\": could not read "
                                "Attribute's value from template_file\n");
}

TEST(VerifierRead, ShortIntegerLimitsKeepTheNoValueMark) {
  TempDir dir;
  // A template that types ALTITUDE as SHORT.
  std::string text = readFile(verifier_testing::defaultTemplatePath());
  text.replace(text.find("ALTITUDE,ALTITUDE,m,REAL"), 24, "ALTITUDE,ALTITUDE,m,SHORT");
  putTemplate(dir, text);
  GeomsFile file = validLidarFile();
  geoms_fixture::Dataset* altitude = file.dataset("ALTITUDE");
  altitude->numberType = geoms_fixture::kInt16;
  altitude->setText("VAR_DATA_TYPE", "SHORT");
  for (const char* name : {"VAR_VALID_MIN", "VAR_VALID_MAX", "VAR_FILL_VALUE"}) {
    altitude->attribute(name)->numberType = geoms_fixture::kInt16;
  }
  hdfverify::GeomsChecker checker;
  StepOutcome outcome = runSteps(dir, writeInto(dir, file), geoms_fixture::kTemplateName, 1, &checker);
  EXPECT_EQ(outcome.failedStep, 0) << outcome.buffer;
  EXPECT_EQ(checker.variables[7].validMin, hdfverify::kNoAttributeValue);
  EXPECT_EQ(checker.variables[7].attrType, 22);
}

TEST(VerifierRead, FileWithoutDatasetsPassesTheFirstStep) {
  GeomsFile file = validLidarFile();
  file.datasets.clear();
  EXPECT_EQ(stepsOn(file, 1).failedStep, 0);
}

// Global attributes.

TEST(VerifierGlobals, MissingFirstAttributeStopsTheStep) {
  GeomsFile file = validLidarFile();
  file.removeGlobal("PI_NAME");
  StepOutcome outcome = stepsOn(file, 2);
  EXPECT_EQ(outcome.failedStep, 2);
  EXPECT_EQ(outcome.buffer, "** ERROR: Can't find global attribute: PI_NAME\n");
}

TEST(VerifierGlobals, SeveralFaultsInRowOrderThenAMissingAttribute) {
  GeomsFile file = validLidarFile();
  file.setGlobal("PI_ADDRESS", "1 Observatory Road;Examplia");
  file.setGlobal("DO_EMAIL", "pat\x92@example.org\x7f\x92");
  file.setGlobal("DATA_SOURCE", "LIDAR_X");
  file.setGlobal("DATA_START_DATE", "20190229T120000Z");
  file.setGlobal("DATA_FILE_VERSION", "01");
  file.setGlobal("DATA_TEMPLATE", "GEOMS-TE-LIDAR-O3-006");
  file.setGlobal("PI_EMAIL", "a;b;c");           // not counted
  file.setGlobal("DS_EMAIL", "tab\there\r\nok");  // tab, CR and LF are printable here
  StepOutcome outcome = stepsOn(file, 2);
  EXPECT_EQ(outcome.failedStep, 2);
  const std::string faults =
      "** ERROR: PI_ADDRESS requires 3 field(s)\n"
      " ** Address;Postal code and locality;Country name\n"
      " ** Number of semicolons expected=2 but 1 found\n"
      " ** PI_ADDRESS=\"1 Observatory Road;Examplia\"\n\n"
      "** ERROR: Global Attribute DO_EMAIL contains none printable characters\n"
      "** ERROR: Global Attribute DATA_SOURCE = \"LIDAR_X\" format is not correct (count=1) (Description: \"Text "
      "consists of three underscore-concatenated fields; e.g., LIDAR.O3_ZOMA.XOV003_CALVAL.TOVRA001\")\n"
      "** ERROR: Date is out of valid range of 1 to 28 for month 2\n\n"
      "** ERROR: Global Attribute DATA_START_DATE = \"20190229T120000Z\" is not ISO 8601 format (Description: \"ISO "
      "8601 date/time format (yyyymmddThhmnssZ)\")\n"
      "** ERROR: Global Attribute DATA_FILE_VERSION = \"01\" is not correct (Description: \"3-digits beginning with "
      "001 (with leading zeroes)\")\n";
  EXPECT_EQ(outcome.buffer, faults +
                                "** ERROR: Global Attribute DATA_TEMPLATE = \"GEOMS-TE-LIDAR-O3-006\" is not correct "
                                "(template being used = GEOMS-TE-LIDAR-O3-005.csv)\n");

  file.removeGlobal("DATA_QUALITY");
  outcome = stepsOn(file, 2);
  EXPECT_EQ(outcome.buffer, faults + "** ERROR: Can't find global attribute: DATA_QUALITY\n");
}

TEST(VerifierGlobals, AttributesPastTheRequiredRowsMayBeAbsent) {
  GeomsFile file = validLidarFile();
  file.removeGlobal("DATA_DESCRIPTION");
  StepOutcome outcome = stepsOn(file, 2);
  EXPECT_EQ(outcome.failedStep, 0);
  EXPECT_EQ(outcome.buffer, "");
}

TEST(VerifierGlobals, DataSourceForms) {
  const std::string description =
      " (Description: \"Text consists of three underscore-concatenated fields; e.g., "
      "LIDAR.O3_ZOMA.XOV003_CALVAL.TOVRA001\")\n";
  auto productMessage = [](const std::string& value, const std::string& product) {
    return "** ERROR: Global Attribute DATA_SOURCE = \"" + value +
           "\" format is not correct. The Product Type = \"" + product +
           "\" is not found (should contain one of these types: HIRES, CALVAL, CLIM, or GRIDDED).\n";
  };
  struct Case {
    std::string value;
    std::string expected;
  } cases[] = {
      {"LIDAR.O3_ZOMA.XOV003_CALVAL.TOVRA001", ""},
      {"lidar.o3_x_calval.x", ""},
      {"LIDAR.O3_X_clim", ""},
      {"LIDAR.O3_X_GRIDDED.2", ""},
      {"LIDAR_X", "** ERROR: Global Attribute DATA_SOURCE = \"LIDAR_X\" format is not correct (count=1)" + description},
      {"A_B_C_D", "** ERROR: Global Attribute DATA_SOURCE = \"A_B_C_D\" format is not correct (count=3)" + description},
      {"LIDAR.O3_X_CALVA", productMessage("LIDAR.O3_X_CALVA", "CALVA")},
      {"A_B_", productMessage("A_B_", "")},
      {"A_B_<hires>", productMessage("A_B_&lt;hires&gt;", "&lt;hires&gt;")},
  };
  for (const Case& c : cases) {
    GeomsFile file = validLidarFile();
    file.setGlobal("DATA_SOURCE", c.value);
    StepOutcome outcome = stepsOn(file, 2);
    EXPECT_EQ(outcome.failedStep, c.expected.empty() ? 0 : 2) << c.value;
    EXPECT_EQ(outcome.buffer, c.expected) << c.value;
  }
}

TEST(VerifierGlobals, DataTemplateAgainstTheTemplatePath) {
  struct Case {
    const char* value;
    const char* templatePath;
    bool passes;
  } cases[] = {
      {"geoms-te-lidar-o3-005", "GEOMS-TE-LIDAR-O3-005.csv", true},
      {"GEOMS-TE-LIDAR-O3-005.CSV", "GEOMS-TE-LIDAR-O3-005.csv", true},
      {"", "GEOMS-TE-LIDAR-O3-005.csv", true},
      {"GEOMS-TE-LIDAR-O3-006", "GEOMS-TE-LIDAR-O3-005.csv", false},
      {"GEOMS-TE-LIDAR-O3-005.csv.old", "GEOMS-TE-LIDAR-O3-005.csv", false},
      {"GEOMS-TE-LIDAR-O3-005", "hdf/GEOMS-TE-LIDAR-O3-005.csv", false},
      {"HDF/geoms", "hdf/GEOMS-TE-LIDAR-O3-005.csv", true},
  };
  for (const Case& c : cases) {
    GeomsFile file = validLidarFile();
    file.setGlobal("DATA_TEMPLATE", c.value);
    TempDir dir;
    std::filesystem::create_directories(dir.file("hdf"));
    putTemplate(dir);
    testing_support::writeFile(dir.file("hdf/GEOMS-TE-LIDAR-O3-005.csv"),
                               readFile(verifier_testing::defaultTemplatePath()));
    StepOutcome outcome = runSteps(dir, writeInto(dir, file), c.templatePath, 2);
    EXPECT_EQ(outcome.failedStep, c.passes ? 0 : 2) << c.value << " / " << c.templatePath;
    if (!c.passes) {
      EXPECT_EQ(outcome.buffer, std::string("** ERROR: Global Attribute DATA_TEMPLATE = \"") + c.value +
                                    "\" is not correct (template being used = " + c.templatePath + ")\n");
    }
  }
}

TEST(VerifierGlobals, DatasetAttributeNeverStandsInForAGlobalOne) {
  // A dataset written before the globals carries attributes with global names.
  GeomsFile file = validLidarFile();
  file.removeGlobal("DATA_LOCATION");
  file.dataset("LATITUDE.INSTRUMENT")->setText("DATA_LOCATION", "HILLTOP");
  StepOutcome outcome = stepsOn(file, 2);
  EXPECT_EQ(outcome.failedStep, 2);
  EXPECT_EQ(outcome.buffer, "** ERROR: Can't find global attribute: DATA_LOCATION\n");

  GeomsFile good = validLidarFile();
  good.dataset("LATITUDE.INSTRUMENT")->setText("DATA_SOURCE", "BROKEN");
  good.dataset("ALTITUDE")->setText("PI_NAME", "no semicolon");
  outcome = stepsOn(good, 3);
  EXPECT_EQ(outcome.failedStep, 0) << outcome.buffer;
}

TEST(VerifierGlobals, UnreadableAttributeIsReportedAndNotCheckedWithOtherText) {
  GeomsFile file = validLidarFile();
  file.removeGlobal("PI_AFFILIATION");
  file.emptyVdata.push_back("PI_AFFILIATION");
  file.setGlobal("DATA_FILE_VERSION", "1");
  StepOutcome outcome = stepsOn(file, 2);
  EXPECT_EQ(outcome.failedStep, 2);
  EXPECT_EQ(outcome.buffer,
            "** ERROR: Can't read global attribute: PI_AFFILIATION\n"
            "** ERROR: Global Attribute DATA_FILE_VERSION = \"1\" is not correct (Description: \"3-digits beginning "
            "with 001 (with leading zeroes)\")\n");
}

TEST(VerifierGlobals, StoresTheListAndTheDates) {
  TempDir dir;
  putTemplate(dir);
  hdfverify::GeomsChecker checker;
  StepOutcome outcome = runSteps(dir, writeInto(dir, validLidarFile()), geoms_fixture::kTemplateName, 2, &checker);
  EXPECT_EQ(outcome.failedStep, 0);
  EXPECT_EQ(checker.dataStartDate, "20200101T120000Z");
  EXPECT_EQ(checker.dataStopDate, "20200101T160000Z");
  ASSERT_EQ(checker.dataVariables.size(), 23u);
  EXPECT_EQ(checker.dataVariables[3], "DATETIME");
}

// The ISO 8601 stamp check.

TEST(VerifierIsoDate, Table) {
  const std::string T = "** ERROR: The 9th character should be capital T\n\n";
  const std::string Z = "** ERROR: The 16th character should be capital Z\n\n";
  struct Case {
    const char* text;
    int result;
    std::string messages;
  } cases[] = {
      {"20200229T120000Z", 0, ""},
      {"20000229T000000Z", 0, ""},
      {"20190229T120000Z", 1, "** ERROR: Date is out of valid range of 1 to 28 for month 2\n\n"},
      {"19000229T000000Z", 1, "** ERROR: Date is out of valid range of 1 to 28 for month 2\n\n"},
      {"20200431T000000Z", 1, "** ERROR: Date is out of valid range of 1 to 30 for month 4\n\n"},
      {"20200100T000000Z", 1, "** ERROR: Date is out of valid range of 1 to 31 for month 1\n\n"},
      {"20201231T235959Z", 0, ""},
      {"2020-01-01T00:00:00Z", 1, ""},
      {"20200101t000000Z", 1, T},
      {"20200101T000000z", 1, Z},
      {"20200101x000000z", 1, T + Z},
      {"20201301T246060Z", 1,
       "** ERROR: Month is out of valid range of 1 to 12\n\n"
       "** ERROR: Hour is out of valid range of 0 to 23\n\n** ERROR: Minute is out of valid range of 0 to 59\n\n"
       "** ERROR: Second is out of valid range of 0 to 59\n\n"},
      {"20201332T246060Z", 1,
       "** ERROR: Month is out of valid range of 1 to 12\n\n** ERROR: Date is out of valid range of 1 to 31\n\n"
       "** ERROR: Hour is out of valid range of 0 to 23\n\n** ERROR: Minute is out of valid range of 0 to 59\n\n"
       "** ERROR: Second is out of valid range of 0 to 59\n\n"},
      {"20200001T000000Z", 1, "** ERROR: Month is out of valid range of 1 to 12\n\n"},
      {"20200132T000000Z", 1, "** ERROR: Date is out of valid range of 1 to 31 for month 1\n\n"},
      {"20200101T000000Z and more", 0, ""},
      {"", 1, ""},
      {"2020", 1, ""},
      {"20200101", 1, T},
      {"20200101T", 1, ""},
      {"20200101T1200", 1, ""},
      {"20200101T120000", 1, Z},
  };
  for (const Case& c : cases) {
    std::string messages = "left over";
    EXPECT_EQ(hdfverify::checkIso8601DateTime(c.text, &messages), c.result) << c.text;
    EXPECT_EQ(messages, c.messages) << c.text;
  }
}

// The file-name step.

TEST(VerifierFileName, TheThreeNamesAndTheirCase) {
  GeomsFile file = validLidarFile();
  const std::string rightName = geoms_fixture::geomsFileName(file);
  const std::string constructed = rightName;

  struct Case {
    std::string fileNameAttribute;  // FILE_NAME
    std::string diskName;           // path relative to the folder
    std::string location;           // DATA_LOCATION
    std::string expected;           // "" when the step passes
  } cases[] = {
      {rightName, rightName, "HILLTOP", ""},
      {platform::toUpperAscii(rightName), "GroundBased_" + rightName.substr(12), "HILLTOP", ""},
      {rightName, "sub/x\\" + rightName, "HILLTOP", ""},
      {"groundbased_other.hdf", "groundbased_other.hdf", "HILLTOP",
       "** ERROR: Incorrect Filename\nSubmitted Filename: groundbased_other.hdf\n** Filename Attribute: "
       "groundbased_other.hdf\n** Constructed Filename: " +
           constructed + "\n(Note, all should be lower case)\n\n"},
      {rightName, "copy of " + rightName, "HILLTOP",
       "** ERROR: Incorrect Filename - Submitted Filename and FILE_NAME Attribute not matching.\nSubmitted Filename: "
       "copy of " +
           rightName + "\nFILE_NAME Attribute: " + rightName + "\n(Note, all should be lower case)\n\n"},
      {rightName, rightName, "HILLTOP ",
       "** ERROR: Incorrect Filename\nSubmitted Filename: " + rightName + "\n** Filename Attribute: " + rightName +
           "\n** Constructed Filename: groundbased_lidar.o3_hto001_hires_hilltop _20200101t120000z_20200101t160000z_001.hdf"
           "\n(Note, all should be lower case)\n\n"},
  };
  for (const Case& c : cases) {
    GeomsFile mutated = file;
    mutated.setGlobal("FILE_NAME", c.fileNameAttribute);
    mutated.setGlobal("DATA_LOCATION", c.location);
    TempDir dir;
    std::filesystem::create_directories(dir.file("sub"));
    putTemplate(dir);
    ASSERT_EQ(writeInto(dir, mutated, c.diskName), c.diskName);
    StepOutcome outcome = runSteps(dir, c.diskName, geoms_fixture::kTemplateName, 3);
    EXPECT_EQ(outcome.failedStep, c.expected.empty() ? 0 : 3) << c.diskName;
    EXPECT_EQ(outcome.buffer, c.expected) << c.diskName;
  }
}

}  // namespace

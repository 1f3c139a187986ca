// Steps four to six: mandatory variables, VAR attributes, variable data.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "hdfverify/text_utils.h"
#include "verifier_test_support.h"

namespace {

using geoms_fixture::GeomsFile;
using geoms_fixture::validLidarFile;
using hdfverify::GeomsChecker;
using hdfverify::Variable;
using testing_support::readFile;
using testing_support::TempDir;
using verifier_testing::putTemplate;
using verifier_testing::runSteps;
using verifier_testing::StepOutcome;
using verifier_testing::writeInto;

StepOutcome stepsOn(const GeomsFile& file, int lastStep, const std::string& templateText = "",
                    GeomsChecker* checker = nullptr) {
  TempDir dir;
  putTemplate(dir, templateText);
  return runSteps(dir, writeInto(dir, file), geoms_fixture::kTemplateName, lastStep, checker);
}

// A checker that has read the valid file and passed the global-attribute step.
GeomsChecker loadedChecker(const GeomsFile& file = validLidarFile()) {
  GeomsChecker checker;
  StepOutcome outcome = stepsOn(file, 2, "", &checker);
  EXPECT_EQ(outcome.failedStep, 0) << outcome.buffer;
  return checker;
}

std::string defaultTemplate() { return readFile(verifier_testing::defaultTemplatePath()); }

// Mandatory variables.

TEST(VerifierMandatory, ValidFilePassesWithNothingToSay) {
  GeomsChecker checker = loadedChecker();
  std::string buffer = "previous";
  EXPECT_TRUE(checker.Verify_4(&buffer));
  EXPECT_EQ(buffer, "");
}

TEST(VerifierMandatory, TemplateMustHoldExactlyTwentyOneMandatoryRows) {
  std::string text = defaultTemplate();
  size_t row21 = text.find("Source of the pressure profile,x");
  text[text.find(",x", row21) + 1] = 'o';
  StepOutcome outcome = stepsOn(validLidarFile(), 4, text);
  EXPECT_EQ(outcome.failedStep, 4);
  EXPECT_EQ(outcome.buffer, "** ERROR(a2): Missing [1] Mandatory Variable(s) as described in the template_file\n");

  // Upper-case flags count, a blank is an unknown flag.
  text = defaultTemplate();
  text[text.find(",x", text.find("Source of the pressure profile")) + 1] = 'X';
  text[text.find(",o", text.find("Source of the temperature profile")) + 1] = 'O';
  size_t row23 = text.find("Ozone partial column of each retrieved layer,o");
  text[text.find(",o", row23) + 1] = ' ';
  outcome = stepsOn(validLidarFile(), 4, text);
  EXPECT_EQ(outcome.failedStep, 0);
  EXPECT_EQ(outcome.buffer, "** ERROR template_file_variables[23]: Last column contains unknown value ( )\n");
}

TEST(VerifierMandatory, MissingMandatoryAndOptionalVariables) {
  GeomsFile file = validLidarFile();
  file.removeDataset("ALTITUDE.INSTRUMENT");
  file.removeDataset("TEMPERATURE_INDEPENDENT_SOURCE");
  StepOutcome outcome = stepsOn(file, 4);
  EXPECT_EQ(outcome.failedStep, 4);
  EXPECT_EQ(outcome.buffer,
            "** ERROR MISSING Mandatory Variable: ALTITUDE.INSTRUMENT not found in HDF file\n"
            "## WARNING [VAR_NOT_MANDATORY]: Optional data variable not found in file - VAR_NAME = "
            "TEMPERATURE_INDEPENDENT_SOURCE\n\n"
            "** ERROR(a1): Missing [1] Mandatory Variable(s) as described in the template_file\n");

  GeomsFile optionalOnly = validLidarFile();
  optionalOnly.removeDataset("TEMPERATURE_INDEPENDENT_SOURCE");
  optionalOnly.setGlobal("DATA_VARIABLES", "");
  outcome = stepsOn(optionalOnly, 4);
  EXPECT_EQ(outcome.failedStep, 0);
}

TEST(VerifierMandatory, FileVariableMissingFromTheTemplate) {
  GeomsChecker checker = loadedChecker();
  checker.hdfVarNames.push_back("EXTRA.ONE");
  checker.hdfVarNames.push_back("EXTRA&TWO");
  std::string buffer;
  EXPECT_FALSE(checker.Verify_4(&buffer));
  EXPECT_EQ(buffer,
            "** ERROR MISSING Variable: EXTRA.ONE not found in the template_file\n"
            "** ERROR MISSING Variable: EXTRA&amp;TWO not found in the template_file\n"
            "** ERROR(a3): HDF file missing 2 variable(s): All Variables described in the template_file must exist\n");
}

TEST(VerifierMandatory, AxisVarDependMustEqualTheTemplateText) {
  GeomsFile file = validLidarFile();
  file.dataset("ALTITUDE")->setText("VAR_DEPEND", "altitude");
  file.dataset("INTEGRATION.TIME")->setText("VAR_DEPEND", "DATETIME ");
  StepOutcome outcome = stepsOn(file, 4);
  EXPECT_EQ(outcome.failedStep, 4);
  EXPECT_EQ(outcome.buffer,
            "** ERROR: ALTITUDE \"VAR_DEPEND\" Attribute in HDF file (altitude) and template_file (ALTITUDE) not "
            "matching\n"
            "** ERROR: INTEGRATION.TIME \"VAR_DEPEND\" Attribute in HDF file (DATETIME ) and template_file (DATETIME) "
            "not matching\n"
            "** ERROR(4a): HDF file has 2 variable(s) with \"VAR_DEPEND\" values not matching the template_file\n");
}

TEST(VerifierMandatory, AxisVariableAbsentFromTemplateAndFileIsSkipped) {
  GeomsChecker checker = loadedChecker();
  // A template that leaves INTEGRATION.TIME out and a file without it.
  int row = hdfverify::indexInList(checker.templateVarNames, "INTEGRATION.TIME");
  checker.templateVarNames[static_cast<size_t>(row)] = "OTHER";
  checker.templateRecords[static_cast<size_t>(row)].varName = "OTHER";
  int index = hdfverify::indexInList(checker.hdfVarNames, "INTEGRATION.TIME");
  checker.hdfVarNames[static_cast<size_t>(index)] = "OTHER";
  checker.variables[static_cast<size_t>(index)].varName = "OTHER";
  std::string buffer;
  EXPECT_TRUE(checker.Verify_4(&buffer));
  // OTHER is not named so in DATA_VARIABLES: one position out of order.
  EXPECT_EQ(buffer,
            "## WARNING: 1 variable(s) in HDF file and the template file are NOT in correct matching order (VarList "
            "order)\n");
}

TEST(VerifierMandatory, OrderWarningCountsPositions) {
  GeomsFile file = validLidarFile();
  std::swap(file.datasets[8], file.datasets[9]);
  std::string list;
  for (const auto& d : file.datasets) list += (list.empty() ? "" : ";") + d.name;
  file.setGlobal("DATA_VARIABLES", list);
  StepOutcome outcome = stepsOn(file, 4);
  EXPECT_EQ(outcome.failedStep, 0);
  EXPECT_EQ(outcome.buffer,
            "## WARNING: 2 variable(s) in HDF file and the template file are NOT in correct matching order (VarList "
            "order)\n");

  // DATA_VARIABLES in another order than the datasets; a short list counts the
  // positions it does not reach.
  GeomsChecker checker = loadedChecker();
  std::swap(checker.dataVariables[0], checker.dataVariables[1]);
  checker.dataVariables.resize(18);
  std::string buffer;
  EXPECT_TRUE(checker.Verify_4(&buffer));
  EXPECT_EQ(buffer,
            "## WARNING: 5 variable(s) in HDF file and the template file are NOT in correct matching order (VarList "
            "order)\n");
}

// VAR attributes.

TEST(VerifierVarAttributes, ValidFileGivesTheListingOfMandatoryVariables) {
  GeomsChecker checker = loadedChecker();
  std::string buffer = "left by the previous step";
  ASSERT_TRUE(checker.Verify_5(&buffer)) << buffer;
  EXPECT_EQ(buffer.rfind("### Checking Var[1]:\n"
                         "# VAR_NAME = LATITUDE.INSTRUMENT\n"
                         "# VAR_UNITS = deg\n"
                         "# VAR_SIZE = 1 (rank = 1)\n"
                         "# VAR_DEPEND = CONSTANT\n"
                         "# VAR_DESCRIPTION = Instrument latitude\n"
                         "# VAR_DATA_TYPE = REAL\n"
                         "# VAR_SI_CONVERSION = 0.0;1.74533E-2;rad\n"
                         "# VAR_VALID_MIN = -90.000000\n"
                         "# VAR_VALID_MAX = 90.000000\n"
                         "# VAR_FILL_VALUE = -999.000000\n\n"
                         "### Checking Var[2]:\n",
                         0),
            0u);
  size_t last = buffer.find("### Checking Var[21]:\n");
  ASSERT_NE(last, std::string::npos);
  EXPECT_EQ(buffer.substr(last),
            "### Checking Var[21]:\n"
            "# VAR_NAME = PRESSURE_INDEPENDENT_SOURCE\n"
            "# VAR_UNITS = [empty]\n"
            "# VAR_SIZE = 4 (rank = 2)\n"
            "# VAR_DEPEND = DATETIME\n"
            "# VAR_DESCRIPTION = Pressure source\n"
            "# VAR_DATA_TYPE = STRING\n"
            "# VAR_SI_CONVERSION =  \n"
            "# VAR_VALID_MIN = -9999999.000000\n"
            "# VAR_VALID_MAX = -9999999.000000\n"
            "# VAR_FILL_VALUE = -9999999.000000\n\n");
  EXPECT_EQ(buffer.find("### Checking Var[22]"), std::string::npos);
}

TEST(VerifierVarAttributes, WrongUnitsAfterTheListingSoFar) {
  GeomsFile file = validLidarFile();
  file.dataset("ALTITUDE")->setText("VAR_UNITS", "km");
  file.dataset("ALTITUDE")->setText("VAR_SI_CONVERSION", "0.0;1.0E3;m");
  StepOutcome outcome = stepsOn(file, 5);
  EXPECT_EQ(outcome.failedStep, 5);
  const std::string tail =
      "# VAR_FILL_VALUE = -999.000000\n\n"
      "** ERROR Variable: ALTITUDE\n** Wrong units\n** VAR_UNITS = \"km\" (it should be \"m\" as defined in the "
      "template_file)\n\n";
  ASSERT_GE(outcome.buffer.size(), tail.size());
  EXPECT_EQ(outcome.buffer.substr(outcome.buffer.size() - tail.size()), tail);
  EXPECT_NE(outcome.buffer.find("### Checking Var[8]:\n# VAR_NAME = ALTITUDE\n"), std::string::npos);
  EXPECT_EQ(outcome.buffer.find("### Checking Var[9]"), std::string::npos);
}

TEST(VerifierVarAttributes, WrongVarDataTypeOfAMandatoryVariable) {
  GeomsFile file = validLidarFile();
  // The data and attributes are DOUBLE as VAR_DATA_TYPE says, the template says REAL.
  geoms_fixture::Dataset* altitude = file.dataset("ALTITUDE");
  altitude->numberType = geoms_fixture::kFloat64;
  altitude->setText("VAR_DATA_TYPE", "DOUBLE");
  std::string text = defaultTemplate();
  text.replace(text.find("ALTITUDE,ALTITUDE,m,REAL"), 24, "ALTITUDE,ALTITUDE,m,DOUBLE");
  for (const char* name : {"VAR_VALID_MIN", "VAR_VALID_MAX", "VAR_FILL_VALUE"}) {
    altitude->attribute(name)->numberType = geoms_fixture::kFloat64;
  }
  GeomsChecker checker;
  StepOutcome outcome = stepsOn(file, 4, text, &checker);
  ASSERT_EQ(outcome.failedStep, 0) << outcome.buffer;
  checker.templateRecords[7].varDataType = "REAL";
  std::string buffer;
  EXPECT_FALSE(checker.checkVarAttributes(checker.variables[7], "VAR_DATA_TYPE", &buffer));
  EXPECT_EQ(buffer,
            "** ERROR Variable: ALTITUDE\n** Wrong data_type\n** VAR_DATA_TYPE = \"DOUBLE\" (it should be \"REAL\" as "
            "defined in the template_file)\n");
  checker.templateRecords[7].varDataType = "FLOAT";
  EXPECT_FALSE(checker.checkVarAttributes(checker.variables[7], "VAR_DATA_TYPE", &buffer));
  EXPECT_EQ(buffer, "** ERROR Variable ALTITUDE:\n** Unknown Data Type \"FLOAT\" found in the template_file\n");
  checker.templateRecords[7].varDataType = "double";
  EXPECT_FALSE(checker.checkVarAttributes(checker.variables[7], "VAR_DATA_TYPE", &buffer));
  EXPECT_NE(buffer.find("Wrong data_type"), std::string::npos);
}

// A variable for the rule tests, with its own template row.
struct RuleFixture {
  GeomsChecker checker;
  Variable v;
  RuleFixture(const std::string& type, const std::string& units) {
    v.varName = "TEST.VARIABLE";
    v.varDataType = type;
    v.varUnits = units;
    v.rank = 1;
    v.dims[0] = 5;
    v.varSize = "5";
    v.varDepend = "DATETIME";
    v.validMin = 0;
    v.validMax = 100;
    v.fillValue = -999;
    hdfverify::TemplateRecord row;
    row.varName = v.varName;
    row.varDependOptions = "DATETIME";
    row.varUnits = units;
    row.varDataType = type;
    row.flag = 'x';
    checker.templateRecords.push_back(row);
    checker.templateVarNames.push_back(row.varName);
  }
  std::string run(const std::string& attribute) {
    std::string buffer;
    return checker.checkVarAttributes(v, attribute, &buffer) ? "" : buffer;
  }
};

TEST(VerifierVarAttributes, SiConversionRule) {
  auto mismatch = [](const std::string& units, const std::string& fromFile, const std::string& expected) {
    return "** ERROR Variable: TEST.VARIABLE\n** VAR attribute VAR_SI_CONVERSION is not correct per its "
           "VAR_UNITS\nValues read from HDF file:\nVAR_UNITS = " +
           units + "\nVAR_SI_CONVERSION from file = \"" + fromFile + "\"\nVAR_SI_CONVERSION Expected = \"" +
           expected + "\" \n";
  };
  struct Case {
    const char* type;
    const char* units;
    const char* si;
    std::string expected;
  } cases[] = {
      {"REAL", "km", "0.0;1.0E3;m", ""},
      {"REAL", "km", "0.0;1.0e3;M", ""},
      {"REAL", "km", "0.0;1000.0;m", mismatch("km", "0.0;1000.0;m", "0.0;1.0E3;m")},
      {"REAL", "KM", "0.0;1.0E3;m", mismatch("KM", "0.0;1.0E3;m", " ")},
      {"DOUBLE", "Mmolec cm-2", "0.0;1.66054E-14;mol m-2", ""},
      {"DOUBLE", "Mmolec cm-2", "0.0;1.66054E-23;mol m-2",
       mismatch("Mmolec cm-2", "0.0;1.66054E-23;mol m-2", "0.0;1.66054E-14;mol m-2")},
      {"INTEGER", "m", "0;1;m", ""},
      {"INTEGER", "m", "0.0;1.0;m", mismatch("m", "0.0;1.0;m", "0;1;m")},
      {"INTEGER", "n", "0;1E-9;m", ""},
      {"INTEGER", "s", "0;1;s", mismatch("s", "0;1;s", " ")},
      {"STRING", "[empty]", "", ""},
      {"STRING", "[empty]", " ", ""},
      {"STRING", "[empty]", "0;1;m",
       "** ERROR Variable: TEST.VARIABLE\n** VAR attribute VAR_DATA_TYPE=STRING but its VAR_SI_CONVERSION is not "
       "[empty]\nValue read from HDF file VAR_SI_CONVERSION = \"0;1;m\" \n"},
      {"REAL", "m", "0.0;1.0",
       "** ERROR Variable: TEST.VARIABLE\n** VAR attribute \"VAR_SI_CONVERSION\" should only contain "
       "\"Offset;Conversion factor;Base unit\" (3 semicolon-separated fields)\nValue read from HDF file "
       "VAR_SI_CONVERSION = \"0.0;1.0\" \n"},
      {"REAL", "furlong", "0.0;201.168;m", mismatch("furlong", "0.0;201.168;m", " ")},
  };
  for (const Case& c : cases) {
    RuleFixture f(c.type, c.units);
    f.v.varSiConversion = c.si;
    EXPECT_EQ(f.run("VAR_SI_CONVERSION"), c.expected) << c.type << " " << c.units << " " << c.si;
  }
}

TEST(VerifierVarAttributes, ValueRule) {
  auto rangeMessage = [](const char* min, const char* max, const char* fill) {
    return std::string(
               "** ERROR Variable: TEST.VARIABLE\n** VAR attributes VAR_VALID_MIN, VAR_VALID_MAX, and/or "
               "VAR_FILL_VALUE seem incorrect.\nValues read from HDF file:\nVAR_VALID_MIN = ") +
           min + "\nVAR_VALID_MAX = " + max + "\nVAR_FILL_VALUE = " + fill + "\n";
  };
  struct Case {
    const char* name;
    double min, max, fill;
    std::string expected;
  } cases[] = {
      {"TEST.VARIABLE", 0, 100, -999, ""},
      {"TEST.VARIABLE", 0, 100, 50, rangeMessage("0.000000", "100.000000", "50.000000")},
      {"TEST.VARIABLE", 0, 100, 100, rangeMessage("0.000000", "100.000000", "100.000000")},
      {"TEST.VARIABLE", 100, 0, -999, rangeMessage("100.000000", "0.000000", "-999.000000")},
      {"TEST.VARIABLE", -9999999.0, -9999999.0, -9999999.0, ""},
      {"TEST.VARIABLE", 0, 100, std::nan(""), ""},
      {"LATITUDE.INSTRUMENT", -90, 90.0, -999, ""},
      {"LATITUDE.INSTRUMENT", -90, 90.5, -999,
       "** ERROR Variable: LATITUDE.INSTRUMENT\n** VAR attributes VAR_VALID_MIN and/or VAR_VALID_MAX seem "
       "incorrect.\nValues read from HDF file:\nVAR_VALID_MIN = -90.000000 (Must NOT be LESS_THAN -90.0)\n"
       "VAR_VALID_MAX = 90.500000 (Must NOT be GREATER_THAN 90.0)\n"},
      {"LONGITUDE.INSTRUMENT", -180.0, 180, -999, ""},
      {"LONGITUDE.INSTRUMENT", -180.5, 180, -999,
       "** ERROR Variable: LONGITUDE.INSTRUMENT\n** VAR attributes VAR_VALID_MIN and/or VAR_VALID_MAX seem NOT "
       "correct.\nValues read from HDF file:\nVAR_VALID_MIN = -180.500000 (Must NOT be LESS_THAN -180.0)\n"
       "VAR_VALID_MAX = 180.000000 (Must NOT be GREATER_THAN 180.0)\n"},
  };
  for (const Case& c : cases) {
    RuleFixture f("REAL", "m");
    f.v.varName = c.name;
    f.checker.templateVarNames[0] = c.name;
    f.checker.templateRecords[0].varName = c.name;
    f.v.validMin = c.min;
    f.v.validMax = c.max;
    f.v.fillValue = c.fill;
    for (const char* attribute : {"VAR_VALID_MIN", "VAR_VALID_MAX", "VAR_FILL_VALUE"}) {
      EXPECT_EQ(f.run(attribute), c.expected) << c.name << " " << c.min << " " << c.max << " " << c.fill;
    }
  }
}

TEST(VerifierVarAttributes, SizeRule) {
  struct Case {
    std::vector<int> dims;
    std::string type, size, depend;
    std::string expected;
  } cases[] = {
      {{5}, "REAL", "5", "DATETIME", ""},
      {{5}, "REAL", "abc", "DATETIME",
       "** ERROR variable: TEST.VARIABLE\n** VAR attribute \"VAR_SIZE\" should ONLY contain integers\nValue read "
       "from HDF file VAR_SIZE = abc\n"},
      {{5}, "REAL", "10;x", "DATETIME",
       "** ERROR Variable: TEST.VARIABLE\n** VAR attribute \"VAR_SIZE\" should ONLY contain integers [plus "
       "semicolons ONLY when separating sizes (multi-dimension)]\nValue read from HDF file VAR_SIZE = 10;x\n"},
      {{1, 50}, "REAL", "1;50", "CONSTANT", ""},
      {{50, 1}, "REAL", "50", "ALTITUDE", ""},
      {{24, 1, 300}, "REAL", "24;300", "DATETIME;ALTITUDE", ""},
      {{1, 50}, "REAL", "50", "DATETIME",
       "** ERROR Variable: TEST.VARIABLE\n** VAR_SIZE is different than variable dimension\nValues read from HDF "
       "file:\nVAR_SIZE = 50\nVariable dimension (SDS) = 1;50\n"},
      {{7, 3}, "STRING", "4", "DATETIME", ""},
      {{2}, "REAL", "2", "CONSTANT",
       "** ERROR Variable: TEST.VARIABLE\n** VAR attribute \"VAR_SIZE\" should be \"1\" (its "
       "VAR_DEPEND=\"CONSTANT\")\n** Value read from HDF file VAR_SIZE = 2\n"},
      {{24, 1}, "REAL", "24", "DATETIME;ALTITUDE",
       "** ERROR Variable: TEST.VARIABLE\n** VAR attributes \"VAR_SIZE\" and \"VAR_DEPEND\" should have the same "
       "number of items (semicolon-separated fields)\nValues read from HDF file: VAR_SIZE has 1 items, VAR_DEPEND "
       "has 2 items\n"},
      {{24, 301}, "REAL", "24;301", "DATETIME;ALTITUDE",
       "** ERROR Variable: TEST.VARIABLE\n** VAR attribute VAR_SIZE = 24;301 is inconsistent with "
       "VAR_DEPEND\nValues read from HDF file:\n -- VAR_DEPEND = DATETIME;ALTITUDE\n -- Expected Value for VAR_SIZE "
       "= 24;300\n"},
      {{24, 300}, "REAL", "24;300", "DATETIME;NOWHERE",
       "** ERROR Variable: TEST.VARIABLE\n** VAR attribute VAR_SIZE = 24;300 is inconsistent with "
       "VAR_DEPEND\nValues read from HDF file:\n -- VAR_DEPEND = DATETIME;NOWHERE\n -- Expected Value for VAR_SIZE "
       "= 24;\n"},
  };
  for (const Case& c : cases) {
    RuleFixture f(c.type, "m");
    Variable dateTime;
    dateTime.varName = "DATETIME";
    dateTime.varSize = "24";
    Variable altitude;
    altitude.varName = "ALTITUDE";
    altitude.varSize = "300";
    f.checker.variables = {dateTime, altitude};
    f.v.rank = static_cast<int>(c.dims.size());
    for (size_t d = 0; d < c.dims.size(); ++d) f.v.dims[d] = c.dims[d];
    f.v.varSize = c.size;
    f.v.varDepend = c.depend;
    EXPECT_EQ(f.run("VAR_SIZE"), c.expected) << c.size << " / " << c.depend;
  }
}

TEST(VerifierVarAttributes, DependRuleAndDescription) {
  RuleFixture f("REAL", "m");
  Variable dateTime;
  dateTime.varName = "DATETIME";
  dateTime.varSize = "24";
  Variable altitude;
  altitude.varName = "ALTITUDE";
  altitude.varSize = "301";
  f.checker.variables = {dateTime, altitude};
  f.checker.dateTimeIndex = 0;
  f.checker.altitudeIndex = 1;
  f.v.varDepend = "ALTITUDE";
  f.v.varSize = "300";
  EXPECT_EQ(f.run("VAR_DEPEND"),
            "** ERROR Variable: TEST.VARIABLE\n** VAR_DEPEND = \"ALTITUDE\" but its VAR_SIZE = 300 (it should be 301 "
            "[same size as variable \"ALTITUDE\"])\n");
  f.v.varSize = "301;7";
  EXPECT_EQ(f.run("VAR_DEPEND"), "");
  f.v.varDepend = "DATETIME";
  f.v.varSize = "99999999999999999999";
  EXPECT_NE(f.run("VAR_DEPEND"), "");
  f.v.varDepend = "CONSTANT";
  f.v.varSize = "2";
  EXPECT_EQ(f.run("VAR_DEPEND"),
            "** ERROR Variable: TEST.VARIABLE\n** VAR_DEPEND = \"CONSTANT\" but its VAR_SIZE = 2 (it should be 1)\n");
  f.v.varDepend = "DATETIME";
  f.checker.dateTimeIndex = -1;
  EXPECT_EQ(f.run("VAR_DEPEND"),
            "** ERROR Variable: TEST.VARIABLE\n** VAR_DEPEND = \"DATETIME\" but the HDF file has no variable "
            "\"DATETIME\"\n");
  f.v.varDescription = "ab";
  EXPECT_EQ(f.run("VAR_DESCRIPTION"),
            "** ERROR Variable: TEST.VARIABLE\n** VAR_DESCRIPTION seems invalid (too short [length < 3]).\nValue read "
            "from HDF file:\nVAR_DESCRIPTION = \"ab\" \nNote: VAR_DESCRIPTION should clearly identify the variable\n");
  f.v.varDescription = "abc";
  EXPECT_EQ(f.run("VAR_DESCRIPTION"), "");
  EXPECT_EQ(f.run("VAR_NAME"), "");
}

TEST(VerifierVarAttributes, CheckVarDependOptions) {
  std::string buffer = "kept";
  EXPECT_TRUE(hdfverify::checkVarDepend("[DATETIME|ALTITUDE]", "DATETIME", "V", 'x', &buffer));
  EXPECT_TRUE(hdfverify::checkVarDepend("[DATETIME|ALTITUDE]", "ALTITUDE", "V", 'x', &buffer));
  EXPECT_EQ(buffer, "kept");
  EXPECT_FALSE(hdfverify::checkVarDepend("[DATETIME|ALTITUDE]", "datetime", "V", 'x', &buffer));
  EXPECT_EQ(buffer,
            "** ERROR Variable: V\n** Wrong VAR_DEPEND\n** VAR_DEPEND = \"datetime\" (it should be one of these "
            "options [variables] \"[DATETIME|ALTITUDE]\" as defined in the template_file)\n\n");
  EXPECT_FALSE(hdfverify::checkVarDepend("ALTITUDE", "DATETIME", "V", 'o', &buffer));
  EXPECT_EQ(buffer,
            "## WARNING Variable: V\n## Wrong VAR_DEPEND\n## VAR_DEPEND = \"DATETIME\" (it should be  \"ALTITUDE\" as "
            "defined in the template_file)\n\n");
  buffer = "kept";
  EXPECT_FALSE(hdfverify::checkVarDepend("ALTITUDE", "DATETIME", "V", ' ', &buffer));
  EXPECT_EQ(buffer, "kept");
}

TEST(VerifierVarAttributes, OptionalVariableWithWrongDependFailsWithAWarning) {
  GeomsFile file = validLidarFile();
  file.dataset("O3.COLUMN.PARTIAL_DERIVED")->setText("VAR_DEPEND", "DATETIME");
  StepOutcome outcome = stepsOn(file, 5);
  EXPECT_EQ(outcome.failedStep, 5);
  EXPECT_EQ(outcome.buffer,
            "## WARNING Variable: O3.COLUMN.PARTIAL_DERIVED\n## Wrong VAR_DEPEND\n## VAR_DEPEND = \"DATETIME\" (it "
            "should be one of these options [variables] \"[DATETIME;ALTITUDE|ALTITUDE]\" as defined in the "
            "template_file)\n\n");
}

TEST(VerifierVarAttributes, TooFewAttributes) {
  GeomsChecker checker = loadedChecker();
  checker.variables[22].attrCount = 9;
  std::string buffer;
  EXPECT_FALSE(checker.Verify_5(&buffer));
  EXPECT_EQ(buffer,
            "** ERROR Variable: O3.COLUMN.PARTIAL_DERIVED\n** Num of Attributes (N = 9) seems incorrect, Expecting at "
            "least 10 Attributes:\n  VAR_NAME\n  VAR_UNITS\n  VAR_SIZE\n  VAR_DEPEND\n  VAR_DESCRIPTION\n  "
            "VAR_DATA_TYPE\n  VAR_SI_CONVERSION\n  VAR_VALID_MIN\n  VAR_VALID_MAX\n  VAR_FILL_VALUE");
}

TEST(VerifierVarAttributes, GroupsShareOneSize) {
  GeomsChecker checker = loadedChecker();
  for (auto& row : checker.templateRecords) row.flag = 'o';  // no listing, no attribute rules
  checker.variables[2].varSize = "2";
  std::string buffer;
  EXPECT_FALSE(checker.Verify_5(&buffer));
  EXPECT_EQ(buffer,
            "** ERROR: LATITUDE, LONGITUDE and ALTITUDE have different VAR_SIZE\n LATITUDE.INSTRUMENT VAR_SIZE = 1\n "
            "LONGITUDE.INSTRUMENT VAR_SIZE =  1\n ALTITUDE.INSTRUMENT VAR_SIZE =  2\n");
  checker.variables[2].varSize = "1";
  checker.variables[6].varSize = "5";
  EXPECT_FALSE(checker.Verify_5(&buffer));
  EXPECT_EQ(buffer,
            "** ERROR: DATETIME Var(s) and INTEGRATION.TIME have different VAR_SIZE\n DATETIME VAR_SIZE = 4\n "
            "DATETIME.START VAR_SIZE =  4\n DATETIME.STOP VAR_SIZE =  4\n INTEGRATION.TIME VAR_SIZE = 5\n");
  checker.variables[6].varSize = "4";
  EXPECT_TRUE(checker.Verify_5(&buffer));
  EXPECT_EQ(buffer, "");
}

// Variable data.

// A file whose ALTITUDE axis has the given values (and as many levels).
GeomsFile withAltitudes(const std::vector<double>& values) {
  GeomsFile file = validLidarFile(4, static_cast<int>(values.size()));
  file.dataset("ALTITUDE")->value = [values](size_t i) { return values[i]; };
  return file;
}

TEST(VerifierData, ValidFilePassesSilently) {
  StepOutcome outcome = stepsOn(validLidarFile(), 6);
  EXPECT_EQ(outcome.failedStep, 0);
  EXPECT_EQ(outcome.buffer, "");
}

TEST(VerifierData, AltitudeOrder) {
  struct Case {
    std::vector<double> values;
    std::string expected;
  } cases[] = {
      {{100, 200, 300, -999, 500}, ""},
      {{100, 50, 200, 300}, ""},
      {{100, 200, 150, 120},
       "** ERROR Variable: ALTITUDE\n** ALTITUDE Ascending Order incorrect (Data_Array[3] = 120.000000, "
       "Data_Array[2] = 150.000000)\n"},
      {{500, 400, 450, 460, 300},
       "** ERROR Variable: ALTITUDE\n** ALTITUDE Descending Order incorrect (Data_Array[3] = 460.000000, "
       "Data_Array[2] = 450.000000)\n"},
  };
  for (const Case& c : cases) {
    StepOutcome outcome = stepsOn(withAltitudes(c.values), 6);
    EXPECT_EQ(outcome.failedStep, c.expected.empty() ? 0 : 6);
    EXPECT_EQ(outcome.buffer, c.expected);
  }
  // An ALTITUDE that depends on DATETIME is no ordered axis.
  TempDir dir;
  putTemplate(dir);
  GeomsChecker checker;
  std::string name = writeInto(dir, withAltitudes({100, 200, 150, 120}));
  ASSERT_EQ(runSteps(dir, name, geoms_fixture::kTemplateName, 5, &checker).failedStep, 0);
  checker.variables[7].varDepend = "DATETIME";
  testing_support::CurrentDirScope here(dir.path());
  std::string buffer;
  EXPECT_TRUE(checker.Verify_6(&buffer)) << buffer;
}

// An ALTITUDE stored with trailing dimensions of 1 is a profile as long as its
// one dimension of more than 1 (the one its VAR_DEPEND "ALTITUDE" names).
TEST(VerifierData, AltitudeWithDimensionsOfOneIsJudgedLikeRankOne) {
  const std::string ascendingFault =
      "** ERROR Variable: ALTITUDE\n** ALTITUDE Ascending Order incorrect (Data_Array[3] = 1200.000000, "
      "Data_Array[2] = 1500.000000)\n";
  const std::string descendingFault =
      "** ERROR Variable: ALTITUDE\n** ALTITUDE Descending Order incorrect (Data_Array[3] = 4600.000000, "
      "Data_Array[2] = 4500.000000)\n";
  struct Case {
    std::vector<double> values;
    std::string expected;
  } cases[] = {
      {{1000, 2000, 3000, 4000, 5000}, ""},
      {{5000, 4000, 3000, 2000, 1000}, ""},
      {{1000, 2000, 1500, 1200, 5000}, ascendingFault},
      {{5000, 4000, 4500, 4600, 1000}, descendingFault},
  };
  for (const std::vector<int32_t>& dims : {std::vector<int32_t>{5}, {5, 1}, {5, 1, 1}}) {
    for (const Case& c : cases) {
      GeomsFile file = withAltitudes(c.values);
      file.dataset("ALTITUDE")->dims = dims;
      StepOutcome outcome = stepsOn(file, 6);
      EXPECT_EQ(outcome.failedStep, c.expected.empty() ? 0 : 6) << dims.size() << " " << c.values[0];
      EXPECT_EQ(outcome.buffer, c.expected) << dims.size() << " " << c.values[0];
    }
  }
}

// A one-profile axis stored with dimensions of 1 before, after or around its
// levels: the VAR_DEPEND item ALTITUDE names the dimension of the levels, so
// the profile is those levels and its direction is that of its values.
TEST(VerifierData, OneProfileAxisWithDimensionsOfOneRunsAlongItsLevels) {
  struct Shape {
    const char* axis;
    std::vector<int32_t> dims;
  } shapes[] = {
      {"PRESSURE_INDEPENDENT", {1, 6}},    {"PRESSURE_INDEPENDENT", {1, 1, 6}},
      {"PRESSURE_INDEPENDENT", {1, 6, 1}}, {"PRESSURE_INDEPENDENT", {1, 1, 1, 6}},
      {"ALTITUDE", {6}},                   {"ALTITUDE", {6, 1, 1}},
      {"ALTITUDE", {1, 6}},                {"ALTITUDE", {1, 1, 6}},
      {"ALTITUDE", {1, 6, 1}},
  };
  auto fault = [](const std::string& axis, const char* order, const char* at3, const char* at2) {
    return "** ERROR Variable: " + axis + "\n** " + axis + " " + order + " incorrect (Data_Array[3] = " + at3 +
           ", Data_Array[2] = " + at2 + ")\n";
  };
  for (const Shape& shape : shapes) {
    const std::string axis = shape.axis;
    struct Case {
      std::vector<double> values;
      std::string expected;
    } cases[] = {
        {{100, 150, 200, 250, 300, 350}, ""},
        {{350, 300, 250, 200, 150, 100}, ""},
        {{100, 150, 120, 110, 300, 350}, fault(axis, "Ascending Order", "110.000000", "120.000000")},
        {{350, 300, 330, 340, 150, 100}, fault(axis, "Descending Order", "340.000000", "330.000000")},
    };
    for (const Case& c : cases) {
      GeomsFile file = validLidarFile(1, 6);
      geoms_fixture::Dataset* dataset = file.dataset(axis);
      dataset->dims = shape.dims;
      dataset->value = [values = c.values](size_t i) { return values[i]; };
      const std::string label = axis + " " + testing::PrintToString(shape.dims) + " from " + std::to_string(c.values[0]);
      // The data step on the file as read (an ALTITUDE with a first
      // dimension of 1 has a VAR_SIZE that the other variables' sizes do not
      // repeat, which the attribute step would report first).
      TempDir dir;
      putTemplate(dir);
      GeomsChecker checker;
      ASSERT_EQ(runSteps(dir, writeInto(dir, file), geoms_fixture::kTemplateName, 4, &checker).failedStep, 0)
          << label;
      std::string buffer;
      {
        testing_support::CurrentDirScope here(dir.path());
        EXPECT_EQ(checker.Verify_6(&buffer), c.expected.empty()) << label;
      }
      EXPECT_EQ(buffer, c.expected) << label;
      // Where the VAR attributes agree with the shape, the whole file passes.
      if (c.expected.empty() && (axis == "PRESSURE_INDEPENDENT" || shape.dims.front() == 6)) {
        StepOutcome outcome = stepsOn(file, 6);
        EXPECT_EQ(outcome.failedStep, 0) << label;
        EXPECT_EQ(outcome.buffer, "") << label;
      }
    }
  }
}

TEST(VerifierData, PressureAxisOfTwoDimensionsRunsOneWayPerProfile) {
  GeomsFile file = validLidarFile(5, 8);
  StepOutcome outcome = stepsOn(file, 6);
  EXPECT_EQ(outcome.failedStep, 0) << outcome.buffer;
  file.dataset("PRESSURE_INDEPENDENT")->value = [](size_t i) {
    size_t level = i % 8;
    return level == 5 ? 900.0 : level == 6 ? 950.0 : 1000.0 - 50.0 * static_cast<double>(level);
  };
  outcome = stepsOn(file, 6);
  EXPECT_EQ(outcome.failedStep, 6);
  EXPECT_EQ(outcome.buffer,
            "** ERROR Variable: PRESSURE_INDEPENDENT\n** PRESSURE_INDEPENDENT Descending Order incorrect "
            "(Data_Array[6] = 950.000000, Data_Array[5] = 900.000000)\n");
}

TEST(VerifierData, RangeLinesLowerFirst) {
  GeomsFile file = validLidarFile();
  file.dataset("O3.MIXING.RATIO.VOLUME_DERIVED")->value = [](size_t i) { return i == 3 ? -1.5 : i == 7 ? 60.0 : 1.0; };
  file.dataset("O3.MIXING.RATIO.VOLUME_DERIVED_UNCERTAINTY.COMBINED.STANDARD")->value = [](size_t) { return 99.0; };
  StepOutcome outcome = stepsOn(file, 6);
  EXPECT_EQ(outcome.failedStep, 6);
  EXPECT_EQ(outcome.buffer,
            "** ERROR Variable: O3.MIXING.RATIO.VOLUME_DERIVED\n** Min Data(-1.500000) is LESS_THAN "
            "VAR_VALID_MIN(0.000000) Attribute.\n\n"
            "** ERROR Variable: O3.MIXING.RATIO.VOLUME_DERIVED\n** Max Data(60.000000) is GREATER_THAN "
            "VAR_VALID_MAX(50.000000) Attribute\n\n");
}

// Large datasets are read and tested slab by slab: what a slab finds carries
// into the next, so the report is that of one pass over every value.
TEST(VerifierData, RangeOverManySlabsIsThatOfTheWholeDataset) {
  const int profiles = 300, altitudes = 300;  // 360 KB per dataset: more than one slab
  const size_t last = static_cast<size_t>(profiles) * altitudes - 1;
  GeomsFile file = validLidarFile(profiles, altitudes);
  // Crossings in the first slab and larger ones in the last.
  file.dataset("O3.MIXING.RATIO.VOLUME_DERIVED")->value = [last](size_t i) {
    return i == 5 ? -1.5 : i == 7 ? 60.0 : i == last - 3 ? -2.5 : i == last ? 70.0 : 1.0;
  };
  // Only the last value is not fill (no warning), and nothing but fill (a warning).
  file.dataset("TEMPERATURE_INDEPENDENT")->value = [last](size_t i) { return i == last ? 250.0 : -999.0; };
  file.dataset("O3.NUMBER.DENSITY_ABSORPTION.DIFFERENTIAL")->value = [](size_t) { return -999.0; };
  StepOutcome outcome = stepsOn(file, 6);
  EXPECT_EQ(outcome.failedStep, 6);
  EXPECT_EQ(outcome.buffer,
            "## WARNING Variable: O3.NUMBER.DENSITY_ABSORPTION.DIFFERENTIAL\nThis variable contains only fill "
            "value(-999.0)\n"
            "** ERROR Variable: O3.MIXING.RATIO.VOLUME_DERIVED\n** Min Data(-2.500000) is LESS_THAN "
            "VAR_VALID_MIN(0.000000) Attribute.\n\n"
            "** ERROR Variable: O3.MIXING.RATIO.VOLUME_DERIVED\n** Max Data(70.000000) is GREATER_THAN "
            "VAR_VALID_MAX(50.000000) Attribute\n\n");
}

TEST(VerifierData, WarningsStayAndTheStepGoesOn) {
  GeomsFile file = validLidarFile();
  file.dataset("INTEGRATION.TIME")->value = [](size_t) { return -999.0; };
  geoms_fixture::Dataset* resolution =
      file.dataset("O3.NUMBER.DENSITY_ABSORPTION.DIFFERENTIAL_RESOLUTION.ALTITUDE.DF.CUTOFF");
  resolution->setNumber("VAR_VALID_MIN", 0.0);
  resolution->setNumber("VAR_VALID_MAX", 0.0);
  resolution->value = [](size_t) { return 0.0; };
  TempDir dir;
  putTemplate(dir);
  GeomsChecker checker;
  StepOutcome outcome = runSteps(dir, writeInto(dir, file), geoms_fixture::kTemplateName, 6, &checker);
  EXPECT_EQ(outcome.failedStep, 0);
  const std::string& buffer = outcome.buffer;
  EXPECT_EQ(buffer,
            "## WARNING Variable: INTEGRATION.TIME\nThis variable contains only fill value(-999.0)\n"
            "## WARNING Variable: O3.NUMBER.DENSITY_ABSORPTION.DIFFERENTIAL_RESOLUTION.ALTITUDE.DF.CUTOFF\nThis "
            "variable Min Data(0.000000) and Max Data(0.000000) have the same value\n");
}

TEST(VerifierData, StopTimeAgainstDataStopDate) {
  GeomsFile file = validLidarFile();
  file.setGlobal("DATA_STOP_DATE", "20200101T170000Z");
  file.setGlobal("FILE_NAME", geoms_fixture::geomsFileName(file));
  StepOutcome outcome = stepsOn(file, 6);
  EXPECT_EQ(outcome.failedStep, 6);
  EXPECT_EQ(outcome.buffer,
            "** ERROR: Global Attribute DATA_STOP_DATE=20200101T170000Z does not match first entry in "
            "DATETIME.STOP=20200101T160000Z\n");
}

TEST(VerifierData, NonIncreasingDateTime) {
  GeomsFile file = validLidarFile();
  file.dataset("DATETIME")->value = [](size_t i) { return i == 0 ? 7305.0 : i == 3 ? 7306.0 : 7305.5; };
  StepOutcome outcome = stepsOn(file, 6);
  EXPECT_EQ(outcome.failedStep, 6);
  EXPECT_EQ(outcome.buffer,
            "** ERROR Variable: DATETIME\n** Values are not in chronological order. DATETIME[1]=7305.500000 and "
            "DATETIME[2]=7305.500000\n");
}

TEST(VerifierData, TimeVariableOutOfRangeIsStillCheckedForOrder) {
  GeomsFile file = validLidarFile();
  file.dataset("DATETIME")->value = [](size_t i) { return i == 0 ? 7305.0 : i == 3 ? 50000.0 : 7305.5; };
  StepOutcome outcome = stepsOn(file, 6);
  EXPECT_EQ(outcome.failedStep, 6);
  EXPECT_EQ(outcome.buffer,
            "** ERROR Variable: DATETIME\n** Max Data(50000.000000) is GREATER_THAN VAR_VALID_MAX(40000.000000) "
            "Attribute\n\n"
            "** ERROR Variable: DATETIME\n** Values are not in chronological order. DATETIME[1]=7305.500000 and "
            "DATETIME[2]=7305.500000\n");

  // In order but out of range: the range line alone, and no later variable is read.
  file.dataset("DATETIME")->value = [](size_t i) { return i == 3 ? 50000.0 : 7305.0 + 0.1 * static_cast<double>(i); };
  file.dataset("INTEGRATION.TIME")->value = [](size_t) { return 99.0; };
  outcome = stepsOn(file, 6);
  EXPECT_EQ(outcome.failedStep, 6);
  EXPECT_EQ(outcome.buffer,
            "** ERROR Variable: DATETIME\n** Max Data(50000.000000) is GREATER_THAN VAR_VALID_MAX(40000.000000) "
            "Attribute\n\n");
}

TEST(VerifierData, OptionalDoubleDataWithRealAttributesIsReadByItsOwnType) {
  GeomsFile file = validLidarFile(6, 9);
  geoms_fixture::Dataset* column = file.dataset("O3.COLUMN.PARTIAL_DERIVED");
  column->numberType = geoms_fixture::kFloat64;  // its limits stay 32-bit floats
  column->setText("VAR_DATA_TYPE", "DOUBLE");
  column->value = [](size_t i) { return 0.5 + 0.001 * static_cast<double>(i); };
  StepOutcome outcome = stepsOn(file, 6);
  EXPECT_EQ(outcome.failedStep, 0) << outcome.buffer;
  column->value = [](size_t i) { return i == 53 ? 1234.5 : 1.0; };
  outcome = stepsOn(file, 6);
  EXPECT_EQ(outcome.failedStep, 6);
  EXPECT_EQ(outcome.buffer,
            "** ERROR Variable: O3.COLUMN.PARTIAL_DERIVED\n** Max Data(1234.500000) is GREATER_THAN "
            "VAR_VALID_MAX(1000.000000) Attribute\n\n");
}

TEST(VerifierData, ReadFailureNamesTheVariableAndItsType) {
  TempDir dir;
  putTemplate(dir);
  std::string name = writeInto(dir, validLidarFile());
  // A checker owns its open file and so is not copied: each case loads its own.
  auto checkerAfterFifthStep = [&] {
    GeomsChecker checker;
    EXPECT_EQ(runSteps(dir, name, geoms_fixture::kTemplateName, 5, &checker).failedStep, 0);
    return checker;
  };
  testing_support::CurrentDirScope here(dir.path());
  const std::string failure =
      "** ERROR Variable: ALTITUDE\n** Failed Reading SDS (fn::SDreaddata). DATA_TYPE=\"REAL\" \n";
  // More values than the dataset holds, and a count too large for memory.
  for (std::vector<int> dims : {std::vector<int>{7}, std::vector<int>{2147483647, 2147483647, 2147483647}}) {
    GeomsChecker copy = checkerAfterFifthStep();
    copy.variables[7].rank = static_cast<int>(dims.size());
    for (size_t d = 0; d < dims.size(); ++d) copy.variables[7].dims[d] = dims[d];
    std::string buffer;
    EXPECT_FALSE(copy.Verify_6(&buffer));
    EXPECT_EQ(buffer, failure);
  }
  // A file that is gone: the first readable variable cannot be read.
  GeomsChecker gone = checkerAfterFifthStep();
  gone.hdfFile = "missing.hdf";
  std::string buffer;
  EXPECT_FALSE(gone.Verify_6(&buffer));
  EXPECT_EQ(buffer,
            "** ERROR Variable: LATITUDE.INSTRUMENT\n** Failed Reading SDS (fn::SDreaddata). DATA_TYPE=\"REAL\" \n");
  // Also when that variable has no value to read.
  gone.variables[0].dims[0] = 0;
  buffer.clear();
  EXPECT_FALSE(gone.Verify_6(&buffer));
  EXPECT_EQ(buffer,
            "** ERROR Variable: LATITUDE.INSTRUMENT\n** Failed Reading SDS (fn::SDreaddata). DATA_TYPE=\"REAL\" \n");
}

TEST(VerifierData, TimeCheckStamps) {
  GeomsChecker checker;
  checker.dataStartDate = "20200101T120000Z";
  checker.dataStopDate = "20200101T115959Z";
  Variable start;
  start.varName = "DATETIME.START";
  Variable stop;
  stop.varName = "DATETIME.STOP";
  std::string area;
  EXPECT_TRUE(checker.checkDateTimeOrder(start, {7305.5, 7306.0}, 2, &area));
  const double earlier = 7305.5 - 0.4 / 86400.0;
  EXPECT_TRUE(checker.checkDateTimeOrder(start, {earlier}, 1, &area));  // nearest second
  EXPECT_TRUE(checker.checkDateTimeOrder(stop, {7305.0, earlier}, 2, &area));  // truncated
  EXPECT_FALSE(checker.checkDateTimeOrder(start, {7305.25}, 1, &area));
  EXPECT_EQ(area,
            "** ERROR: Global Attribute DATA_START_DATE=20200101T120000Z does not match first entry in "
            "DATETIME.START=20200101T060000Z\n");
  for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), 1e300, -1e300}) {
    area.clear();
    EXPECT_FALSE(checker.checkDateTimeOrder(start, {bad}, 1, &area));
    EXPECT_EQ(area,
              "** ERROR: Global Attribute DATA_START_DATE=20200101T120000Z does not match first entry in "
              "DATETIME.START=\n");
  }
  // No value at all; a count beyond the values is not read past.
  EXPECT_FALSE(checker.checkDateTimeOrder(stop, {}, 0, &area));
  EXPECT_FALSE(checker.checkDateTimeOrder(stop, {7305.0}, 5, &area));
  EXPECT_EQ(hdfverify::mjd2kStamp(0.0), "20000101T000000Z");
  EXPECT_EQ(hdfverify::mjd2kStamp(-86400.0), "19991231T000000Z");
}

}  // namespace

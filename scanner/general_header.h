// The checks of the general header lines: the keyword matcher and the line
// check that stores what each line declares (counts, columns, coordinates).
#pragma once

#include <optional>
#include <string>

#include "scanner/scan_codes.h"

class LineSource;
class ReportSink;
struct ScanSession;

// Value kinds of checkGenHeaderLine: no expected number marks a text value.
inline constexpr std::nullopt_t kTextValue = std::nullopt;

// Checks general header line k, reading it from `lines`. `expectedNumber`
// is kTextValue (none) for a text value, else the integer the line should hold;
// mode 1 requires the number (or text) to equal the expected one, mode 0 takes
// any integer, mode 2 any text. Records `code` (or InvalidNumbers,
// IntegerExpected, InvalidLonLatAlt) at the line when it fails.
bool checkGenHeaderLine(ScanSession& scan, LineSource& lines, ReportSink& report, int k,
                        std::optional<int> expectedNumber, const std::string& expectedText, int mode, ScanCode code,
                        const std::string& triple);

// True when every keyword of the triple ("KEY1|KEY2|KEY3|", "????" as third:
// only two required) occurs in the upper-cased line and the line was read as
// file line k. Stores the line's value and comment in GeneralHeader.line[k-1].
bool matchCommentKeywords(ScanSession& scan, ReportSink& report, int k, std::string triple, const std::string& line);

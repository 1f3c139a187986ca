// The HTML scan report: its name, creation and head, the writers every check
// uses, and the detail tables.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

struct ScanSession;

// The open report (nullptr when none is open).
extern std::FILE* ReportFile;

// Index just after the last '\' or '/' of the path; 0 when it has none; -1 when
// the path is empty or ends with a separator.
int filenameStart(const std::string& path);

// Names the report "<path>__ScanMsgs.htm" (ReportPath), creates it and writes
// its head; `fileName` gets the bare file name. Shows a box and returns false
// when the name is bad or the report cannot be created.
bool openScanReport(const std::string& path, std::string& fileName);

// Writes text into the report unchanged.
void reportWrite(std::string_view text);
// Writes formatted text; the format is always a literal of the program.
void reportPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Writes "<font color='colour'>", the text, then "</font>".
void reportColoured(const char* colour, std::string_view text);
inline void reportRed(std::string_view text) { reportColoured("#FF0000", text); }
inline void reportOrange(std::string_view text) { reportColoured("#FF9933", text); }
inline void reportBlue(std::string_view text) { reportColoured("#0000FF", text); }

// Detail tables; each writes only when ReportDetails is set.
void writeFilenameTable(const ScanSession& scan);
void writeGenHeaderTable(const ScanSession& scan);
void writeColumnsTable(const ScanSession& scan);
void writeProfileTable(ScanSession& scan, int block);

// The revision line after the general header and the general comment lines up
// to the first block's "#BEGIN" line.
#pragma once

class LineSource;
class ReportSink;
struct ScanSession;

// Reads from `lines` the revision line "R# ; DATA REVISION NUMBER" and the comment lines up
// to and including the first block's start line, fills GeneralComments and
// BeginLineText, and checks the revision against the file name and the comment
// count against the general header.
bool checkRevisionAndComments(ScanSession& scan, LineSource& lines, ReportSink& report);

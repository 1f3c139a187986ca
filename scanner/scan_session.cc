#include "scanner/scan_session.h"

// The scanner's process-wide names, read by the desktop front end.
std::string StartDir;
std::string ReportPath;
bool IsHdfFile = false;
long long VerifierTimeoutMs = 36000000;

#include "scanner/scan_state.h"

std::string StartDir;
std::string ReportPath;
bool IsHdfFile = false;
long long VerifierTimeoutMs = 36000000;

ErrorSlot ErrorSlots[kErrorSlotCount];
int ErrorCount = 0;
int LineNumber = 0;
bool ScanFailed = false;
bool ScanAborted = false;
bool AtEndOfFile = false;
bool MaxErrorsNoticeShown = false;
bool IsDatFile = false;
bool IsLidarFile = false;
bool IsSurfaceFile = false;
bool ReportDetails = false;
std::FILE* ReportFile = nullptr;
int TodayYear = 0, TodayMonth = 0, TodayDay = 0;
int FirstProfileYear = 0, FirstProfileMonth = 0, FirstProfileDay = 0;

_FN ParsedFileName;
_GenHeader GeneralHeader;
_GenComments GeneralComments;
_Column ColumnTable[14];
std::vector<_ProfileHeader> ProfileHeaders;

_ProfileHeader& profileHeader(int block) { return ProfileHeaders[static_cast<size_t>(block) % ProfileHeaders.size()]; }
std::ifstream DataStream;
std::string BeginLineText;
bool IsFirstProfileStart = false;
std::map<int, std::string> ScanMessages;

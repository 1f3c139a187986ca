#include "desktop/core/shared_state.h"

std::string StartDir;
std::string ReportPath;
bool IsHdfFile = false;

std::string DataFilePath;
std::string DataFileName;
bool DataFileIsHdf = false;
bool PlotsReady = false;

std::vector<std::string> PlotFiles;
int PlotFileCount = 0;
std::string PlotStartStamp;
std::string PlotEndStamp;

long long PlotTimeoutMs = 72000000;  // 20 hours

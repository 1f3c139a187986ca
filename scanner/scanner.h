// The data-file scanner: checks one PROFILE, SURFACE or GEOMS HDF file and
// writes the HTML scan report next to it.
#pragma once

#include <string>

// Scans the file at `path` and writes "<path>__ScanMsgs.htm". Returns 2 for a
// SURFACE file, 1 when the scan failed or no report was made, 0 when it passed.
// `showDetails` adds the detail tables to the report. Each call makes its own
// scan session (scan_session.h); only the names below outlive it.
int scanFile(const char* path, bool showDetails);

// The folder current when the desktop program started; its "hdf" subfolder
// holds the GEOMS template and is the HDF verifier's working folder. Empty:
// the current folder.
extern std::string StartDir;

// Full path of the last scan report ("" when the report was not named).
extern std::string ReportPath;

// Whether the last scanned name had the extension HDF (any case).
extern bool IsHdfFile;

// The rule of IsHdfFile for a file name: its text after the last '.' (the whole
// name when it has none) is HDF in any case.
bool hasHdfExtension(const std::string& name);

// How long a scan waits for the HDF verifier, in milliseconds.
extern long long VerifierTimeoutMs;

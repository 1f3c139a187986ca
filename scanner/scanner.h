// The data-file scanner: checks one PROFILE, SURFACE or GEOMS HDF file and
// writes the HTML scan report next to it.
#pragma once

#include <string>

// How long a scan waits for the HDF verifier unless told otherwise: ten hours.
inline constexpr long long kVerifierTimeoutMs = 36000000;

// What the caller tells a scan.
struct ScanSettings {
  // The folder current when the desktop program started; its "hdf" subfolder
  // holds the GEOMS template and is the HDF verifier's working folder. Empty:
  // the current folder.
  std::string StartDir;
  // How long the scan waits for the HDF verifier, in milliseconds.
  long long VerifierTimeoutMs = kVerifierTimeoutMs;
};

// What a scan leaves for its caller.
struct ScanOutputs {
  // Full path of the scan report; "" when this scan wrote none whole (a bad
  // name, or a report that could not be created or written).
  std::string ReportPath;
  // Whether the scanned name had the extension HDF (any case).
  bool IsHdfFile = false;
};

// Scans the file at `path` and writes "<path>__ScanMsgs.htm", which takes that
// name only when it was written whole. Returns 2 for a SURFACE file, 1 when the
// scan failed or no report was made, 0 when it passed.
// `showDetails` adds the detail tables to the report. Each call makes its own
// scan session (scan_session.h); what outlives it goes to `*outputs` (may be
// nullptr).
int scanFile(const char* path, bool showDetails, const ScanSettings& settings, ScanOutputs* outputs);

// The rule of IsHdfFile for a file name: its text after the last '.' (the whole
// name when it has none) is HDF in any case.
bool hasHdfExtension(const std::string& name);

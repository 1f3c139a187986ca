// The content scans of PROFILE and SURFACE files: general header, revision and
// comments, every block and the trailing lines.
#pragma once

class ReportSink;
struct ScanSession;

// Scans a lidar PROFILE file; DataStream is open at its start, LineNumber 0.
void scanProfileFile(ScanSession& scan, ReportSink& report);

// Scans a SURFACE file; DataStream is open at its start, LineNumber 0.
void scanSurfaceFile(ScanSession& scan, ReportSink& report);

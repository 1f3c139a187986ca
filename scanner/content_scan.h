// The content scans of PROFILE and SURFACE files: general header, revision and
// comments, every block and the trailing lines.
#pragma once

class LineSource;
class ReportSink;
struct ScanSession;

// Scans a lidar PROFILE file, reading its lines from `lines`; DataStream is
// open at its start, LineNumber 0.
void scanProfileFile(ScanSession& scan, LineSource& lines, ReportSink& report);

// Scans a SURFACE file, reading its lines from `lines`; DataStream is open at
// its start, LineNumber 0.
void scanSurfaceFile(ScanSession& scan, LineSource& lines, ReportSink& report);

// The scan driver: one scan in a session of the caller's, and today's date.
#pragma once

struct ScanSession;

// Runs one scan of the file at `path` in `scan` (see scanFile in scanner.h).
int scanFile(ScanSession& scan, const char* path, bool showDetails);

// Stores today's local date in TodayYear/Month/Day and FirstProfileYear/Month/Day.
void captureToday(ScanSession& scan);

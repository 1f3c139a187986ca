// Dates and time stamps taken from data-file names, and the plot list's time
// window.
//
// Network names: DATAID_SITEID_YYYYMMDD_R#[_comments].ext; the date follows the
// 2nd '_'. GEOMS names: groundbased_<source>_<location>_<start>_<stop>_<version>.hdf,
// where the data source itself holds two '_', so the start stamp
// (YYYYMMDDThhmmssZ) follows the 5th '_' and the stop stamp the 6th.
//
// Every piece is cut with clamped bounds: a short or odd name gives a shorter
// text, never an error.
#pragma once

#include <string>
#include <string_view>

struct SharedState;

// The part of a path after its last '\' or '/'.
std::string fileNamePart(std::string_view path);

// Up to `count` characters of `text` from `start` (clamped to the text; a
// negative start counts from 0).
std::string clampedPiece(std::string_view text, long start, long count);

// Position of the n-th '_' found by successive searches, each starting after the
// previous hit; a failed search gives -1, so the next one starts at the
// beginning of the name again.
long nthUnderscore(std::string_view name, int n);

// The 8 characters after the 2nd '_' of a network name.
std::string networkDateText(std::string_view name);

// The 14-digit stamp YYYYMMDDhhmmss of a GEOMS name's start (after the 5th '_')
// or stop (after the 6th '_'): the 8 date characters, then the 6 after the 'T'.
std::string geomsStartStamp(std::string_view name);
std::string geomsStopStamp(std::string_view name);

// The date text YYYYMMDD at which a data file begins and ends: for network
// names both are the file's date, for GEOMS names the dates of the start and the
// stop stamp.
std::string fileStartDateText(std::string_view name, bool isHdf);
std::string fileEndDateText(std::string_view name, bool isHdf);

// Whether the files of the plot window are GEOMS HDF files, judged by the first
// of PlotFiles (while the list is empty, by DataFilePath, which seeds it): the
// file of the last passed scan by that scan's DataFileIsHdf, another by its
// extension. The plot program and the date rules of Replot and of appending
// follow the files the window shows, not a later scan.
bool plotFilesAreHdf(const SharedState& state);

// Seeds PlotFiles with DataFilePath when PlotFileCount is 0, then sets
// PlotStartStamp from the first listed file and PlotEndStamp from entry number
// PlotFileCount: GEOMS start and stop stamps for HDF plot files, otherwise the
// network dates with 000000 and 235959.
void computePlotTimeSpan(SharedState& state);

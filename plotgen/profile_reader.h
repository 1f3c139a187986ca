// Reading the listed PROFILE files and selecting their profiles by index
// window and time window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plotgen/plot_run.h"

namespace plotgen {

enum class FileOutcome {
  Read,        // read to its end, or to the profile that stopped the run
  OpenFailed,  // could not be opened; its ERROR line is logged
  Malformed,   // lacks a line or a piece the reader takes; one ERROR line is logged
};

// Reads list entry `entry` and hands its selected profiles to the data-file writers.
FileOutcome readProfileFile(PlotRun& run, const std::string& entry);

// Whether the profile with running number n is selected (mean stamp against the
// time window, number against the index window).
bool isProfileInRange(bool isTimeRange, bool isProfileRange, int n, int startProfile, int endProfile);

// Sets ColumnDelimiter from the start stamp line of a file's first block
// (line blockStart + 6 of the lines, or the line itself).
void detectDelimiter(size_t blockStart, const std::vector<std::string_view>& lines);
void detectDelimiterOn(std::string_view startStampLine);

// The stamp of a block's stamp line: the text up to ColumnDelimiter, searched
// after the date's comma and the blanks that follow it.
std::string_view stampText(std::string_view line, std::string_view delimiter);

// Normalises a stamp to YYYY-MM-DD,hh:mm:ss: date, a comma, the time, every
// blank turned into 0. False when the stamp has no comma.
bool normaliseStamp(std::string_view raw, std::string* stamp);

// The fill-value list of the missing-data-values line for m columns (the
// comment after the last value dropped).
std::vector<std::string> fillValueList(std::string_view line, long long m);

// The integer of a header line: its text before the first blank, as atoi reads it.
int lineInteger(std::string_view line);

// Cuts a data line into its cells at commas, a blank right after a comma
// dropped; false when it has fewer than m cells. The first `keep` cells (at
// most m) are appended to cells.
bool splitDataLine(std::string_view line, size_t m, size_t keep, std::vector<std::string_view>& cells);
// The same into cells[0 ..): returns how many cells were written (min(keep,
// m), or fewer when the line ends first); complete tells whether the line
// has m cells.
size_t cutDataLine(std::string_view line, size_t m, size_t keep, std::string_view* cells, bool* complete);

}  // namespace plotgen

// Reading the listed PROFILE files and selecting their profiles by index
// window and time window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plotgen/run_state.h"

namespace plotgen {

enum class FileOutcome {
  Read,        // read to its end, or to the profile that stopped the run
  OpenFailed,  // could not be opened; its ERROR line is logged
  Malformed,   // lacks a line or a piece the reader takes; one ERROR line is logged
};

// Reads list entry `entry` and hands its selected profiles to the data-file writers.
FileOutcome readProfileFile(RunState& run, const std::string& entry);

// Whether the profile with running number n is selected (its mean stamp in
// the run's ProfileMeanStamps against the run's time window, its number
// against the index window).
bool isProfileInRange(const RunState& run, bool isTimeRange, bool isProfileRange, int n, int startProfile,
                      int endProfile);

// Cuts a data line into its cells at commas, the blanks and tabs around each
// cell dropped (the scanner reads the values between them alike). The first
// `keep` cells (at most m) go to cells[0 ..): returns how many cells were
// written (min(keep, m), or fewer when the line ends first); complete tells
// whether the line has m cells. Only the kept cells whose bit is set in
// `wanted` (bit c for cell c; cells from 32 on always) are written; the others are left as they were.
size_t cutDataLine(std::string_view line, size_t m, size_t keep, std::string_view* cells, bool* complete,
                   uint32_t wanted = ~0u);

}  // namespace plotgen

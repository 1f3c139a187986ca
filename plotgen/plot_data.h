// The three tab-separated plot data files: "curtain_data.dat",
// "profile_data.dat" and "median_data.dat".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plotgen/altitude_bins.h"
#include "plotgen/header_values.h"
#include "plotgen/run_state.h"

namespace plotgen {

// Data columns copied to "profile_data.dat", in order: ALT, Press, O3ND,
// O3NDUncert, O3MR, O3MRUncert. Like MonthNames and PaletteColours, this
// table keeps its established name, without the k of the other constants.
inline constexpr std::array<size_t, 6> ProfileColumns = {0, 8, 1, 2, 6, 7};

// Altitude and value column of the curtain: O3MR, or O3ND for number density.
struct CurtainColumns {
  size_t altitude = 0;
  size_t value = 6;
};
CurtainColumns curtainColumnsFor(bool isNumberDensity);

// How many data columns a run reads, counted from the first: up to the
// curtain's value column and, for the profile plot, up to the last column
// copied to "profile_data.dat".
size_t columnsRead(bool isProfilePlot, bool isNumberDensity);
// The columns below columnsRead that the plots take, as bits (bit c for column c).
uint32_t columnsUsed(bool isProfilePlot, bool isNumberDensity);

// Judges every row of one profile into its curtain piece: "alt\tvalue\t\n",
// "alt\t0\t\n" when the integer of the value cell is negative or the cell is
// its column's missing-value flag to the scanner, "0\t0\t\n" when the
// integer of the altitude cell is negative. flags holds each data column's
// flag as FillValues::values does.
void judgeCurtainCells(const CurtainColumns& columns, const ProfileTable& table, const std::vector<double>& flags,
                       CurtainCells* cells);
// One curtain block: every row's piece after the stamp and a tab, then an empty line.
void writeCurtainBlock(std::string_view stamp, const CurtainCells& cells, DataFile& curtain);

// Both curtain blocks of one profile, the first stamped with its start stamp,
// the second with its end stamp; each row's cells are judged once, into cells.
void writeProfileBlocks(std::string_view startStamp, std::string_view endStamp, const CurtainColumns& columns,
                        const ProfileTable& table, const std::vector<double>& flags, CurtainCells* cells,
                        DataFile& curtain);

// The closing row after a file's last block (k + 1 == profilesInFile): the end
// stamp with its seconds raised by one, "0", "0", then an empty line.
void writeClosingColumn(int k, int profilesInFile, std::string_view endStamp, DataFile& curtain);
// The closing row's stamp: the text after the stamp's last ':' is the seconds field.
std::string closingStamp(std::string_view endStamp);

// The rows of "profile_data.dat" for one selected profile and, when bins are
// collected, their values in the run's altitude bins. A row is left out when one of
// its copied cells is missing: its integer equals that of its column's flag,
// or the scanner takes it for the flag.
void writeProfileDataRows(RunState& run, const ProfileTable& table, const FillValues& fill);

// Bin index of an altitude cell, or -1 when the altitude goes into no bin.
long long altitudeBin(std::string_view altitudeCell, int altLower, long long binCount);

// Median, 25 %, 75 %, 5 % and 95 % of the values (which are reordered).
std::array<double, 5> binStatistics(std::vector<double>& values);

// One row per bin holding values, in bin order.
void writeMedianData(long long binCount, const AltitudeBinTable& bins, int altLower, DataFile& median);

// Appends a double in the default form of formatted output ("%g").
void appendDouble(std::string& out, double value);

}  // namespace plotgen

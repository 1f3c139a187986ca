// One run of the plot generator: its steps from the argument checks to the
// curtain plot, with the plot log "_CErr_.txt".
#pragma once

#include "plotgen/run_state.h"

namespace plotgen {

// Runs the plot generator in the current folder with the state of this run,
// made for it and used for no other run; returns the exit status: 1 when the
// run reached its end, 0 on every failure.
int runPlotGenerator(RunState& run, int argc, const char* const* argv);

}  // namespace plotgen

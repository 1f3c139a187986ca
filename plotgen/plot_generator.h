// One run of the plot generator: its steps from the argument checks to the
// curtain plot, with the plot log "_CErr_.txt".
#pragma once

namespace plotgen {

// Runs the plot generator in the current folder; returns the exit status: 1
// when the run reached its end, 0 on every failure. The process-wide state
// must have been built (initPlotGeneratorGlobals).
int runPlotGenerator(int argc, const char* const* argv);

}  // namespace plotgen

// Vantor: reads the plot list and its PROFILE files, writes the plot data
// files and has gnuplot draw the profile and curtain images.
#include <csignal>

#include "plotgen/plot_generator.h"
#include "plotgen/run_state.h"

int main(int argc, char** argv) {
  // A gnuplot that ends early must not end this program through a broken pipe:
  // writes to it then fail quietly and the log is still completed.
  std::signal(SIGPIPE, SIG_IGN);
  plotgen::RunState run;
  return plotgen::runPlotGenerator(run, argc, argv);
}

// Quessel: checks one GEOMS HDF4 file against a GEOMS template file and writes
// its findings next to the file as "<file>_.err".
#include <string>
#include <vector>

#include "hdfverify/verifier_driver.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  return hdfverify::runVerifier(args);
}

// The benchmark's baseline: opens an HDF4 file and reads every dataset whole
// with SDreaddata, nothing else.
#include <cstdio>
#include <memory>
#include <vector>

#include <mfhdf.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <file.hdf>\n", argv[0]);
    return 2;
  }
  int32 sd = SDstart(argv[1], DFACC_READ);
  if (sd == FAIL) return 1;
  int32 datasets = 0, globals = 0;
  if (SDfileinfo(sd, &datasets, &globals) == FAIL) return 1;
  double checksum = 0;
  for (int32 i = 0; i < datasets; ++i) {
    int32 sds = SDselect(sd, i);
    std::vector<char> name(H4_MAX_NC_NAME + 1);
    int32 rank = 0, type = 0, attributes = 0;
    std::vector<int32> dims(H4_MAX_VAR_DIMS);
    if (SDgetinfo(sds, name.data(), &rank, dims.data(), &type, &attributes) == FAIL) return 1;
    size_t count = 1;
    for (int32 d = 0; d < rank; ++d) count *= static_cast<size_t>(dims[static_cast<size_t>(d)]);
    size_t size = count * static_cast<size_t>(DFKNTsize(type));
    std::unique_ptr<char[]> data(new char[size == 0 ? 1 : size]);
    std::vector<int32> start(static_cast<size_t>(rank), 0);
    if (SDreaddata(sds, start.data(), nullptr, dims.data(), data.get()) == FAIL) return 1;
    if (size > 0) checksum += static_cast<unsigned char>(data[size - 1]);
    SDendaccess(sds);
  }
  SDend(sd);
  return checksum < 0 ? 1 : 0;
}

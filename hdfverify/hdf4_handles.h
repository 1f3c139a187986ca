// Owners of the HDF4 library's identifiers. Each ends its access when it goes
// out of scope, so a step that stops half-way (a failed call, a finding that
// ends the step) releases what it opened on every path.
//
// Included only by the files that call the HDF4 library: its headers define
// MIN, MAX, TRUE and FALSE.
#pragma once

#include <mfhdf.h>

namespace hdfverify {

// One identifier and the call that ends it; FAIL (what the opening call
// returns when it fails) is never ended.
template <auto End>
class Hdf4Handle {
 public:
  explicit Hdf4Handle(int32 id) : id_(id) {}
  ~Hdf4Handle() {
    if (id_ != FAIL) End(id_);
  }
  Hdf4Handle(const Hdf4Handle&) = delete;
  Hdf4Handle& operator=(const Hdf4Handle&) = delete;

  int32 id() const { return id_; }
  bool valid() const { return id_ != FAIL; }
  // Hands the identifier over to the caller, who ends it from now on.
  int32 release() {
    int32 id = id_;
    id_ = FAIL;
    return id;
  }

 private:
  int32 id_;
};

using SdFile = Hdf4Handle<SDend>;          // SDstart: the SD interface on a file
using SdsAccess = Hdf4Handle<SDendaccess>;  // SDselect: one dataset
using HFile = Hdf4Handle<Hclose>;           // Hopen: the file for the H, V and VS interfaces
using VgroupAccess = Hdf4Handle<Vdetach>;   // Vattach: one vgroup
using VdataAccess = Hdf4Handle<VSdetach>;   // VSattach: one vdata

}  // namespace hdfverify

#!/usr/bin/env bash
# Installs what is missing, builds, prepares workspace/ and starts Skelda there.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts_common.sh
install_missing_packages
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Sample files for a first scan: a PROFILE file, a SURFACE file and a GEOMS HDF file.
if [ -x build/tools/make_text_samples ]; then
  build/tools/make_text_samples workspace/samples >/dev/null
fi
if [ -x build/tools/make_geoms_sample ]; then
  build/tools/make_geoms_sample workspace/samples >/dev/null
fi
if [ ! -x build/bin/Skelda ]; then
  echo "The desktop program is not built yet."
  exit 0
fi
cd workspace
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting Skelda on a virtual X display (xvfb-run)."
  exec xvfb-run -a ../build/bin/Skelda
fi
exec ../build/bin/Skelda

#!/usr/bin/env bash
# Installs what is missing, builds, prepares workspace/ and starts Skelda there.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts_common.sh
install_missing_packages
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -x build/bin/parvix-samples ]; then
  build/bin/parvix-samples workspace/samples
fi
if [ ! -x build/bin/Skelda ]; then
  echo "The desktop program is not built yet."
  exit 0
fi
cd workspace
exec ../build/bin/Skelda

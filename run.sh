#!/usr/bin/env bash
# Installs what is missing, builds, prepares workspace/ and starts Skelda there.
# Without a display (a server, a container, CI) it shows the toolkit's work
# without a window instead: Quessel checks the GEOMS sample and Vantor plots the
# PROFILE sample into workspace/.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts_common.sh
install_missing_packages
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo
top=$PWD

# Sample files for a first scan: a PROFILE file, a SURFACE file and a GEOMS HDF file.
profile_sample=""
geoms_sample=""
if [ -x build/tools/make_text_samples ]; then
  profile_sample=$(build/tools/make_text_samples "$top/workspace/samples" | head -n 1)
fi
if [ -x build/tools/make_geoms_sample ]; then
  geoms_sample=$(build/tools/make_geoms_sample "$top/workspace/samples")
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
  if [ ! -x build/bin/Skelda ]; then
    echo "The desktop program is not built yet."
    exit 0
  fi
  cd workspace
  exec ../build/bin/Skelda
fi

echo "No display found: showing the toolkit's work without a window."
status=0

# Quessel runs in the template's folder and is given the template's bare name:
# the file's DATA_TEMPLATE attribute is compared with the name as given.
if [ -n "$geoms_sample" ]; then
  (cd "$top/workspace/hdf" && "$top/build/bin/Quessel" "$geoms_sample" GEOMS-TE-LIDAR-O3-005.csv)
  verdict=$(tail -n 1 "${geoms_sample}_.err")
  case "$verdict" in
    "^End.0") echo "Quessel: the GEOMS sample passed.";;
    *) echo "Quessel: the GEOMS sample failed."; status=1;;
  esac
  echo "  report: ${geoms_sample}_.err"
fi

# Vantor plots the PROFILE sample with the plot button's first command line;
# it exits 1 on success and logs to _CErr_.txt.
if [ -n "$profile_sample" ]; then
  cd "$top/workspace"
  mkdir -p Data
  printf '%s\n' "$profile_sample" > Data/ANY.txt
  rm -f _CErr_.txt curtain_plot.jpg profile_plot.jpg
  set +e
  "$top/build/bin/Vantor" ANY 0 1 true false 0 1000 20000000000000 20200000000000 false 0 300 100 12000 \
    true true false false 0 0
  plotted=$?
  set -e
  if [ "$plotted" -eq 1 ] && [ -s curtain_plot.jpg ] && [ -s profile_plot.jpg ]; then
    echo "Vantor: the PROFILE sample is plotted."
    echo "  images: $top/workspace/curtain_plot.jpg"
    echo "          $top/workspace/profile_plot.jpg"
  else
    echo "Vantor: the PROFILE sample could not be plotted:"
    sed 's/^/  /' _CErr_.txt 2>/dev/null || true
    status=1
  fi
  echo "  plot log: $top/workspace/_CErr_.txt"
fi

echo
echo "To use Skelda, run ./run.sh where there is a display, or start it there by hand:"
echo "  cd workspace && ../build/bin/Skelda"
exit "$status"

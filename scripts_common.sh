# Shared by run.sh and test.sh: installs the Debian packages the toolkit needs,
# only those that are missing, and configures and builds one build folder.

PARVIX_PACKAGES="cmake ninja-build g++ libgtest-dev libgmock-dev libhdf4-dev hdf4-tools gnuplot-nox fonts-liberation libjpeg62-turbo-dev qt6-base-dev xvfb xauth"

install_missing_packages() {
  local missing=()
  for p in $PARVIX_PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# build_tree DIR [cmake options...]
build_tree() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

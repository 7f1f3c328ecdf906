# Shared by scripts/run and scripts/test: installs the Debian packages the
# build needs when any of them is missing. The packages are listed one a line
# in scripts/packages/*.txt. Source this file, then call ensure_deps.

ensure_deps() {
  local here
  here=$(dirname "${BASH_SOURCE[0]}")
  local wanted=()
  local package
  while read -r package; do
    [ -n "$package" ] && wanted+=("$package")
  done < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$here"/packages/*.txt)

  local missing=()
  for package in "${wanted[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  use_compiler_cache
}

# Builds compile again only what changed since an earlier build on this
# machine, whichever folder the sources are in. A launcher the caller chose
# stays.
use_compiler_cache() {
  command -v ccache > /dev/null || return 0
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER-ccache}
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER-ccache}
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
}

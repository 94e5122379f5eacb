# Sourced by ./run and ./test: installs the Debian packages the project needs when any is
# missing, then configures and builds into build/ (incrementally).
PAX3D_PACKAGES="cmake ninja-build g++ ccache libgtest-dev libbenchmark-dev qt6-base-dev
  qt6-multimedia-dev libpng-dev libjpeg62-turbo-dev libfreetype-dev libfontconfig-dev
  fonts-dejavu-core"

pax3d_install_missing() {
  local missing=()
  for p in $PAX3D_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}" >&2
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q >&2 &&
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" >&2
}

pax3d_build() {
  local top="$1"
  if [ ! -f "$top/build/build.ninja" ]; then
    cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >&2 || return 1
  fi
  cmake --build "$top/build" >&2
}

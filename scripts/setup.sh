# Shared by scripts/run and scripts/test: installs what the build needs on a
# Debian or Ubuntu machine (only what is missing) and builds into build/.
# Sourced, not run.

TIRAVON_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TIRAVON_BUILD="$TIRAVON_ROOT/build"

TIRAVON_PACKAGES=(
  g++ cmake make pkg-config
  qt6-base-dev libqt6sql6-sqlite qt6-translations-l10n libgl-dev
  libqt6sql6-odbc libsqliteodbc unixodbc
  libjpeg-dev libgtest-dev qt6-image-formats-plugins
  fonts-liberation2 fonts-dejavu-core
)

tiravon_missing_packages() {
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      printf '%s\n' "$pkg"
    fi
  done
}

tiravon_install() {
  local missing
  mapfile -t missing < <(tiravon_missing_packages "$@")
  [ "${#missing[@]}" -eq 0 ] && return 0
  if ! command -v apt-get >/dev/null 2>&1; then
    echo "Tiravon: these packages are missing and apt-get is not available: ${missing[*]}" >&2
    return 1
  fi
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
      echo "Tiravon: run as root or install sudo to install: ${missing[*]}" >&2
      return 1
    fi
  fi
  echo "Tiravon: installing ${missing[*]}" >&2
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq >/dev/null &&
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Builds into build/; the arguments are extra cmake settings (the test command
# asks for warnings as errors).
tiravon_build() {
  local jobs
  jobs="$(nproc 2>/dev/null || echo 2)"
  if [ ! -f "$TIRAVON_BUILD/CMakeCache.txt" ] || [ "$#" -gt 0 ]; then
    cmake -S "$TIRAVON_ROOT" -B "$TIRAVON_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null || return 1
  fi
  cmake --build "$TIRAVON_BUILD" -j "$jobs"
}

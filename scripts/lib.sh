# What the scripts share, sourced by each: the repository's root, the Debian packages of
# scripts/packages.txt, a preset configured and built, a command whose output shows only
# when it fails, the npm tools, and the version. Build output goes to standard
# error, so that a script's own output stays clean.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs what the named sections of scripts/packages.txt list, where missing.
need_packages() {
  bash "$root/scripts/install-deps.sh" "$@"
}

# Configures and builds a preset: build_preset PRESET [TARGET...]
build_preset() {
  local preset=$1
  shift
  (
    cd "$root"
    cmake --preset "$preset" >&2
    cmake --build --preset "$preset" ${1:+--target "$@"} >&2
  )
}

# Runs a command with its output held back, and shows all of it, with the command, if it
# fails: for long builds whose output matters only then.   quietly COMMAND...
quietly() {
  local log status=0
  log=$(mktemp)
  "$@" >"$log" 2>&1 || status=$?
  if ((status != 0)); then
    cat "$log" >&2
    echo "failed (status $status): $*" >&2
  fi
  rm -f "$log"
  return "$status"
}

# The npm packages of a folder's lock (web: the page's bundler; testkit: the browser tools,
# the property tests' generator and the linter), exactly as locked; once per state of the
# lock, since npm ci starts from an empty node_modules every time.   npm_tools FOLDER
npm_tools() {
  local folder=$root/$1 lock stamp
  stamp=$folder/node_modules/.installed-lock
  lock=$(sha256sum "$folder/package-lock.json")
  [[ -f "$stamp" && "$(cat "$stamp")" == "$lock" ]] && return 0
  npm ci --prefix "$folder" --no-audit --no-fund >&2
  echo "$lock" >"$stamp"
}

install_browser_tools() {
  npm_tools testkit
}

# The version of the top CMakeLists.txt.
cube_version() {
  local version
  version=$(sed -n 's/^project(cube_rotation VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
  [[ -n "$version" ]] || { echo "no version in $root/CMakeLists.txt" >&2; return 1; }
  echo "$version"
}

# What the scripts share, sourced by each: the repository's root, the Debian packages of
# scripts/packages.txt, a preset configured and built, the browser tools from npm, and the
# version. Build output goes to standard error, so that a script's own output stays clean.
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

# The browser tools (testkit/package-lock.json), exactly as locked.
install_browser_tools() {
  npm ci --prefix "$root/testkit" --no-audit --no-fund >&2
}

# The version of the top CMakeLists.txt.
cube_version() {
  local version
  version=$(sed -n 's/^project(cube_rotation VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
  [[ -n "$version" ]] || { echo "no version in $root/CMakeLists.txt" >&2; return 1; }
  echo "$version"
}

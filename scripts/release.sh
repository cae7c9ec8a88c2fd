#!/usr/bin/env bash
# Builds everything a person can download into dist/, each named with the version of the
# top CMakeLists.txt: the Debian package, the Windows zip, the page as one file, and
# SHA256SUMS.
#   release.sh                       from a clean copy of the committed tree: builds and runs
#                                    every test (scripts/test.sh) there, then packs
#   release.sh --builds DIR --dist D packs from the tested build trees under DIR instead
# Each artifact is checked by its own test once it is in dist/, so what ships is exactly
# what passed: the package check on the .deb, the zip check on the zip; the single file is
# the one the browser test opened.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
builds=""
dist=$root/dist
while (($# > 0)); do
  case $1 in
    --builds) builds=$(cd "$2" && pwd); shift 2 ;;
    --dist) dist=$2; shift 2 ;;
    *) echo "usage: release.sh [--builds DIR] [--dist DIR]" >&2; exit 2 ;;
  esac
done
version=$(sed -n 's/^project(cube_rotation VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[[ -n "$version" ]] || { echo "no version in CMakeLists.txt" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ -z "$builds" ]]; then
  echo "== building and testing a clean copy of the committed tree" >&2
  mkdir "$work/source"
  git -C "$root" archive HEAD | tar -x -C "$work/source"
  bash "$work/source/scripts/test.sh"
  builds=$work/source/build
fi
for tree in test mingw web; do
  [[ -f "$builds/$tree/CMakeCache.txt" ]] || { echo "no tested build in $builds/$tree" >&2; exit 1; }
done

rm -rf "$dist"
mkdir -p "$dist"
deb=cube-rotation_${version}_amd64.deb
zip=cube-rotation-$version-win64.zip
html=cube-rotation-$version.html
cpack --config "$builds/test/CPackConfig.cmake" -B "$work/deb" >/dev/null
cp "$work/deb/$deb" "$dist/$deb"
cpack --config "$builds/mingw/CPackConfig.cmake" -B "$work/zip" >/dev/null
cp "$work/zip/$zip" "$dist/$zip"
cp "$builds/web/cube-rotation.html" "$dist/$html"

bash "$root/tests/package/deb_test.sh" "$dist/$deb" >&2
bash "$root/tests/windows/zip_test.sh" "$dist/$zip" "$root/tests/windows/wine.sh" >&2
(cd "$dist" && sha256sum "$deb" "$zip" "$html" >SHA256SUMS)
echo "dist/ for cube-rotation $version:"
(cd "$dist" && ls -l "$deb" "$zip" "$html" SHA256SUMS | awk '{ print "  " $5 "\t" $9 }')

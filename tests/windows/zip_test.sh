#!/usr/bin/env bash
# The download for Windows users, packed by CPack from the Windows build into
# BUILD_DIR/package, where the release command takes it from:
#   zip_test.sh BUILD_DIR WINE_RUNNER
# One folder named after the version, holding exactly the program, its licence, freeglut's
# and README.txt; the text files end every line in CR LF; the program in it needs only
# Windows' own DLLs and, under Wine with no display, writes the console texts and then
# fails to open its window, as a run without a screen must.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${1:?build directory}
wine=${2:?Wine runner}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$here/../../scripts/lib.sh"
version=$(cube_version)
name=cube-rotation-$version-win64
rm -rf "$build/package"
cpack --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null
zip=$build/package/$name.zip
mkdir "$work/unzipped"
cd "$work/unzipped"
cmake -E tar xf "$zip"
listed=$(find . -type f | sort | tr '\n' ' ')
expected="./$name/LICENSE.txt ./$name/README.txt ./$name/cube-rotation.exe ./$name/freeglut-COPYING.txt "
[[ "$listed" == "$expected" ]] || { echo "the zip holds: $listed" >&2; exit 1; }
for text in README.txt LICENSE.txt freeglut-COPYING.txt; do
  if grep -q $'[^\r]$\|^$' "$name/$text"; then
    echo "$text has a line that does not end in CR LF" >&2
    exit 1
  fi
done
grep -q "^cube-rotation $version for Windows" "$name/README.txt"
grep -q "Permission is hereby granted" "$name/freeglut-COPYING.txt"

bash "$here/imports.sh" "$name/cube-rotation.exe"
set +e
echo "30 45 60" | env -u DISPLAY "$wine" "$name/cube-rotation.exe" >output 2>errors
status=$?
set -e
[[ $status == 1 ]] || { echo "status $status without a display" >&2; cat errors >&2; exit 1; }
printf '\r\n\r\nZa koliko stepeni zelite da rotirate kvadar po X osi?\r\n' | cmp -n 58 - output
tail -c 30 output | cmp - <(printf 'Kocka rotirana oko Z-ose: zuta')
echo "$name.zip: $(stat -c %s "$zip") bytes"

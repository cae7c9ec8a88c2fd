#!/usr/bin/env bash
# The download for Windows users, packed by CPack from the Windows build into
# BUILD_DIR/package, where the release command takes it from:
#   zip_test.sh BUILD_DIR WINE_RUNNER
# One folder named after the version, holding exactly the program, its licence, freeglut's
# and README.txt; the text files end every line in CR LF; the program in it needs only
# Windows' own DLLs, carries the package's icon and a version resource naming the product
# and the version, and, under Wine with no display, writes the console texts and then fails
# to open its window, as a run without a screen must.
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

# Only DLLs that every Windows has: not the C++ run time, freeglut or a thread library.
windows_own=" ADVAPI32.dll GDI32.dll GLU32.dll KERNEL32.dll msvcrt.dll OPENGL32.dll USER32.dll WINMM.dll "
imports=$(x86_64-w64-mingw32-objdump -p "$name/cube-rotation.exe" | awk '/DLL Name:/ { print $3 }')
[[ -n "$imports" ]] || { echo "no import table read from the .exe" >&2; exit 1; }
for dll in $imports; do
  [[ "$windows_own" == *" $dll "* ]] || { echo "the .exe imports $dll, which Windows does not have of its own" >&2; exit 1; }
done

# The resource types at the top of the .exe's resource directory: icons (3), the icon group
# Explorer shows (14) and the version (16), and the version's strings as the file's
# properties show them.
types=$(x86_64-w64-mingw32-objdump -p "$name/cube-rotation.exe" | sed -n '/Resource Directory section/,$p' |
  sed -n 's/^0[0-9a-f][0-9a-f]   Entry: ID: 0x0*\([0-9a-f]*\),.*/\1/p' | tr '\n' ' ')
[[ "$types" == "3 e 10 " ]] || { echo "resource types in the .exe: $types" >&2; exit 1; }
strings -el -n 3 "$name/cube-rotation.exe" | awk -v version="$version" '
  previous == "ProductName" && $0 == "cube-rotation" { product = 1 }
  previous == "ProductVersion" && $0 == version { product_version = 1 }
  previous == "FileVersion" && $0 == version { file_version = 1 }
  previous == "FileDescription" && $0 ~ /rotation matrices/ { description = 1 }
  { previous = $0 }
  END {
    if (!(product && product_version && file_version && description)) {
      print "the version resource lacks a name, a version or a description" > "/dev/stderr"
      exit 1
    }
  }'
icons=$(x86_64-w64-mingw32-objdump -p "$name/cube-rotation.exe" | sed -n '/Resource Directory section/,$p' |
  awk '/^0[0-9a-f][0-9a-f]   Entry/ { type = $4 } type == "0x000003," && /^0[0-9a-f][0-9a-f]     Entry/ { n++ } END { print n + 0 }')
[[ $icons == 4 ]] || { echo "the .exe holds $icons icon images, not 4 (256, 48, 32 and 16 pixels)" >&2; exit 1; }
set +e
echo "30 45 60" | env -u DISPLAY "$wine" "$name/cube-rotation.exe" >output 2>errors
status=$?
set -e
[[ $status == 1 ]] || { echo "status $status without a display" >&2; cat errors >&2; exit 1; }
printf '\r\n\r\nZa koliko stepeni zelite da rotirate kvadar po X osi?\r\n' | cmp -n 58 - output
tail -c 30 output | cmp - <(printf 'Kocka rotirana oko Z-ose: zuta')
echo "$name.zip: $(stat -c %s "$zip") bytes"

#!/usr/bin/env bash
# Packs the .deb from a build tree into BUILD_DIR/package, where the release command takes
# it from, and checks it: the files it holds, Depends naming the GLUT, GLU and GL run-time
# libraries, no lintian error or warning, a valid menu entry, a manual page that renders
# cleanly, and a program that runs from the unpacked package.   deb_test.sh BUILD_DIR
set -euo pipefail
build=${1:?build directory}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

rm -rf "$build/package"
cpack --config "$build/CPackConfig.cmake" -B "$build/package" >"$out/cpack.log" || { cat "$out/cpack.log"; exit 1; }
debs=("$build/package"/*.deb)
((${#debs[@]} == 1)) || { echo "cpack made ${#debs[@]} packages" >&2; exit 1; }
deb=${debs[0]}
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}')
depends=$(dpkg-deb -f "$deb" Depends)
echo "$(basename "$deb"): Depends: $depends"

failed=0
expected_files='./usr/bin/cube-rotation
./usr/share/applications/cube-rotation.desktop
./usr/share/doc/cube-rotation/changelog.gz
./usr/share/doc/cube-rotation/copyright
./usr/share/icons/hicolor/scalable/apps/cube-rotation.svg
./usr/share/man/man1/cube-rotation.1.gz'
if [[ "$(sort <<<"$files")" != "$expected_files" ]]; then
  echo "files differ from the expected ones:"; echo "$files"; failed=1
fi
# GL itself comes as libgl1, or split by GLVND into libopengl0 and libglx0.
for library in 'libglut' 'libglu1' '(libgl1|libopengl0)' '(libgl1|libglx0)'; do
  if ! grep -Eq "(^|, |\| )$library" <<<"$depends"; then
    echo "Depends does not name $library"; failed=1
  fi
done

report=$(lintian --fail-on error,warning "$deb" 2>&1) || { echo "lintian reports errors or warnings:"; failed=1; }
grep -v 'running with root privileges' <<<"$report" || true

root="$out/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/cube-rotation.desktop" || failed=1
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/cube-rotation.1.gz" 2>&1 >/dev/null)
[[ -z "$warnings" ]] || { echo "the manual page renders with warnings:"; echo "$warnings"; failed=1; }

# Without a display the unpacked program still runs its dialogue to the legend, then GLUT fails.
status=0
output=$(echo "30 45 60" | env -u DISPLAY "$root/usr/bin/cube-rotation" 2>/dev/null) || status=$?
if [[ $status != 1 || "$output" != *"Kocka rotirana oko Z-ose: zuta" ]]; then
  echo "the unpacked program did not run its dialogue (status $status)"; failed=1
fi
exit $failed

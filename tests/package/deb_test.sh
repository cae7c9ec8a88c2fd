#!/usr/bin/env bash
# Packs the .deb from a build tree and checks that it holds the program and nothing else,
# and that its Depends name the GLUT, GLU and GL run-time libraries.
set -euo pipefail
build=${1:?build directory}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" || { cat "$out/cpack.log"; exit 1; }
debs=("$out"/*.deb)
deb=${debs[0]}
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
depends=$(dpkg-deb -f "$deb" Depends)
echo "$(basename "$deb"): Depends: $depends"

failed=0
expected_files=$'./usr/\n./usr/bin/\n./usr/bin/cube-rotation'
if [[ "$(sort <<<"$files")" != "$(sort <<<"$expected_files")" ]]; then
  echo "files differ from the program alone:"; echo "$files"; failed=1
fi
# GL itself comes as libgl1, or split by GLVND into libopengl0 and libglx0.
for library in 'libglut' 'libglu1' '(libgl1|libopengl0)' '(libgl1|libglx0)'; do
  if ! grep -Eq "(^|, |\| )$library" <<<"$depends"; then
    echo "Depends does not name $library"; failed=1
  fi
done
exit $failed

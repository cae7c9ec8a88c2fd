#!/usr/bin/env bash
# The release command, packing from the build trees that scripts/test.sh has just built and
# tested: dist/ holds the three artifacts named with the version, SHA256SUMS matches them,
# and the single-file page is byte for byte the one the browser test opened.
#   release_test.sh   (run by scripts/test.sh after every preset's tests)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
version=$(sed -n 's/^project(cube_rotation VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
dist=$(mktemp -d)
trap 'rm -rf "$dist"' EXIT

bash "$root/scripts/release.sh" --builds "$root/build" --dist "$dist" >/dev/null
listed=$(cd "$dist" && ls | tr '\n' ' ')
expected="SHA256SUMS cube-rotation-$version-win64.zip cube-rotation-$version.html cube-rotation_${version}_amd64.deb "
[[ "$listed" == "$expected" ]] || { echo "dist/ holds: $listed" >&2; exit 1; }
(cd "$dist" && sha256sum --quiet -c SHA256SUMS)
[[ $(wc -l <"$dist/SHA256SUMS") == 3 ]]
cmp "$dist/cube-rotation-$version.html" "$root/build/web/cube-rotation.html"
echo "release: 3 of 3 artifacts in dist/, sums checked"

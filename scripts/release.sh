#!/usr/bin/env bash
# Builds everything a person can download into dist/, each named with the version of the
# top CMakeLists.txt: the Debian package, the Windows zip, the page as one file, the default
# homework package for an LMS, and SHA256SUMS. It clones the committed state of this
# repository and runs there the test command, the exhaustive tests that the test command
# leaves out, and every command the documents give, each as written on a fresh clone (the
# documents' check with --full). It takes each artifact from the build that tested it: the
# .deb and the zip as their tests packed and checked them, the page as the browser test
# opened it, the LMS package as its test read it. So what ships is exactly what passed, and
# nothing is packed twice.
#   release.sh   (the test command's time, and a few minutes more)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
version=$(cube_version)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== testing a clean clone of the committed tree" >&2
git clone --quiet "$root" "$work/source"
bash "$work/source/scripts/test.sh"
echo "== every float angle below the Windows build's limit, against the native build" >&2
ctest --test-dir "$work/source/build/mingw" -L exhaustive --no-tests=error --output-on-failure
echo "== every documented command, as written on a fresh clone" >&2
bash "$work/source/tests/docs/documented_commands.sh" --full "$work/source"
builds=$work/source/build

deb=cube-rotation_${version}_amd64.deb
zip=cube-rotation-$version-win64.zip
html=cube-rotation-$version.html
lms=cube-rotation-$version-scorm12.zip
dist=$root/dist
rm -rf "$dist"
mkdir -p "$dist"
cp "$builds/test/package/$deb" "$dist/$deb"
cp "$builds/mingw/package/$zip" "$dist/$zip"
cp "$builds/web/cube-rotation.html" "$dist/$html"
cp "$builds/web/cube-rotation-scorm12.zip" "$dist/$lms"
(cd "$dist" && sha256sum "$deb" "$zip" "$html" "$lms" >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)
echo "dist/ for cube-rotation $version:"
(cd "$dist" && ls -l "$deb" "$zip" "$html" "$lms" SHA256SUMS | awk '{ print "  " $5 "\t" $9 }')

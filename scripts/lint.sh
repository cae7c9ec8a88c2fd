#!/usr/bin/env bash
# Static checks over the program's own code: formatting, clang-tidy and cppcheck.
# Usage: lint.sh BUILD_DIR (a configured build with compile_commands.json).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:?build directory}
cd "$root"

echo "== clang-format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== clang-tidy"
# A configuration that clang-tidy cannot read makes it fall back to its defaults and pass.
config_errors=$(clang-tidy --list-checks 2>&1 >/dev/null | grep -i "error" || true)
[[ -z "$config_errors" ]] || { echo "$config_errors" >&2; exit 1; }
sources=$(git ls-files 'geometry/*.cpp' 'scene/*.cpp' 'viewer/*.cpp' 'app/*.cpp')
for source in $sources; do
  # clang-tidy counts the warnings it filtered out of system headers on stderr; only
  # its findings matter.
  clang-tidy -p "$build" --quiet "$source" 2> >(grep -v "warnings generated" >&2)
done

echo "== cppcheck"
# passedByValue: the records are small and passed by value on purpose, as plain values.
# normalCheckLevelMaxBranches: newer cppcheck's note that it limits its analysis, which is
# no finding (the option that lifts the limit is unknown to Debian 12's).
cppcheck --enable=warning,style,performance,portability --std=c++20 --language=c++ \
  --error-exitcode=1 --inline-suppr --quiet \
  --suppress=missingIncludeSystem --suppress=passedByValue --suppress=normalCheckLevelMaxBranches \
  -I . geometry scene viewer app web
echo "lint: clean"

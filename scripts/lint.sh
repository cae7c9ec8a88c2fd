#!/usr/bin/env bash
# Static checks over our own code: formatting, clang-tidy and cppcheck for the C++, ESLint
# for the JavaScript. Installs what it needs, and configures the test build when the build
# folder named has no compilation database yet (clang-tidy reads the flags from it).
#   lint.sh [BUILD_DIR]   (default build/test)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$root"
build=${1:-build/test}
need_packages build run web test
if [[ ! -f "$build/compile_commands.json" ]]; then
  [[ "$build" -ef build/test || "$build" == build/test ]] ||
    { echo "lint.sh: $build has no compile_commands.json; configure it with CMAKE_EXPORT_COMPILE_COMMANDS=ON" >&2; exit 1; }
  cmake --preset test >&2
fi
install_browser_tools

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

echo "== eslint"
# Every .js and .mjs of ours that git knows (eslint.config.mjs says how each is read).
git ls-files '*.js' '*.mjs' | xargs testkit/node_modules/.bin/eslint --max-warnings 0
echo "lint: clean"

#!/usr/bin/env bash
# The commands that README.md and docs/*.md give in shell code blocks, on one fresh clone of
# the committed tree, in the order a reader meets them. Every command must be known below:
# one that is not, or a fenced block without a language, fails the check before anything
# runs. Every script a command names is syntax-checked (bash -n). Then:
#  - the quick commands run as written, each checked for what the text says it does;
#  - the long ones (each builds presets of its own) run as written only with --full, which
#    the release command uses; otherwise every preset that they or their script build is
#    configured;
#  - the few that cannot run here are listed with the reason.
#   documented_commands.sh [--list | --full] REPOSITORY   (--list: classify, run nothing)
set -euo pipefail
mode=quick
case ${1:-} in
  --list | --full) mode=${1#--} && shift ;;
esac
repo=$(cd "${1:?repository}" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/cube-docs-XXXXXX")
trap 'rm -rf "$work"' EXIT

# Each command the documents give, with the check that runs it (a command given twice is
# run where it first comes). The release build is quick only after the run command, which
# builds it and comes first.
declare -A quick=(
  ["bash scripts/run.sh"]=run_without_display
  ["bash scripts/web.sh"]=serve_page
  ["cmake --preset release && cmake --build --preset release"]=release_build
  ["cmake --install build/release"]=install_into_destdir
  ["(cd build/release && cpack)"]=debian_package
)
declare -A long=(
  ["cmake --preset mingw && cmake --build --preset mingw --target package"]=windows_zip
  ["bash scripts/lint.sh"]=lint_clean
  ["bash scripts/fuzz.sh 1000"]=short_fuzz
  ["bash scripts/bench.sh --quick"]=quick_bench
  ["bash scripts/screenshot.sh"]=screenshots
)
declare -A not_here=(
  ["bash scripts/test.sh"]="the test command itself, which runs this check"
  ["bash scripts/release.sh"]="runs the test command and this check with --full"
  ["sudo apt install ./build/release/cube-rotation_1.0_amd64.deb"]="would install the package into this machine's system (the package test installs it into a root of its own)"
  ["bash scripts/fresh-debian.sh"]="needs root, debootstrap and 10 to 30 minutes a root: run before each release"
  ["bash scripts/bench.sh"]="about ten minutes; its --quick form runs every part"
  ["bash tests/exactness/same_output.sh build/test/tests/angle_scan inf -- node build/web/tests/angle_scan.js"]="every float angle, about ten minutes; the web suite compares the same builds on 10,000 answer triples"
)

# The shell code blocks' commands, one per line as "FILE:LINE<TAB>COMMAND" (a trailing
# comment left off, a line ending in a backslash joined to the next); a fenced block with
# no language is reported as "FILE:LINE<TAB>!".
documented() {
  local file
  for file in README.md docs/*.md; do
    awk -v file="$file" '
      /^```/ {
        if (!open) {
          open = 1; lang = substr($0, 4)
          if (lang == "") print file ":" NR "\t!"
          next
        }
        open = 0; next
      }
      open && (lang == "sh" || lang == "bash" || lang == "shell") {
        line = $0
        if (pending != "") { line = pending " " line; pending = "" }
        if (line ~ /\\$/) { pending = substr(line, 1, length(line) - 1); next }
        sub(/[ \t]+#.*$/, "", line); sub(/^[ \t]+/, "", line)
        if (line != "" && line !~ /^#/) print file ":" NR "\t" line
      }' "$file"
  done
}

results=()
failed=0
# Runs one check from the clone's root, timed, stopping at its first failing command, and
# keeps its output; shows the output when it fails.   step WHAT COMMAND CHECK
step() {
  local what=$1 command=$2 check=$3 start=$SECONDS log status
  log=$work/log-${#results[@]}
  echo "== $command" >&2
  set +e # a subshell tested with || would run without set -e
  (set -e; cd "$work/clone"; "$check" "$command") >"$log" 2>&1
  status=$?
  set -e
  if ((status == 0)); then
    [[ $what != configured ]] || command+=" (presets: $(presets_of "$command" | xargs); runs as written in the release check)"
    results+=("$(printf 'passed  %4d s  %-10s  %s' $((SECONDS - start)) "$what" "$command")")
  else
    failed=1
    tail -60 "$log" >&2
    results+=("$(printf 'FAILED  %4d s  %-10s  %s' $((SECONDS - start)) "$what" "$command")")
  fi
}
fail() { echo "$*" >&2; return 1; }

# --- The checks: each runs the command as written --------------------------------------

# No display here: the program asks, prints the legend and ends with status 1.
run_without_display() {
  local status=0
  printf '30\n45\n60\n' | env -u DISPLAY bash -c "$1" >"$work/run.out" 2>"$work/run.err" || status=$?
  cat "$work/run.err"
  [[ "$(cat "$work/run.out")" == *"Kocka rotirana oko Z-ose: zuta" ]] || fail "no legend at the end of the output"
  ((status == 1)) || fail "ended with status $status, not 1"
  grep -q 'failed to open display' "$work/run.err" || fail "GLUT did not say that it has no display"
}

# An HTTP GET on this machine, to a file; fails unless the answer is 200.
fetch() {
  python3 -c 'import sys, urllib.request; open(sys.argv[2], "wb").write(urllib.request.urlopen(sys.argv[1], timeout=10).read())' "$@" 2>/dev/null
}

# Both the page and the single file answer, however the script builds them. Port 8080 as
# the README has it, or, where 8080 is taken, a free port given as the script's argument.
serve_page() {
  local command=$1 port=8080 deadline served=0
  if (exec 3<>/dev/tcp/127.0.0.1/8080) 2>/dev/null; then
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    command="$command $port"
    echo "port 8080 is taken here: $command"
  fi
  setsid bash -c "$command" </dev/null >"$work/web.out" 2>&1 &
  local server=$!
  deadline=$((SECONDS + 1200))
  while kill -0 "$server" 2>/dev/null && ((SECONDS < deadline)); do
    if fetch "http://127.0.0.1:$port/" "$work/index.html" && fetch "http://127.0.0.1:$port/cube-rotation.html" "$work/single.html"; then
      served=1
      break
    fi
    sleep 1 # the poll's interval; the server's end or the deadline decides
  done
  kill -- "-$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  cat "$work/web.out"
  ((served)) || fail "web.sh did not serve the page and the single file (it ended, or 20 minutes passed)"
  grep -q '<canvas id="canvas"' "$work/index.html" || fail "index.html is not the page"
  grep -q 'createCubeRotation' "$work/single.html" || fail "cube-rotation.html does not hold the program"
}

release_build() {
  bash -c "$1"
  [[ -x build/release/app/cube-rotation ]] || fail "no program in build/release"
}

# Under /usr/local as the README says, into a folder of the check's own.
install_into_destdir() {
  DESTDIR=$work/destdir bash -c "$1"
  [[ -x $work/destdir/usr/local/bin/cube-rotation ]] || fail "nothing installed at /usr/local/bin/cube-rotation"
}

debian_package() {
  bash -c "$1"
  [[ $(dpkg-deb --field "build/release/cube-rotation_$(version)_amd64.deb" Package) == cube-rotation ]] ||
    fail "no Debian package in build/release"
}

windows_zip() {
  bash -c "$1"
  # Listed whole first: grep -q quitting early could kill the lister by SIGPIPE (a pipefail failure).
  local listing
  listing=$(python3 -m zipfile -l "build/mingw/cube-rotation-$(version)-win64.zip")
  grep -q 'cube-rotation.exe ' <<<"$listing" || fail "the zip holds no .exe"
}

lint_clean() {
  bash -c "$1" | tee "$work/lint.out"
  grep -q '^lint: clean$' "$work/lint.out" || fail "lint did not end clean"
}

short_fuzz() {
  bash -c "$1" 2>&1 | tee "$work/fuzz.out"
  grep -q 'Done 1000 runs' "$work/fuzz.out" || fail "the fuzzer did not make its 1000 runs"
}

# The table's rows, each with a measured figure.
quick_bench() {
  bash -c "$1" | tee "$work/bench.out"
  local rows
  rows=$(grep -c '^| [a-zA-Z].* | [0-9].* |' "$work/bench.out" || true)
  ((rows >= 10)) || fail "the benchmark printed $rows rows of figures"
}

screenshots() {
  rm -f docs/screenshot.png docs/page.png
  bash -c "$1"
  for picture in docs/screenshot.png docs/page.png; do
    [[ -s $picture ]] || fail "$picture was not written"
  done
  [[ "$(identify -format '%wx%h' docs/screenshot.png)" == 1024x700 ]] || fail "the window's picture is not 1024x700"
}

# The presets that a command names or its scripts build, run from the clone's root.
presets_of() {
  (grep -o -- '--preset [a-z0-9-]*' <<<"$1" || true; for script in $(scripts_of "$1"); do
    sed -n 's/.*\(build_preset\|cmake --preset\) \([a-z0-9-]\+\).*/\2/p' "$script"
  done) | sed 's/^--preset //' | sort -u
}

configure_presets() {
  local presets preset
  presets=$(presets_of "$1")
  [[ -n "$presets" ]] || fail "names no preset to configure"
  for preset in $presets; do
    cmake --preset "$preset"
  done
}

scripts_of() { grep -o '[a-z/_-]*\.sh' <<<"$1" || true; }
version() { sed -n 's/^project(cube_rotation VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt; }

# --- The documents, read and checked ------------------------------------------------------

git clone --quiet "$repo" "$work/clone"
cd "$work/clone"
declare -A seen=()
order=()
unknown=()
while IFS=$'\t' read -r where command; do
  if [[ "$command" == "!" ]]; then
    unknown+=("$where: a fenced block with no language (sh for commands, text for the rest)")
  elif [[ -n "${seen[$command]:-}" ]]; then
    continue
  elif [[ -n "${quick[$command]:-}${long[$command]:-}${not_here[$command]:-}" ]]; then
    seen[$command]=1
    order+=("$command")
    for script in $(scripts_of "$command"); do
      bash -n "$script" || unknown+=("$where: $script is not valid bash")
    done
  else
    unknown+=("$where: $command: neither run by this check nor listed with a reason")
  fi
done < <(documented)
for command in "${!quick[@]}" "${!long[@]}" "${!not_here[@]}"; do
  [[ -n "${seen[$command]:-}" ]] || unknown+=("listed here but in no document: $command")
done
if ((${#unknown[@]} > 0)); then
  printf '%s\n' "${unknown[@]}" >&2
  exit 1
fi

for command in "${order[@]}"; do
  if [[ -n "${not_here[$command]:-}" ]]; then
    results+=("$(printf 'not run         %-10s  %s: %s' "" "$command" "${not_here[$command]}")")
  elif [[ $mode == list && -n "${quick[$command]:-}" ]]; then
    results+=("$(printf 'would           %-10s  %s' run "$command")")
  elif [[ $mode == list ]]; then
    results+=("$(printf 'would           %-10s  %s (presets: %s; runs as written with --full)' configure "$command" "$(presets_of "$command" | xargs)")")
  elif [[ -n "${quick[$command]:-}" ]]; then
    step run "$command" "${quick[$command]}"
  elif [[ $mode == full ]]; then
    step run "$command" "${long[$command]}"
  else
    step configured "$command" configure_presets
  fi
done
cd "$repo"
printf '%s\n' "${results[@]}"
echo "bash -n passed: $(for command in "${order[@]}"; do scripts_of "$command"; done | sort -u | xargs)"
exit "$failed"

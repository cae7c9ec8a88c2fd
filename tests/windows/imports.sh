#!/usr/bin/env bash
# Fails when a Windows program imports a DLL that not every Windows has (the C++ run time,
# freeglut or a thread library shipped beside it, say):   imports.sh PROGRAM.exe
set -euo pipefail
windows_own=" ADVAPI32.dll GDI32.dll GLU32.dll KERNEL32.dll msvcrt.dll OPENGL32.dll USER32.dll WINMM.dll "
imports=$(x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print $3 }')
[[ -n "$imports" ]] || { echo "no import table read from $1" >&2; exit 1; }
status=0
for dll in $imports; do
  if [[ "$windows_own" == *" $dll "* ]]; then
    echo "imports $dll"
  else
    echo "imports $dll, which Windows does not have of its own" >&2
    status=1
  fi
done
exit "$status"

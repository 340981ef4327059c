#!/usr/bin/env bash
# Checks that every program built in a build tree imports only DLLs that Windows loads from
# its own known-DLL list (plus comctl32, which the manifest binds side by side), so that no
# DLL can be picked up from the folder the program sits in. msimg32 in particular must be
# loaded at run time from the system directory, never imported.
#   check-imports.sh OBJDUMP BUILD_DIR
set -u
objdump=$1
build=$2
allowed=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll gdiplus.dll imm32.dll kernel32.dll
 msvcrt.dll normaliz.dll ntdll.dll ole32.dll oleaut32.dll psapi.dll rpcrt4.dll sechost.dll
 setupapi.dll shcore.dll shell32.dll shlwapi.dll user32.dll wldap32.dll ws2_32.dll "
allowed=" $(echo $allowed) "  # one line, one space between names
status=0
count=0
while IFS= read -r exe; do
  count=$((count + 1))
  imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$imports" ] || { echo "FAIL $exe: no import table found"; status=1; continue; }
  for dll in $imports; do
    case "$allowed" in
      *" $dll "*) ;;
      *) echo "FAIL $exe imports $dll, which is not a known DLL"; status=1 ;;
    esac
  done
done < <(find "$build" -name '*.exe' -not -path '*/wineprefix/*' -not -path '*/CMakeFiles/*')
[ "$count" -gt 0 ] || { echo "FAIL no programs found under $build"; exit 1; }
[ $status -eq 0 ] && echo "$count programs import only known DLLs"
exit $status

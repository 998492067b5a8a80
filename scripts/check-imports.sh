#!/usr/bin/env bash
# Every .exe of the Windows build may import only the system's DLLs.
set -euo pipefail
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|msvcrt|ADVAPI32|SHELL32|ole32|UxTheme|api-ms-win-.*)\.dll$'
status=0
for exe in $(find "$1" -name '*.exe' -not -path '*/wineprefix/*'); do
    while read -r dll; do
        if ! [[ "$dll" =~ $allowed ]]; then
            echo "$exe imports $dll, which is not a system DLL"
            status=1
        fi
    done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
done
[ $status -eq 0 ] && echo "imports: only system DLLs"
exit $status

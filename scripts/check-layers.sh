#!/usr/bin/env bash
# The layers read top-down: app -> editor and cli -> objects -> tables and
# names -> ui and text. A source file may include its own folder and the folders below it,
# never one above it or beside it. Fails, naming each such include.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
declare -A allowed=(
    [text]="text"
    [ui]="ui text"
    [names]="names text"
    [tables]="tables text"
    [objects]="objects tables names text"
    [editor]="editor objects tables names ui text"
    [cli]="cli objects tables names text"
    [app]="app editor cli objects tables names ui text"
)
status=0
for layer in "${!allowed[@]}"; do
    [ -d "$root/src/$layer" ] || continue
    while IFS=: read -r file line include; do
        target=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$include")
        case " ${allowed[$layer]} " in
            *" $target "*) ;;
            *) echo "${file#"$root"/}:$line: $layer may not include $target ($include)"; status=1 ;;
        esac
    done < <(grep -rnE '^\s*#\s*include "[a-z_]+/' "$root/src/$layer" || true)
done
[ $status -eq 0 ] && echo "layers: every include points down"
exit $status

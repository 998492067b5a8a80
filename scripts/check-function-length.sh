#!/usr/bin/env bash
# Fails when a function of the product code (src/, tools/) is longer than 80
# lines, as pmccabe counts them (its fifth column), and names each.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
limit=80
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- src tools | grep -E '\.(cpp|h)$' |
    grep -vE '^tools/[^/]+/tests/')
long=$(pmccabe "${files[@]}" 2>/dev/null | awk -F'\t' -v limit="$limit" '$5 > limit { print "  " $6 " (" $5 " lines)" }')
if [ -n "$long" ]; then
    echo "Functions longer than $limit lines:"
    echo "$long"
    exit 1
fi
echo "Every function is at most $limit lines."

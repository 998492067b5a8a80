#!/usr/bin/env bash
# Size of the test suite against the product code, in non-blank lines of the
# files git knows of (run from anywhere; pass another checkout as $1).
#   product: C++ sources (.cpp, .h) under src/ and tools/, the driver's tests excluded
#   tests:   everything under tests/ (unit tests, their helpers, end-to-end scripts
#            and their checks) and tools/*/tests/, build files (CMakeLists.txt,
#            .rc, .manifest) excluded
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
count() { if [ $# -eq 0 ]; then echo 0; else cat -- "$@" | grep -cv '^[[:space:]]*$' || true; fi; }
files() { git ls-files --cached --others --exclude-standard -- "$@" | while read -r f; do [ -f "$f" ] && echo "$f"; done; }
mapfile -t product < <(files src tools | grep -E '\.(cpp|h)$' | grep -vE '^tools/[^/]+/tests/')
mapfile -t tests < <(files tests tools | grep -E '^(tests/|tools/[^/]+/tests/)' |
    grep -vE '(^|/)CMakeLists\.txt$|\.(rc|manifest)$')
mapfile -t e2e < <(printf '%s\n' "${tests[@]}" | grep -E '\.(uid|sh)$' || true)
mapfile -t driver < <(printf '%s\n' "${tests[@]}" | grep -E '^tools/' || true)
p=$(count "${product[@]}")
t=$(count "${tests[@]}")
e=$(count "${e2e[@]}")
d=$(count "${driver[@]}")
echo "product code:            $p lines (src/, tools/)"
echo "tests:                   $t lines"
echo "  unit tests and helpers $((t - e - d))"
echo "  end-to-end and checks  $e"
echo "  driver's tests         $d"
awk -v t="$t" -v p="$p" 'BEGIN { printf "ratio:                   %.1f %%\n", 100 * t / p }'

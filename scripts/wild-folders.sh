#!/usr/bin/env bash
# Runs the wild-folder property tests (tests/cli/wild_folders_test.cpp) over more
# seeds than the test command does: scripts/wild-folders.sh [SEEDS] [BUILD DIR].
# The default is 500 seeds against build/native.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seeds=${1:-500}
build=${2:-$root/build/native}
cmake --build "$build" --target cli_tests
ORVEX_WILD_SEEDS=$seeds "$build/tests/cli/cli_tests" --gtest_filter='WildFolders.*'

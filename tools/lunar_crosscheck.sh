#!/usr/bin/env bash
# Compares the lunar calendar table (tools/gen_lunar_table.py) with two independent calendar
# libraries from the npm registry, installed into a temporary folder (never a build dependency).
#   tools/lunar_crosscheck.sh                 compare
#   tools/lunar_crosscheck.sh --reference     rewrite tests/clock/data/lunar_years.txt from
#                                             lunar-javascript (the reference the unit tests use)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm init -y >/dev/null && \
  npm install --no-audit --no-fund --silent lunar-javascript@1.7.7 solarlunar@3.1.0 >/dev/null)
cp "$root/tools/lunar_crosscheck.js" "$work/"
if [ "${1:-}" = "--reference" ]; then
  node "$work/lunar_crosscheck.js" --reference > "$root/tests/clock/data/lunar_years.txt"
  echo "wrote tests/clock/data/lunar_years.txt"
else
  python3 "$root/tools/gen_lunar_table.py" --dump > "$work/table.txt"
  node "$work/lunar_crosscheck.js" "$work/table.txt"
fi

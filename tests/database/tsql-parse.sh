#!/usr/bin/env bash
# Every batch of the SQL Server scripts and every statement the client sends, through the T-SQL
# parser of tools/tsql-check (installed by scripts/install-deps). A batch that does not parse
# fails the test, named by its script, number and line.
# Usage: tsql-parse.sh SCRIPTS_TOOL SOURCE_DIR
set -euo pipefail
tool="$1"
source="$2"
checker="$source/tools/tsql-check"
[ -d "$checker/node_modules" ] || { echo "the T-SQL parser is not installed: run scripts/install-deps"; exit 1; }
statements="$(mktemp)"
trap 'rm -f "$statements"' EXIT
"$tool" statements > "$statements"
node "$checker/check.mjs" --statements "$statements" "$source"/database/sqlserver/*.sql

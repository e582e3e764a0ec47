#!/usr/bin/env bash
# Every batch of the SQL Server scripts and every statement the client sends, through the T-SQL
# parser of tools/tsql-check (installed by scripts/install-deps --tests). A batch that does not parse
# fails the test, named by its script, number and line. Then copies of 03-procedures.sql, each
# broken in one way that parses but that SQL Server refuses: the parser must name each.
# Usage: tsql-parse.sh SCRIPTS_TOOL SOURCE_DIR
set -euo pipefail
tool="$1"
source="$2"
checker="$source/tools/tsql-check"
[ -d "$checker/node_modules" ] || { echo "the T-SQL parser is not installed: run scripts/install-deps --tests"; exit 1; }
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
"$tool" statements > "$scratch/statements"
node "$checker/check.mjs" --statements "$scratch/statements" "$source"/database/sqlserver/*.sql

# Each row: what is changed (a sed expression) | what the parser must say.
while IFS='|' read -r change expected; do
  sed "$change" "$source/database/sqlserver/03-procedures.sql" > "$scratch/broken.sql"
  if output="$(node "$checker/check.mjs" "$scratch/broken.sql")" || ! grep -q "$expected" <<<"$output"; then
    echo "a copy broken by '$change' passes: $output"
    exit 1
  fi
done <<'ROWS'
s/^CREATE OR ALTER PROCEDURE dbo.sp_List_ORRooms/PRINT N'rooms'; &/|CreateProcedure is not the first statement of its batch
s/THROW 50001,/THROW 49999,/|THROW 49999 is below 50000
ROWS
echo "copies broken in ways SQL Server refuses: each named"

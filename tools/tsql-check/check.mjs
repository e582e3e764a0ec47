// Parses every batch of the SQL Server scripts, and every statement the client sends, with
// sqlparser-rs's MS SQL dialect: a parser this project did not write, so a batch that SQL Server
// would refuse as a syntax error is caught before a site runs it, and so are two rules of batches
// that a parser of statements lets pass.
// Usage: node check.mjs [--statements FILE] SCRIPT.sql ...
//   SCRIPT.sql  batches end at a line GO, as sqlcmd reads them
//   FILE        one client statement a line
import { readFileSync } from 'node:fs';
import { basename } from 'node:path';
import { init, parse } from '@guanmingchiu/sqlparser-ts';

// The batches of a script, each with the line it starts on.
function batches(text) {
  const found = [];
  let lines = [], start = 1;
  text.split(/\r?\n/).forEach((line, i) => {
    if (/^\s*GO\s*$/i.test(line)) {
      found.push({ line: start, sql: lines.join('\n') });
      lines = [];
      start = i + 2;
    } else {
      lines.push(line);
    }
  });
  found.push({ line: start, sql: lines.join('\n') });
  // A batch of nothing but comments and blanks is no batch.
  return found.filter((b) => b.sql.replace(/--.*$/gm, '').trim() !== '');
}

// What parses but SQL Server refuses: a CREATE PROCEDURE, FUNCTION, VIEW or TRIGGER after
// another statement of its batch, and a THROW numbered below 50000 (the server's own errors).
const mustStartBatch = ['CreateProcedure', 'CreateFunction', 'CreateView', 'CreateTrigger'];
function refusals(statements) {
  const found = [];
  statements.forEach((statement, i) => {
    const kind = Object.keys(statement)[0];
    if (i > 0 && mustStartBatch.includes(kind)) found.push(`${kind} is not the first statement of its batch`);
  });
  const walk = (node) => {
    if (Array.isArray(node)) return node.forEach(walk);
    if (!node || typeof node !== 'object') return;
    const number = node.Throw?.error_number?.Value?.value?.Number?.[0];
    if (number !== undefined && Number(number) < 50000) found.push(`THROW ${number} is below 50000`);
    Object.values(node).forEach(walk);
  };
  walk(statements);
  return found;
}

await init();
const args = process.argv.slice(2);
const units = [];
for (let i = 0; i < args.length; ++i) {
  if (args[i] === '--statements') {
    readFileSync(args[++i], 'utf8').split('\n').filter((s) => s.trim() !== '')
      .forEach((sql, n) => units.push({ source: 'client statements', name: `statement ${n + 1}`, sql }));
  } else {
    batches(readFileSync(args[i], 'utf8')).forEach((b, n) =>
      units.push({ source: basename(args[i]), name: `batch ${n + 1} (line ${b.line})`, sql: b.sql }));
  }
}
// One line a source: how many of its batches (or statements) parse; then each failure.
const sources = new Map();
for (const unit of units) {
  if (!sources.has(unit.source)) sources.set(unit.source, []);
  try {
    refusals(parse(unit.sql, 'mssql')).forEach((r) => sources.get(unit.source).push(`  ${unit.name}: ${r}`));
  } catch (error) {
    sources.get(unit.source).push(`  ${unit.name}: ${String(error.message ?? error)}`);
  }
}
let failed = 0;
for (const [source, failures] of sources) {
  const total = units.filter((u) => u.source === source).length;
  const failing = new Set(failures.map((f) => f.split(':')[0])).size;  // a batch may fail twice
  failed += failing;
  console.log(`${source}: ${total - failing} of ${total} parse`);
  failures.forEach((f) => console.log(f));
}
process.exit(failed ? 1 : 0);

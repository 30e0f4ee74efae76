// Reads an ADIF file written by Varnek with ADIF parsers of other authors
// and checks the QSO values they find against expected.json.
//   node check-adif.js EXPECTED.json FILE.adi [--ascii]
// tcadif checks data types and enumerations strictly; it counts lengths in
// characters of the text it is given, so the file is given byte for byte
// (latin1). adif-parser-ts counts UTF-16 units: it reads ASCII-only files
// (--ascii).
'use strict';
const fs = require('fs');
const { ADIF } = require('tcadif');
const { AdifParser } = require('adif-parser-ts');

const [expectedPath, filePath, flag] = process.argv.slice(2);
const expected = JSON.parse(fs.readFileSync(expectedPath, 'utf8'));
const bytes = fs.readFileSync(filePath);
let failures = 0;
const fail = (message) => {
  console.error(`${filePath}: ${message}`);
  failures += 1;
};

function same(key, got, want) {
  if (got === undefined) return false;
  if (key === 'FREQ') return Math.abs(parseFloat(got) - parseFloat(want)) < 1e-9;
  if (key === 'BAND' || key === 'MODE' || key === 'SUBMODE') {
    return got.toUpperCase() === want.toUpperCase();
  }
  return got === want;
}

function check(parser, records) {
  if (records.length !== expected.length) {
    fail(`${parser}: ${records.length} records, expected ${expected.length}`);
    return;
  }
  records.forEach((record, i) => {
    for (const [key, want] of Object.entries(expected[i])) {
      const got = record[key] ?? record[key.toLowerCase()];
      if (!same(key, got, want)) fail(`${parser}: record ${i} ${key} is ${got}, expected ${want}`);
    }
  });
}

try {
  check('tcadif', ADIF.parse(bytes.toString('latin1')).toObject().qsos);
} catch (error) {
  fail(`tcadif: ${error.message} ${JSON.stringify(error.context ?? error)}`);
}
if (flag === '--ascii') {
  if (bytes.some((b) => b >= 0x80)) fail('the file is not ASCII-only');
  check('adif-parser-ts', AdifParser.parseAdi(bytes.toString('ascii')).records);
}
if (failures > 0) process.exit(1);
console.log(`${filePath}: ${expected.length} records as expected`);

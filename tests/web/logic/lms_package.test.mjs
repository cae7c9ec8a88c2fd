// The SCORM 1.2 package of a homework set (web/lms_package.js, web/make_lms_package.mjs),
// read back by other tools: Info-ZIP's unzip tests and lists the zip, libxml2's xmllint parses
// the manifest and reads it with XPath.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { defaultSet, setMetaName, setOfText, setProblem } from '../../../web/homework.js';
import { launchFile, lmsPackage, pageWithSet } from '../../../web/lms_package.js';
import { fc, property } from '../../../testkit/properties.mjs';

const work = mkdtempSync(join(tmpdir(), 'lms-package-'));
const run = (command, ...args) => {
  const result = spawnSync(command, args, { encoding: 'utf8' });
  assert.equal(result.status, 0, `${command} ${args.join(' ')}: ${result.stderr}${result.stdout}`);
  return result.stdout;
};
const scorm = { ims: 'http://www.imsproject.org/xsd/imscp_rootv1p1p2', adlcp: 'http://www.adlnet.org/xsd/adlcp_rootv1p2' };
// xmllint ends its answer with a line feed (a title never holds one).
const xpath = (file, path) => run('xmllint', '--xpath', path, file).replace(/\n$/, '');
const metaLine = new RegExp(`<meta name="${setMetaName}" content="([^"]*)">\\n`, 'g');

// A page of the single file's shape whose script holds the words of the set's element.
const page = `<!DOCTYPE html>\n<html lang="sr-Latn">\n<head>\n<meta charset="utf-8">\n<title>Kocka</title>\n</head>\n<body>\n`
  + `<script>const tag = \`\n<meta name="${setMetaName}" content="1.2">\n\`;</script>\n</body>\n</html>\n`;

// What a zip says of itself: its files, the manifest and the page, each checked as the tools
// read them.
function unpacked(zip, name) {
  const path = join(work, name);
  writeFileSync(path, zip);
  assert.match(run('unzip', '-t', path), /No errors detected/);
  const files = run('unzip', '-Z1', path).trim().split('\n').sort();
  const manifest = join(work, `${name}.xml`);
  writeFileSync(manifest, run('unzip', '-p', path, 'imsmanifest.xml'));
  run('xmllint', '--noout', manifest);
  return { files, manifest, page: run('unzip', '-p', path, launchFile) };
}

function checkPackage(zip, set, original) {
  const { files, manifest, page: packed } = unpacked(zip, 'package.zip');
  assert.deepEqual(files, ['cube-rotation.html', 'imsmanifest.xml']);
  assert.equal(xpath(manifest, 'namespace-uri(/*)'), scorm.ims);
  assert.equal(xpath(manifest, 'string(/*/*[local-name()="metadata"]/*[local-name()="schemaversion"])'), '1.2');
  const resources = `//*[local-name()="resource"][@*[local-name()="scormtype" and namespace-uri()="${scorm.adlcp}"]="sco"]`;
  assert.equal(xpath(manifest, `count(${resources})`), '1');
  const launch = xpath(manifest, `string(${resources}/@href)`);
  assert.ok(files.includes(launch), `${launch} is not in the zip`);
  const item = '//*[local-name()="organization"]/*[local-name()="item"]';
  assert.equal(xpath(manifest, `count(${item})`), '1');
  assert.equal(xpath(manifest, `string(${item}/*[local-name()="masteryscore" and namespace-uri()="${scorm.adlcp}"])`), String(set.passMark));
  assert.equal(xpath(manifest, `string(${item}/*[local-name()="title"])`), set.title);
  // The page is the original with one element more in its head, which reads as the set.
  const [, carried] = [...packed.matchAll(metaLine)].filter((m) => m.index < packed.indexOf('</head>'))[0] ?? [];
  assert.deepEqual(setOfText(carried), set);
  assert.equal(packed.replace(`<meta name="${setMetaName}" content="${carried}">\n`, ''), original);
}

const title = fc.string({ unit: fc.oneof(fc.constantFrom(...'&<>"\'čćđšžĐŠ ]]>'), fc.string({ unit: 'grapheme', minLength: 1, maxLength: 1 })),
  minLength: 1, maxLength: 30 }).filter((t) => setProblem(defaultSet(t)) === null);
const aSet = fc.record({ title, count: fc.integer({ min: 1, max: 10 }), passMark: fc.integer({ min: 0, max: 100 }) })
  .map((fields) => ({ ...defaultSet(''), ...fields }));

property('a package is a sound zip whose SCORM 1.2 manifest launches the page it holds, with the set inside the page',
  aSet, (set) => checkPackage(lmsPackage(page, set), set, page), 40);

test('the same set makes the same bytes; a page that carried a set carries the new one only', () => {
  const first = defaultSet('Prvi');
  const second = { ...defaultSet('Drugi'), count: 7 };
  assert.deepEqual(lmsPackage(page, first), lmsPackage(page, first));
  const again = pageWithSet(pageWithSet(page, first), second);
  checkPackage(lmsPackage(pageWithSet(page, first), second), second, page);
  assert.equal([...again.matchAll(metaLine)].length, 2, 'the script\'s words were touched');
  assert.throws(() => pageWithSet('<p>no head</p>', first));
});

// The build's default set, by hand: five tasks on multiples of 15 from 0 to 345, any turned
// cube, every vertex, 60 to pass.
const defaultPackageSet = {
  title: 'Domaći zadatak: rotacije kocke', count: 5, angles: { step: 15, min: 0, max: 345 }, cubes: [1, 2, 3],
  vertices: [0, 1, 2, 3, 4, 5, 6, 7], passMark: 60,
};

test('the build\'s script makes the default package from a single file', () => {
  const single = join(work, 'single.html');
  writeFileSync(single, page);
  const zip = join(work, 'default.zip');
  run('node', new URL('../../../web/make_lms_package.mjs', import.meta.url).pathname, single, zip);
  checkPackage(readFileSync(zip), defaultPackageSet, page);
});

const built = process.env.LMS_PACKAGE;
test('the build\'s default package holds the built single file, still allowed by its policy', { skip: !built && 'LMS_PACKAGE names no built package' }, () => {
  checkPackage(readFileSync(built), defaultPackageSet, readFileSync(process.env.SINGLE_PAGE, 'utf8'));
  const packed = join(work, 'packed.html');
  writeFileSync(packed, unpacked(readFileSync(built), 'built.zip').page);
  run('node', new URL('../../../web/assemble_page.mjs', import.meta.url).pathname, '--verify', packed);
});

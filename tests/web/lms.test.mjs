// The test kit's LMS in Chromium: scorm-again's API on a parent page, and in its frame a SCO
// that runs the page's own SCORM session (web/scorm.js, as modules): the student read, checks
// recorded, LMSFinish when the frame is left, and the work handed back at the next launch.
import assert from 'node:assert/strict';
import { mkdtempSync, symlinkSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { launchChromium, pageUrl, servePage } from '../../testkit/browser.mjs';
import { lmsState, lmsUrl, serveLms } from '../../testkit/lms.mjs';

const sco = mkdtempSync(join(tmpdir(), 'sco-'));
symlinkSync(fileURLToPath(new URL('../../web', import.meta.url)), join(sco, 'web'));
writeFileSync(join(sco, 'sco.html'), `<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>SCO</title></head><body>
<script type="module">
  import { defaultSet } from './web/homework.js';
  import { withCheck } from './web/homework_results.js';
  import { findApi, scormSession } from './web/scorm.js';
  const lms = scormSession(findApi(window), { storage: null });
  const opened = lms.open();
  const resumed = lms.resume(defaultSet('Rotacije'), opened.student.id);
  let results = resumed.results;
  addEventListener('pagehide', () => lms.close());
  window.sco = {
    opened, resumed,
    check(task, verdict, mistakes) {
      results = withCheck(results, task, { verdict, mistakes, predicted: [1.5, -2, 4] });
      return lms.record(results);
    },
  };
</script></body></html>
`);

// A page that packs itself, as the teacher's page does: its own text with a set in it.
writeFileSync(join(sco, 'own.html'), `<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Own</title>
<script type="importmap">{ "imports": { "fflate": "./web/node_modules/fflate/esm/browser.js" } }</script></head><body>
<script type="module">
  import { defaultSet, setInDocument } from './web/homework.js';
  import { ownSingleFile, pageWithSet } from './web/lms_package.js';
  window.own = { set: setInDocument(document), packed: pageWithSet(ownSingleFile(document), { ...defaultSet('Paket'), count: 3 }) };
</script></body></html>
`);

const browser = await launchChromium();
const servers = [];
after(async () => {
  await browser.close();
  servers.forEach((server) => server.close());
});

// The LMS's page with the SCO running in its frame.
async function launch(saved) {
  const server = await serveLms(sco, 'sco.html', { student: { id: 'ana.petrovic', name: 'Petrović, Ana' }, saved });
  servers.push(server);
  const page = await browser.newPage();
  await page.goto(lmsUrl(server));
  const frame = await (await page.waitForSelector('#sco')).contentFrame();
  await frame.waitForFunction(() => window.sco);
  return { page, frame };
}

test('a SCO in the LMS\'s frame reads the student, records checks, finishes when left, and finds its work at the next launch', async () => {
  const { page, frame } = await launch({});
  assert.deepEqual(await frame.evaluate(() => window.sco.opened), { student: { id: 'ana.petrovic', name: 'Petrović, Ana' }, problem: null });
  for (const [task, verdict, mistakes] of [[0, 'wrong', ['order', 'radians']], [0, 'correct', []], [1, 'correct', []]]) {
    assert.deepEqual(await frame.evaluate((args) => window.sco.check(...args), [task, verdict, mistakes]), { problem: null, unsent: 0 });
  }
  const { cmi, events } = await lmsState(page);
  assert.deepEqual([cmi.core.lesson_status, cmi.core.score.raw, cmi.core.score.max], ['incomplete', '20', '100']);
  const interactions = Object.values(cmi.interactions).filter((i) => i?.id);
  assert.deepEqual(interactions.map((i) => [i.id, i.result]), [['task1-check1', 'wrong'], ['task1-check2-practice', 'correct'], ['task2-check3', 'correct']]);
  assert.match(interactions[0].student_response, /mistakes: order, radians$/);
  assert.ok(events.LMSInitialize === 1 && events.LMSCommit >= 4 && events.LMSFinish === 0, JSON.stringify(events));

  await page.evaluate(() => { document.getElementById('sco').src = 'about:blank'; });
  await page.waitForFunction(() => window.lmsEvents.LMSFinish === 1);
  const left = await lmsState(page);
  // scorm-again keeps the time it was sent, written with two-digit hours.
  assert.match(left.cmi.core.session_time, /^\d{2,4}:\d\d:\d\d\.\d\d$/);
  assert.equal(left.cmi.core.exit, 'suspend');

  const back = await launch({ suspend_data: left.cmi.suspend_data, core: { lesson_status: left.cmi.core.lesson_status } });
  const resumed = await back.frame.evaluate(() => window.sco.resumed);
  assert.deepEqual(resumed.results.map((r) => [r.task, r.verdict, r.counted]), [[0, 'wrong', true], [0, 'correct', false], [1, 'correct', true]]);
  assert.equal(resumed.problem, null);
});

test('a page that packs its own text carries the set, and the packed page runs and reads it', async () => {
  const server = await servePage(sco);
  servers.push(server);
  const page = await browser.newPage();
  await page.goto(`${pageUrl(server)}own.html`);
  await page.waitForFunction(() => window.own);
  const { set, packed } = await page.evaluate(() => window.own);
  assert.equal(set, null);
  writeFileSync(join(sco, 'packed.html'), packed);
  await page.goto(`${pageUrl(server)}packed.html`);
  await page.waitForFunction(() => window.own);
  const again = await page.evaluate(() => window.own);
  assert.deepEqual(again.set, { title: 'Paket', count: 3, angles: { step: 15, min: 0, max: 345 }, cubes: [1, 2, 3],
    vertices: [0, 1, 2, 3, 4, 5, 6, 7], passMark: 60 });
  assert.equal(again.packed.match(/<meta name="cube-rotation-homework"/g).length, 1);
});

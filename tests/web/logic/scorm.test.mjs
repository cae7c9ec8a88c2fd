// The page as a SCORM 1.2 SCO (web/scorm.js) against the test kit's fake LMS: the API found
// as ADL's rule says, a whole session, and every kind of LMS failure at any call with nothing
// lost: what the LMS did not take is sent again, and the browser keeps the work throughout.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { defaultSet, variantSeed } from '../../../web/homework.js';
import { storageKey, withCheck, workOfText } from '../../../web/homework_results.js';
import { findApi, scormSession, sessionTime } from '../../../web/scorm.js';
import { fakeScormApi } from '../../../testkit/lms.mjs';
import { fc, property } from '../../../testkit/properties.mjs';

test('the API is found on the window, up its parents, then up its opener\'s, and past a window of another origin', () => {
  const API = { name: 'the API' };
  // A chain of windows from the page up: each { API?, foreign? }, the top its own parent.
  const chain = (levels, extra = {}) => {
    const windows = levels.map(({ api, foreign }) => (foreign
      ? new Proxy({}, { get: (w, key) => { if (key === 'API') throw new Error('another origin'); return w[key]; } })
      : { API: api ? API : undefined }));
    windows.forEach((w, i) => { Reflect.set(w, 'parent', windows[i + 1] ?? w); });
    Object.assign(windows[0], extra);
    return windows[0];
  };
  const plain = (n) => Array.from({ length: n }, () => ({}));
  const cases = [
    ['on the window', chain([{ api: true }]), API],
    ['three parents up', chain([...plain(3), { api: true }]), API],
    ['above a window of another origin', chain([{}, { foreign: true }, { api: true }]), API],
    ['500 parents up', chain([...plain(500), { api: true }]), API],
    ['501 parents up: too far', chain([...plain(501), { api: true }]), null],
    ['nowhere', chain(plain(4)), null],
    ['up the opener\'s parents', chain(plain(2), { opener: chain([{}, { api: true }]) }), API],
    ['nearer than the opener\'s', chain([{}, { api: true }], { opener: chain([{ api: true }]) }), API],
  ];
  for (const [where, win, expected] of cases) {
    assert.equal(findApi(win), expected, where);
  }
});

property('a session\'s time is written HHHH:MM:SS.SS and reads back as its hundredths of a second',
  fc.integer({ min: 0, max: 9999 * 3600 * 1000 - 1 }), (ms) => {
    const [, h, m, s] = /^(\d{4}):([0-5]\d):([0-5]\d\.\d\d)$/.exec(sessionTime(ms));
    assert.equal(Math.round((Number(h) * 3600 + Number(m) * 60 + Number(s)) * 100), Math.floor(ms / 10));
  }, 2000);

// The set and student of docs/development.md's example, whose tasks are known:
// V6 green 195,270,255; V5 blue 165,105,75; V4 blue 105,15,240; V0 green 105,210,240; V7 yellow 105,285,345.
const set = defaultSet('Rotacije');
const student = { id: 'ana.petrovic', name: 'Petrović, Ana' };
const seed = variantSeed(set, student.id);
const memory = () => {
  const kept = new Map();
  return { getItem: (key) => kept.get(key) ?? null, setItem: (key, value) => kept.set(key, value) };
};
const check = (task, verdict, mistakes = [], predicted = [1.5, -2.25, 4]) => ({ task, verdict, mistakes, predicted });

test('a session reads the student, sends each check with the score and status, and ends with its time when the page is left', () => {
  const api = fakeScormApi({ student });
  let now = 1000;
  const lms = scormSession(api, { storage: memory(), clock: () => now });
  assert.deepEqual(lms.open(), { student, problem: null });
  const { tasks, results: none, problem } = lms.resume(set, student.id);
  assert.deepEqual([none, problem], [[], null]);
  assert.equal(api.committed()['cmi.core.lesson_status'], 'incomplete');
  let results = [];
  const sendings = [check(0, 'wrong', ['order', 'centre']), check(0, 'correct'), check(1, 'correct'), check(2, 'wrong'),
    check(3, 'correct'), check(4, 'correct')];
  for (const c of sendings) {
    results = withCheck(results, c.task, c);
    assert.deepEqual(lms.record(results), { problem: null, unsent: 0 });
  }
  assert.equal(tasks.length, 5);
  const saved = api.committed();
  assert.deepEqual(api.interactions(), [
    { id: 'task1-check1', type: 'fill-in', student_response: 'V6 zelena 195,270,255: 1.5; -2.25; 4 | mistakes: order, centre', result: 'wrong', weighting: '1' },
    { id: 'task1-check2-practice', type: 'fill-in', student_response: 'V6 zelena 195,270,255: 1.5; -2.25; 4', result: 'correct', weighting: '0' },
    { id: 'task2-check3', type: 'fill-in', student_response: 'V5 plava 165,105,75: 1.5; -2.25; 4', result: 'correct', weighting: '1' },
    { id: 'task3-check4', type: 'fill-in', student_response: 'V4 plava 105,15,240: 1.5; -2.25; 4', result: 'wrong', weighting: '1' },
    { id: 'task4-check5', type: 'fill-in', student_response: 'V0 zelena 105,210,240: 1.5; -2.25; 4', result: 'correct', weighting: '1' },
    { id: 'task5-check6', type: 'fill-in', student_response: 'V7 zuta 105,285,345: 1.5; -2.25; 4', result: 'correct', weighting: '1' },
  ]);
  // Three of five right at the first check: 60, the pass mark.
  assert.deepEqual([saved['cmi.core.score.raw'], saved['cmi.core.score.min'], saved['cmi.core.score.max'], saved['cmi.core.lesson_status']],
    ['60', '0', '100', 'passed']);
  assert.deepEqual(workOfText(saved['cmi.suspend_data'], seed, 5), { results, earlier: 0 });
  now += 3723450;
  assert.deepEqual(lms.close(), { problem: null });
  const calls = api.calls.length;
  assert.deepEqual(api.calls.at(-1), ['LMSFinish', '']);
  assert.equal(api.committed()['cmi.core.session_time'], '0001:02:03.45');
  assert.equal(api.committed()['cmi.core.exit'], 'suspend');
  assert.deepEqual(api.calls[0], ['LMSInitialize', '']);
  lms.close();
  assert.equal(api.calls.length, calls, 'the LMS is called after LMSFinish');

  // Back the next day, in another browser: the work and the score are there, and a further
  // check is the next interaction.
  api.restart();
  const again = scormSession(api, { storage: memory() });
  again.open();
  const back = again.resume(set, student.id);
  assert.deepEqual([back.results, back.problem], [results, null]);
  again.record(withCheck(results, 4, check(4, 'wrong')));
  assert.equal(api.interactions().length, 7);
  assert.equal(api.interactions()[6].id, 'task5-check7-practice');
  assert.equal(api.committed()['cmi.core.score.raw'], '60');
});

const kinds = fc.constantFrom('false', 'code', 'throw');
const aCheck = fc.record({ task: fc.integer({ min: 0, max: 4 }), verdict: fc.constantFrom('correct', 'wrong'),
  mistakes: fc.subarray(['order', 'direction', 'radians']), predicted: fc.tuple(fc.double({ noNaN: true }), fc.constant(2.5), fc.constant(-1)) })
  .map((c) => ({ ...c, mistakes: c.verdict === 'correct' ? [] : c.mistakes }));

property('whatever call fails, and however, nothing is lost: the browser keeps the work, the next clean commit sends it all',
  fc.record({ checks: fc.array(aCheck, { minLength: 1, maxLength: 12 }), faults: fc.array(fc.oneof({ arbitrary: fc.constant(null), weight: 8 }, { arbitrary: kinds, weight: 1 }),
    { maxLength: 200, size: 'max' }),
    storage: fc.constantFrom('kept', 'refused', 'none') }, { noNullPrototype: true }), ({ checks, faults, storage }) => {
    const api = fakeScormApi({ student });
    const pending = [...faults];
    let failed = false;
    api.fault = () => {
      const kind = pending.shift() ?? null;
      failed ||= Boolean(kind);
      return kind;
    };
    const browser = storage === 'kept' ? memory() : storage === 'refused' ? { getItem() { throw new Error('no'); }, setItem() { throw new Error('no'); } } : null;
    const lms = scormSession(api, { storage: browser });
    const opened = lms.open();
    const live = opened.problem !== 'lmsNoStart';
    assert.ok(live || failed);
    const resumed = lms.resume(set, opened.student?.id ?? student.id);
    if (!live) {
      assert.equal(resumed.problem, 'lmsNoStart', 'an LMS that did not start is forgotten');
    }
    let results = [];
    for (const c of checks) {
      results = withCheck(results, c.task, c);
      failed = false;
      const { problem, unsent } = lms.record(results);
      if (storage === 'kept') {
        assert.deepEqual(workOfText(browser.getItem(storageKey(seed)), seed, 5).results, results);
      }
      if (!live) {
        assert.deepEqual({ problem, unsent }, { problem: 'lmsNoStart', unsent: 0 });
        continue;
      }
      assert.ok(!failed || problem === 'lmsNotSaved', 'a failure not told');
      if (problem === null) {
        assert.equal(api.interactions().length, results.length);
        assert.deepEqual(workOfText(api.committed()['cmi.suspend_data'], seed, 5).results, results);
      }
    }
    if (!live) {
      assert.deepEqual(api.calls.map(([name]) => name), ['LMSInitialize']);
      return;
    }
    api.fault = null;
    assert.deepEqual(lms.close(), { problem: null });
    const saved = api.committed();
    const sent = api.interactions();
    assert.equal(sent.length, results.length);
    results.forEach((r, i) => {
      assert.equal(sent[i].result, r.verdict);
      assert.equal(sent[i].weighting, r.counted ? '1' : '0');
      assert.equal(sent[i].id, `task${r.task + 1}-check${i + 1}${r.counted ? '' : '-practice'}`);
      r.mistakes.forEach((id) => assert.match(sent[i].student_response, new RegExp(`mistakes: .*${id}`)));
    });
    assert.deepEqual(workOfText(saved['cmi.suspend_data'], seed, 5).results, results);
    const firsts = [0, 1, 2, 3, 4].map((task) => checks.find((c) => c.task === task));
    const right = firsts.filter((c) => c?.verdict === 'correct').length;
    assert.equal(saved['cmi.core.score.raw'], String(20 * right));
    assert.equal(saved['cmi.core.lesson_status'], firsts.includes(undefined) ? 'incomplete' : right >= 3 ? 'passed' : 'failed');
  }, 1000);

test('suspend data the page cannot read is said so, and the work goes on from the browser\'s copy or from nothing', () => {
  const other = variantSeed(defaultSet('Drugi'), student.id).toString(16).padStart(16, '0');
  const cases = [
    ['garbled', { 'cmi.suspend_data': '1~zz' }, null],
    ['another set\'s', { 'cmi.suspend_data': `1~${other}~0~0c00` }, null],
    ['not given', {}, 'LMSGetValue'],
  ];
  for (const [what, saved, throwing] of cases) {
    for (const keptCopy of [false, true]) {
      const storage = memory();
      if (keptCopy) {
        storage.setItem(storageKey(seed), `1~${seed.toString(16).padStart(16, '0')}~0~2c001,2,3`);
      }
      const api = fakeScormApi({ saved });
      api.fault = ({ name, element }) => (name === throwing && element === 'cmi.suspend_data' ? 'throw' : null);
      const lms = scormSession(api, { storage });
      lms.open();
      const { results, problem } = lms.resume(set, student.id);
      assert.equal(problem, 'lmsUnreadable', what);
      assert.deepEqual(results, keptCopy ? [withCheck([], 2, check(2, 'correct', [], [1, 2, 3]))[0]] : [], what);
      assert.deepEqual(workOfText(api.committed()['cmi.suspend_data'], seed, 5).results, results, what);
    }
  }
});

test('checks whose commit failed before the page was left are restored from the browser and sent at the next visit', () => {
  const storage = memory();
  const api = fakeScormApi();
  api.fault = ({ name }) => (['LMSCommit', 'LMSFinish'].includes(name) ? 'false' : null);
  const first = scormSession(api, { storage });
  first.open();
  first.resume(set, student.id);
  const results = [check(0, 'wrong', ['radians']), check(1, 'correct')].reduce((r, c) => withCheck(r, c.task, c), []);
  assert.deepEqual(first.record(results), { problem: 'lmsNotSaved', unsent: 2 });
  assert.deepEqual(first.close(), { problem: 'lmsNotSaved' });
  assert.equal(api.interactions().length, 0);
  api.restart();
  api.fault = null;
  const second = scormSession(api, { storage });
  second.open();
  const { results: back, problem } = second.resume(set, student.id);
  assert.deepEqual({ results: back, problem }, { results: [
    { task: 0, verdict: 'wrong', mistakes: ['radians'], counted: true, predicted: [1.5, -2.25, 4] },
    { task: 1, verdict: 'correct', mistakes: [], counted: true, predicted: [1.5, -2.25, 4] },
  ], problem: null });
  assert.deepEqual(api.interactions().map((i) => i.id), ['task1-check1', 'task2-check2']);
});

test('practice checks past the suspend data\'s room keep their interactions\' places across visits', () => {
  const api = fakeScormApi();
  const long = [Math.PI * 1e-300, -Math.E * 1e100, 1 / 3];
  let results = [];
  let lms = scormSession(api);
  lms.open();
  lms.resume(set, student.id);
  for (let i = 0; i < 80; ++i) {
    results = withCheck(results, i % 5, check(i % 5, 'wrong', ['order'], long));
  }
  lms.record(results);
  lms.close();
  const saved = api.committed()['cmi.suspend_data'];
  assert.ok(saved.length <= 4096);
  const { results: kept, earlier } = workOfText(saved, seed, 5);
  assert.equal(earlier + kept.length, 80);
  api.restart();
  lms = scormSession(api);
  lms.open();
  const back = lms.resume(set, student.id);
  lms.record(withCheck(back.results, 0, check(0, 'correct')));
  assert.equal(api.interactions().length, 81);
  assert.equal(api.interactions()[80].id, 'task1-check81-practice');
});

test('outside an LMS the work is kept in the browser only', () => {
  const storage = memory();
  const lms = scormSession(null, { storage });
  assert.deepEqual(lms.resume(set, student.id).results, []);
  const results = withCheck([], 3, check(3, 'correct'));
  assert.deepEqual(lms.record(results), { problem: null, unsent: 0 });
  assert.deepEqual(lms.close(), { problem: null });
  assert.deepEqual(scormSession(null, { storage }).resume(set, student.id).results, results);
});

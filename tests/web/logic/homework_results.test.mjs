// A student's checks on a homework set (web/homework_results.js): which count, the score and
// the status over every sequence of checks, and the work as text, kept whole or, past SCORM
// 1.2's 4096 characters, without its oldest practice checks.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { mistakeIds } from '../../../web/grading.js';
import { lessonStatus, scoreOf, suspendLimit, withCheck, workOfText, workText } from '../../../web/homework_results.js';
import { fc, property } from '../../../testkit/properties.mjs';

const anyNumber = fc.oneof(fc.double({ noNaN: true }), fc.integer({ min: -20, max: 20 }).map((n) => n / 4));
const handTyped = fc.integer({ min: -900, max: 900 }).map((n) => n / 100); // two decimals, as typed by hand
const check = (count, coordinate = anyNumber) => fc.record({
  task: fc.integer({ min: 0, max: count - 1 }),
  verdict: fc.constantFrom('correct', 'wrong'),
  mistakes: fc.subarray(mistakeIds),
  predicted: fc.tuple(coordinate, coordinate, coordinate),
}).map((c) => ({ ...c, mistakes: c.verdict === 'correct' ? [] : c.mistakes }));
const session = (coordinate, length = { maxLength: 40 }) => fc.integer({ min: 1, max: 10 }).chain((count) => fc.record({
  count: fc.constant(count), passMark: fc.integer({ min: 0, max: 100 }),
  checks: fc.array(check(count, coordinate), length),
}));
const made = (checks) => checks.reduce((results, c) => withCheck(results, c.task, c), []);

property('each task\'s first check counts and the rest are practice; the score is the share right at the first check, rounded down; the status waits for every task',
  session(anyNumber), ({ count, passMark, checks }) => {
    const results = made(checks);
    const firsts = new Map();
    checks.forEach((c, i) => firsts.has(c.task) || firsts.set(c.task, i));
    results.forEach((r, i) => assert.equal(r.counted, firsts.get(r.task) === i));
    const right = [...firsts.values()].filter((i) => checks[i].verdict === 'correct').length;
    const score = scoreOf(count, results);
    // The largest whole score that does not exceed the share: score·count <= 100·right.
    assert.ok(score * count <= 100 * right && (score + 1) * count > 100 * right, `${right} of ${count}: ${score}`);
    const expected = firsts.size < count ? 'incomplete' : 100 * right >= passMark * count ? 'passed' : 'failed';
    assert.equal(lessonStatus({ count, passMark }, results), expected);
  }, 3000);

const seed = fc.bigInt({ min: 0n, max: (1n << 64n) - 1n });

property('the work reads back as the same checks, and from another student\'s or set\'s work as none',
  fc.tuple(session(anyNumber), seed, seed, fc.nat(1000)), ([{ count, checks }, mine, other, earlier]) => {
    const results = made(checks);
    const text = workText(mine, results, earlier, Infinity);
    assert.deepEqual(workOfText(text, mine, count), { results, earlier });
    if (other !== mine) {
      assert.deepEqual(workOfText(text, other, count), { problem: 'other' });
    }
  }, 2000);

property('past 4096 characters only the oldest practice checks are left out, and counted',
  fc.tuple(session(fc.double({ noNaN: true }), { minLength: 30, maxLength: 300, size: 'max' }), seed), ([{ count, checks }, mine]) => {
    const results = made(checks);
    const text = workText(mine, results, 7);
    assert.ok(text.length <= suspendLimit, `${text.length}`);
    const { results: kept, earlier } = workOfText(text, mine, count);
    const left = results.length - kept.length;
    assert.equal(earlier, 7 + left);
    // What is kept is every check but the `left` oldest practice ones.
    const practice = results.map((r, i) => i).filter((i) => !results[i].counted);
    const out = new Set(practice.slice(0, left));
    assert.deepEqual(kept, results.filter((r, i) => !out.has(i)));
  }, 300);

// A number as JavaScript writes it takes at most 24 characters (-2.2250738585072014e-308).
test('ten tasks with five checks each fit whole in the suspend data, whatever was predicted', (t) => {
  const longest = fc.constant(-2.2250738585072014e-308);
  const size = (coordinate) => Math.max(...fc.sample(fc.array(check(10, coordinate), { minLength: 50, maxLength: 50 }),
    { numRuns: 50, seed: 7 }).map((checks) => {
    const text = workText(2n ** 64n - 1n, made(checks));
    assert.equal(workOfText(text, 2n ** 64n - 1n, 10).earlier, 0);
    return text.length;
  }));
  t.diagnostic(`at most ${size(handTyped)} characters typed to two decimals, ${size(anyNumber)} for any numbers, ${size(longest)} for the longest`);
});

// A student's work as text with one character put in, taken out or changed.
const editedWork = fc.tuple(session(handTyped, { minLength: 1, maxLength: 8 }), seed, fc.nat(20), fc.nat(), fc.nat(2),
  fc.constantFrom(...'0123456789abcdefcwx~;,.-e+ ')).map(([{ count, checks }, mine, earlier, at, how, c]) => {
  const text = workText(mine, made(checks), earlier, Infinity);
  const i = at % (text.length + 1);
  return { count, mine, text: text.slice(0, i) + ['', c, c][how] + text.slice(i + (how === 1 ? 0 : 1)) };
});

// The reader takes some texts the page never writes (a number as 1.50 or +1, earlier as 07):
// what it takes is work that writes and reads back as itself.
property('text that is no work is refused, never thrown on, and text taken is sound work',
  fc.oneof(fc.string().map((text) => ({ count: 10, mine: 0n, text })), editedWork), ({ count, mine, text }) => {
    const read = workOfText(text, mine, count);
    if (read.problem) {
      assert.ok(['unreadable', 'other'].includes(read.problem), read.problem);
      return;
    }
    const { results, earlier } = read;
    assert.ok(Number.isInteger(earlier) && earlier >= 0, `${earlier}`);
    results.forEach((r, i) => {
      assert.ok(Number.isInteger(r.task) && r.task >= 0 && r.task < count, `${r.task} of ${count}`);
      assert.ok(['correct', 'wrong'].includes(r.verdict), r.verdict);
      assert.deepEqual(r.mistakes, mistakeIds.filter((id) => r.mistakes.includes(id)));
      assert.ok(r.predicted.length === 3 && r.predicted.every((x) => typeof x === 'number' && !Number.isNaN(x)), `${r.predicted}`);
      assert.equal(r.counted, !results.slice(0, i).some((o) => o.task === r.task));
    });
    assert.deepEqual(workOfText(workText(mine, results, earlier, Infinity), mine, count), read);
  }, 3000);

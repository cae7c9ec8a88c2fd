// The checks a student makes on the tasks of a homework set: which count, the score, the
// lesson's status, and the work as text to keep (the LMS's suspend data, the browser's
// storage).
import { mistakeIds } from './grading.js';

// The results after checking task `task` (its index in the student's tasks): each check
// { task, verdict, mistakes, counted, predicted: [x, y, z] }, in order. A task's first check
// counts; later ones are practice.
export function withCheck(results, task, { verdict, mistakes, predicted }) {
  const counted = !results.some((r) => r.task === task);
  return [...results, { task, verdict, mistakes: [...mistakes], counted, predicted: [...predicted] }];
}

// 0 to 100: the share of the set's tasks whose counted check was right, rounded down, so that
// a score at the pass mark means at least that share was right, as the LMS also judges it.
export function scoreOf(count, results) {
  return Math.floor((100 * results.filter((r) => r.counted && r.verdict === 'correct').length) / count);
}

// 'incomplete' until every task has been checked, then 'passed' or 'failed' by the pass mark.
export function lessonStatus(set, results) {
  if (new Set(results.map((r) => r.task)).size < set.count) {
    return 'incomplete';
  }
  return scoreOf(set.count, results) >= set.passMark ? 'passed' : 'failed';
}

// What the page's status object says of the homework. `student` is the student's id, `lms`
// 'scorm12' in an LMS, else null.
export function homeworkStatus({ set, student, tasks, results, lms }) {
  return {
    title: set.title, student, tasks, results, score: scoreOf(set.count, results), status: lessonStatus(set, results), lms,
  };
}

// SCORM 1.2 keeps at most this much suspend data.
export const suspendLimit = 4096;

// The work as text: 1~KEY~EARLIER~CHECKS. KEY is the variant seed in 16 hex digits (the work
// belongs to one set and one student); EARLIER counts the practice checks made before those
// kept; CHECKS are the checks kept, separated by ';', each the task's digit, c or w, the
// mistakes as two hex digits (bit i for mistakeIds[i]) and the prediction, x,y,z as
// JavaScript writes a number (and -0): 3w051.5,-2.3,4. Past `limit` characters the oldest practice
// checks are left out (counted in EARLIER); counted ones always stay, and ten of them fit.
export function workText(seed, results, earlier = 0, limit = suspendLimit) {
  const checks = results.map(({ task, verdict, mistakes, predicted }) => {
    const mask = mistakes.reduce((sum, id) => sum | (1 << mistakeIds.indexOf(id)), 0);
    const xyz = predicted.map((x) => (Object.is(x, -0) ? '-0' : String(x))).join(',');
    return `${task}${verdict[0]}${mask.toString(16).padStart(2, '0')}${xyz}`;
  });
  const kept = results.map((r, i) => i);
  const text = () => `1~${seed.toString(16).padStart(16, '0')}~${earlier + results.length - kept.length}~${kept.map((i) => checks[i]).join(';')}`;
  while (text().length > limit) {
    const oldest = kept.findIndex((i) => !results[i].counted);
    if (oldest < 0) {
      break;
    }
    kept.splice(oldest, 1);
  }
  return text();
}

const checkForm = /^(\d)([cw])([0-9a-f]{2})([^,;]+),([^,;]+),([^,;]+)$/;

// The work in `text` for the student and set of `seed` with `count` tasks: { results, earlier }
// (none for an empty text); or { problem }: 'other' for another set's or student's work,
// 'unreadable' for text that is no work at all.
export function workOfText(text, seed, count) {
  if (text === '') {
    return { results: [], earlier: 0 };
  }
  const [version, key, earlier, checks, extra] = text.split('~');
  if (version !== '1' || !/^[0-9a-f]{16}$/.test(key) || !/^\d{1,6}$/.test(earlier ?? '') || checks === undefined
      || extra !== undefined) {
    return { problem: 'unreadable' };
  }
  if (BigInt(`0x${key}`) !== seed) {
    return { problem: 'other' };
  }
  let results = [];
  for (const check of checks === '' ? [] : checks.split(';')) {
    const [, task, verdict, mask, ...xyz] = checkForm.exec(check) ?? [];
    const predicted = xyz.map(Number);
    const bits = parseInt(mask, 16);
    if (!task || Number(task) >= count || predicted.some(Number.isNaN)) {
      return { problem: 'unreadable' };
    }
    const mistakes = mistakeIds.filter((id, i) => bits & (1 << i));
    results = withCheck(results, Number(task), { verdict: verdict === 'c' ? 'correct' : 'wrong', mistakes, predicted });
  }
  return { results, earlier: Number(earlier) };
}

// The browser's storage where it allows one (a page from the disk, a private window or a
// sandboxed frame may refuse), and the work kept there under a key of the seed.
export function browserStorage(win) {
  try {
    return win.localStorage ?? null;
  } catch {
    return null;
  }
}
export const storageKey = (seed) => `cube-rotation-homework-${seed.toString(16).padStart(16, '0')}`;

export function keepLocally(storage, key, text) {
  try {
    storage?.setItem(key, text);
  } catch {
    // Full or refused: the LMS or the page still holds the work.
  }
}

export function keptLocally(storage, key) {
  try {
    return storage?.getItem(key) ?? null;
  } catch {
    return null;
  }
}

// The page as a SCORM 1.2 SCO: the LMS's API found as ADL's rule says, the student's id and
// name read, each check sent as an interaction with the score, the lesson's status and the
// work (suspend data), and the session ended when the page is left. The LMS may fail in
// every way (a false return, an error code, a throw, suspend data it garbled): the work is
// kept in the suspend data and the browser, whatever was not accepted is sent again with the
// next commit, and each call says what the student should be told as a message key.
import { tasksFor, variantSeed } from './homework.js';
import { keepLocally, keptLocally, lessonStatus, scoreOf, storageKey, workOfText, workText } from './homework_results.js';
import { cubeLinkNames } from './task_link.js';

// The API object of the nearest window that has one: this window, its parents up to `levels`
// of them, then the opener and its parents. A window of another origin hides its API; the
// search goes on above it.
export function findApi(win, levels = 500) {
  const climb = (start) => {
    let w = start;
    for (let level = 0; w && level <= levels; ++level) {
      try {
        if (w.API) {
          return w.API;
        }
      } catch {
        // another origin's window
      }
      if (!w.parent || w.parent === w) {
        return null;
      }
      w = w.parent;
    }
    return null;
  };
  let opener = null;
  try {
    opener = win.opener;
  } catch {
    // no opener to be seen
  }
  return climb(win) ?? (opener ? climb(opener) : null);
}

// HHHH:MM:SS.SS, as SCORM 1.2 writes a time span (at most 9999 hours).
export function sessionTime(milliseconds) {
  const hundredths = Math.min(Math.max(Math.floor(milliseconds / 10), 0), 9999 * 360000 + 359999);
  const two = (n) => String(n).padStart(2, '0');
  return `${String(Math.floor(hundredths / 360000)).padStart(4, '0')}:${two(Math.floor(hundredths / 6000) % 60)}:`
    + `${two(Math.floor(hundredths / 100) % 60)}.${two(hundredths % 100)}`;
}

// The interaction of check `result` on task `task` ({ vertex, cube, answers }), the student's
// check number `nth` of all, as the elements to set. Its id says which task and which check
// (task3-check8-practice: the eighth check, a later one on task 3, weighted 0); the response
// says what was asked and answered and, for a wrong answer, the usual mistakes it matches,
// where an LMS's report shows it:
//   V7 zuta 30,45,60: 1.5; -2.3; 4 | mistakes: order, direction
function interaction(result, nth, task) {
  const asked = `V${task.vertex} ${cubeLinkNames[task.cube]} ${task.answers.join(',')}`;
  const named = result.mistakes.length > 0 ? ` | mistakes: ${result.mistakes.join(', ')}` : '';
  return {
    id: `task${result.task + 1}-check${nth}${result.counted ? '' : '-practice'}`,
    type: 'fill-in',
    student_response: `${asked}: ${result.predicted.join('; ')}${named}`.slice(0, 255),
    result: result.verdict,
    weighting: result.counted ? '1' : '0',
  };
}

// A session with the LMS's `api`: open(), then resume(set, id), record(results) after each
// check and close() when the page is left. `storage` is the browser's (or null), `clock`
// gives milliseconds. Without an LMS (api null, open() not called), or with one that did not
// start, the work is kept in the browser only; the latter is said at every call, since the
// student goes on and the page's note must not be lost. Each call returns what to tell the
// student: `problem`, a message key or null, and from record() `unsent`, the checks the LMS
// has not accepted yet.
export function scormSession(api, { storage = null, clock = () => Date.now() } = {}) {
  let live = false;
  let refused = false; // an LMS is there but did not start: said at every call, as nothing reaches it
  let startedAt = 0;
  let seed = 0n;
  let tasks = [];
  let earlier = 0; // practice checks of earlier sessions that the work no longer lists
  let sent = 0; // the checks whose interactions the LMS has committed
  let base = 0; // where check i's interaction goes: base + i (the LMS may keep earlier sessions' or not)
  let last = [];
  let set = null;

  // An API call: ok unless it threw, returned false or left an error code.
  function call(name, ...args) {
    try {
      const value = api[name](...args);
      const code = String(api.LMSGetLastError());
      return { ok: (code === '0' || code === '') && (name === 'LMSGetValue' || String(value) === 'true'), value };
    } catch {
      return { ok: false };
    }
  }
  const get = (element) => {
    const { ok, value } = call('LMSGetValue', element);
    return ok && typeof value === 'string' ? value : null;
  };
  const put = (element, value) => call('LMSSetValue', element, String(value)).ok;

  // LMSInitialize and who the student is: { student: { id, name } } or { student: null,
  // problem } when the LMS could not start or names no student.
  function open() {
    startedAt = clock();
    live = call('LMSInitialize', '').ok;
    refused = Boolean(api) && !live;
    if (!live) {
      return { student: null, problem: 'lmsNoStart' };
    }
    const id = get('cmi.core.student_id');
    if (!id) {
      return { student: null, problem: 'lmsNoStudent' };
    }
    return { student: { id, name: get('cmi.core.student_name') || null }, problem: null };
  }

  // Everything not yet committed, then a commit.
  function record(results) {
    last = results;
    const all = workText(seed, results, earlier, Infinity);
    keepLocally(storage, storageKey(seed), all);
    if (!live) {
      return { problem: refused ? 'lmsNoStart' : null, unsent: 0 };
    }
    let accepted = sent;
    for (let i = sent; i < results.length; ++i) {
      const fields = Object.entries(interaction(results[i], earlier + i + 1, tasks[results[i].task]));
      if (!fields.every(([name, value]) => put(`cmi.interactions.${base + i}.${name}`, value))) {
        break; // the LMS takes interactions in order only
      }
      accepted = i + 1;
    }
    const rest = [
      put('cmi.core.score.min', 0), put('cmi.core.score.max', 100), put('cmi.core.score.raw', scoreOf(set.count, results)),
      put('cmi.core.lesson_status', lessonStatus(set, results)),
      put('cmi.suspend_data', workText(seed, results, earlier)),
    ];
    const committed = call('LMSCommit', '').ok;
    if (committed) {
      sent = accepted;
    }
    const unsent = results.length - sent;
    return { problem: unsent > 0 || !committed || !rest.every(Boolean) ? 'lmsNotSaved' : null, unsent };
  }

  // The tasks of `studentId` in `homework` and the work saved so far: the LMS's suspend data
  // and the browser's copy, the longer when one continues the other, the LMS's when they
  // differ. What the LMS lacks is sent at once. { tasks, results, problem }.
  function resume(homework, studentId) {
    set = homework;
    seed = variantSeed(set, studentId);
    tasks = tasksFor(set, studentId);
    const saved = live ? get('cmi.suspend_data') : '';
    const fromLms = saved === null ? { problem: 'unreadable' } : workOfText(saved, seed, set.count);
    const lms = live && fromLms.results ? fromLms : null;
    const browser = workOfText(keptLocally(storage, storageKey(seed)) ?? '', seed, set.count);
    const continues = browser.results && (!lms || (browser.earlier === lms.earlier
      && browser.results.length > lms.results.length
      && JSON.stringify(browser.results.slice(0, lms.results.length)) === JSON.stringify(lms.results)));
    const work = continues ? browser : lms ?? { results: [], earlier: 0 };
    sent = lms ? lms.results.length : 0;
    earlier = work.earlier;
    // New interactions follow those the LMS holds, whether it kept this work's or not.
    const held = live ? get('cmi.interactions._count') : null;
    base = /^\d+$/.test(held ?? '') ? Number(held) - sent : earlier;
    const { problem } = record(work.results);
    return { tasks, results: work.results, problem: fromLms.problem ? 'lmsUnreadable' : problem };
  }

  // The page is left: what is unsent, the session's time, and LMSFinish. The LMS is called
  // no more after it.
  function close() {
    if (!live) {
      return { problem: null };
    }
    const { problem } = set ? record(last) : { problem: null };
    const timed = put('cmi.core.session_time', sessionTime(clock() - startedAt));
    // Suspended, so that the LMS hands the work back when the student returns.
    const exited = put('cmi.core.exit', 'suspend');
    const finished = call('LMSFinish', '').ok;
    live = false;
    return { problem: problem ?? (timed && exited && finished ? null : 'lmsNotSaved') };
  }

  return { open, resume, record, close };
}

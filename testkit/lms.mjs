// An LMS for the tests. In node, a fake SCORM 1.2 API that records each call, keeps what a
// commit saved and fails when told to. In a browser, scorm-again's Scorm12API (the test kit's
// npm lock) on a parent page served on 127.0.0.1, with the SCO (an unzipped package) in a
// frame, as an LMS launches it.
import { mkdtempSync, symlinkSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { servePage } from './browser.mjs';

// The SCORM 1.2 data model's rules that the fake enforces, from the standard's types.
const writable = {
  'cmi.core.score.raw': /^(\d{1,3}(\.\d+)?)?$/,
  'cmi.core.score.min': /^(\d{1,3}(\.\d+)?)?$/,
  'cmi.core.score.max': /^(\d{1,3}(\.\d+)?)?$/,
  'cmi.core.lesson_status': /^(passed|completed|failed|incomplete|browsed)$/,
  'cmi.core.session_time': /^\d{2,4}:\d\d:\d\d(\.\d{1,2})?$/,
  'cmi.core.exit': /^(time-out|suspend|logout|)$/,
  'cmi.suspend_data': /^[\s\S]{0,4096}$/,
  id: /^[\x21-\x7e]{1,255}$/,
  type: /^(true-false|choice|fill-in|matching|performance|sequencing|likert|numeric)$/,
  student_response: /^.{0,255}$/,
  result: /^(correct|wrong|unanticipated|neutral|\d+(\.\d+)?)$/,
  weighting: /^-?\d+(\.\d+)?$/,
};

// A fake SCORM 1.2 API for `student`, resuming from `saved` (element: value, as a commit
// left them). `fault({ name, element })` makes a call fail: 'false' returns "false", 'code'
// leaves an error code with "true", 'throw' throws; a failed call changes nothing.
//   api.calls           every call, [name, ...arguments]
//   api.committed()     what the LMS has saved: { element: value }
//   api.interactions()  the committed interactions, in order
export function fakeScormApi({ student = { id: 'ana.petrovic', name: 'Petrović, Ana' }, saved = {} } = {}) {
  let values = {
    'cmi.core.student_id': student.id, 'cmi.core.student_name': student.name, 'cmi.core.lesson_status': 'not attempted',
    'cmi.suspend_data': '', ...saved,
  };
  let committed = { ...values };
  let state = 'new';
  let error = '0';
  const count = () => Object.keys(values).filter((key) => /^cmi\.interactions\.\d+\.id$/.test(key)).length;

  function data(name, args, act) {
    api.calls.push([name, ...args]);
    const kind = api.fault?.({ name, element: args[0] });
    if (kind === 'throw') {
      throw new Error(`${name} failed`);
    }
    if (kind) {
      error = kind === 'false' ? '101' : '351';
      return kind === 'false' ? 'false' : 'true';
    }
    const [code, value] = act(...args);
    error = code;
    return value;
  }

  function set(element, value) {
    if (state !== 'running') {
      return ['301', 'false'];
    }
    const field = /^cmi\.interactions\.(\d+)\.(\w+)$/.exec(element);
    const rule = field ? writable[field[2]] : writable[element];
    if (!rule) {
      return [/^cmi\.core\.student_(id|name)$/.test(element) ? '403' : '401', 'false'];
    }
    if (field && Number(field[1]) > count() - (field[2] === 'id' ? 0 : 1)) {
      return ['201', 'false'];
    }
    if (typeof value !== 'string' || !rule.test(value)) {
      return ['405', 'false'];
    }
    values[element] = value;
    return ['0', 'true'];
  }

  const api = {
    calls: [],
    fault: null,
    LMSInitialize(empty) {
      return data('LMSInitialize', [empty], () => (state === 'new' && empty === '' ? (state = 'running', ['0', 'true'])
        : ['101', 'false']));
    },
    LMSGetValue(element) {
      return data('LMSGetValue', [element], () => {
        if (state !== 'running') {
          return ['301', ''];
        }
        if (element === 'cmi.interactions._count') {
          return ['0', String(count())];
        }
        return element in values ? ['0', values[element]] : ['401', ''];
      });
    },
    LMSSetValue(element, value) {
      return data('LMSSetValue', [element, value], set);
    },
    LMSCommit(empty) {
      return data('LMSCommit', [empty], () => (state === 'running' ? (committed = { ...values }, ['0', 'true'])
        : ['301', 'false']));
    },
    LMSFinish(empty) {
      return data('LMSFinish', [empty], () => (state === 'running' ? (committed = { ...values }, state = 'finished',
      ['0', 'true']) : ['301', 'false']));
    },
    LMSGetLastError() {
      return error;
    },
    committed: () => ({ ...committed }),
    interactions() {
      const list = [];
      for (const [key, value] of Object.entries(committed)) {
        const [, n, field] = /^cmi\.interactions\.(\d+)\.(\w+)$/.exec(key) ?? [];
        if (n) {
          list[n] = { ...list[n], [field]: value };
        }
      }
      return list;
    },
    restart() {
      values = { ...committed };
      state = 'new';
    },
  };
  return api;
}

const testkit = dirname(fileURLToPath(import.meta.url));

// An LMS on 127.0.0.1: a parent page whose window.API is scorm-again's Scorm12API for
// `student` ({ id, name }), resuming from `saved` (scorm-again's cmi JSON, such as
// lmsState gave: { suspend_data, core: { lesson_status } }), with `launch` of the folder `sco`
// in a frame (#sco). The API's LMSFinish calls are counted in window.lmsEvents.LMSFinish.
// Returns the server; pageUrl(server) is the parent page.
export function serveLms(sco, launch, { student = { id: 'ana.petrovic', name: 'Petrović, Ana' }, saved = {} } = {}) {
  const folder = mkdtempSync(join(tmpdir(), 'lms-'));
  symlinkSync(join(testkit, 'node_modules', 'scorm-again', 'dist', 'scorm12.min.js'), join(folder, 'scorm12.js'));
  symlinkSync(sco, join(folder, 'sco'));
  const learner = JSON.stringify({ ...saved, core: { ...saved.core, student_id: student.id, student_name: student.name } });
  writeFileSync(join(folder, 'index.html'), `<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>LMS</title><script src="scorm12.js"></script>
<script>
  window.lmsEvents = { LMSFinish: 0 };
  window.API = new Scorm12API({ autocommit: false, logLevel: 5 });
  window.API.loadFromJSON(${learner.replace(/</g, '\\u003c')}, '');
  window.API.on('LMSFinish', () => { window.lmsEvents.LMSFinish += 1; });
</script></head>
<body><iframe id="sco" src="sco/${encodeURI(launch)}" width="1100" height="800"></iframe></body></html>
`);
  return servePage(folder);
}

// The API's data model as it stands, read from the parent page (a Playwright page): scorm-
// again's cmi as JSON.
export function lmsState(page) {
  return page.evaluate(() => ({ cmi: JSON.parse(JSON.stringify(window.API.cmi)) }));
}

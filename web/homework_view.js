// A homework set as a student meets it: who they are (the LMS says, or they type their id
// once), their tasks, each worked as a task link is, the score and, in an LMS, every check
// sent to it. Which check counts is said on the page: each task's first.
import { homeworkStatus, keepLocally, keptLocally, withCheck } from './homework_results.js';
import { say, words } from './language.js';
import { scormSession } from './scorm.js';

const idKey = 'cube-rotation.student';
const statusMessages = { incomplete: 'homeworkIncomplete', passed: 'homeworkPassed', failed: 'homeworkFailed' };

// `box` is the homework's section; `set` the homework set; `api` the LMS's API or null;
// `storage` the browser's or null. `runTask(task)` starts the program on a task; `changed`
// is told the status object's homework after every change.
export function makeHomework(box, { set, api, storage, runTask, changed }) {
  const part = (name) => box.querySelector(`[data-part=${name}]`);
  const session = scormSession(api, { storage });
  let student = null;
  let tasks = [];
  let results = [];
  let current = 0;
  let problem = null;
  let unsent = 0;

  function render() {
    const state = student ? homeworkStatus({ set, student: student.id, tasks, results, lms: api ? 'scorm12' : null }) : null;
    part('title').textContent = set.title;
    part('student').textContent = student ? say('homeworkStudent', { student: student.name ?? student.id }) : '';
    part('ask').hidden = student !== null;
    part('tasks').replaceChildren(...tasks.map((task, i) => {
      const counted = results.find((r) => r.task === i && r.counted);
      const button = Object.assign(document.createElement('button'), { type: 'button', textContent:
        `${say('homeworkTaskOf', { n: i + 1, count: tasks.length })}: V${task.vertex} ${words('ofCube')[task.cube]}, ` +
        `${counted ? say(counted.verdict === 'correct' ? 'homeworkRight' : 'homeworkWrong') : say('homeworkNotChecked')}` });
      button.setAttribute('aria-current', String(i === current && student !== null));
      button.addEventListener('click', () => start(i));
      const item = document.createElement('li');
      item.append(button);
      return item;
    }));
    const right = results.filter((r) => r.counted && r.verdict === 'correct').length;
    part('score').textContent = state ? `${say('homeworkScore', { score: state.score, right, count: set.count, passMark: set.passMark })} ${
      say(statusMessages[state.status])}${api ? '' : ` ${say('homeworkScoreHere')}`}` : '';
    part('lms').textContent = problem ? say(problem, { unsent }) : '';
    part('lms').hidden = !problem;
    part('next').hidden = !student || current >= tasks.length - 1;
    part('print').hidden = !student;
    // On a shared computer, the next student is not taken for the last one.
    part('notMe').hidden = !student || Boolean(api);
    part('notMe').textContent = student ? say('homeworkNotMe', { student: student.id }) : '';
    changed(state);
  }

  function start(index) {
    current = index;
    render();
    runTask(tasks[index]);
  }

  // The student is known: their tasks, their work so far, and the first task not yet checked.
  function proceed(id, name = null) {
    student = { id, name };
    keepLocally(storage, idKey, id);
    ({ tasks, results, problem } = session.resume(set, id));
    const open = tasks.findIndex((_, i) => !results.some((r) => r.task === i));
    start(open < 0 ? 0 : open);
  }

  part('ask').addEventListener('submit', (event) => {
    event.preventDefault();
    const id = part('ask').elements.namedItem('id').value.trim();
    if (id) {
      proceed(id);
    }
  });
  part('next').addEventListener('click', () => start(current + 1));
  part('notMe').addEventListener('click', () => {
    try {
      storage?.removeItem(idKey);
    } catch {
      // nothing was kept
    }
    location.reload();
  });
  // The page is left: the LMS hears the rest and the session ends.
  addEventListener('pagehide', () => {
    ({ problem } = session.close());
  });

  return {
    begin() {
      box.hidden = false;
      if (api) {
        const opened = session.open();
        problem = opened.problem;
        if (opened.student) {
          proceed(opened.student.id, opened.student.name);
          return;
        }
      }
      const remembered = api ? null : keptLocally(storage, idKey);
      if (remembered) {
        proceed(remembered);
      } else {
        render();
        part('ask').elements.namedItem('id').focus();
      }
    },
    // A check of the task in play: recorded, counted if it is the first, sent.
    checked({ verdict, mistakes, predicted }) {
      results = withCheck(results, current, { verdict, mistakes, predicted });
      ({ problem, unsent } = session.record(results));
      render();
    },
    render,
    // The student's sheet: each task with room for x, y and z.
    sheet: () => ({ title: set.title, student: student?.id ?? '', tasks }),
  };
}

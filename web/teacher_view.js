// The teacher's panel: a homework set made from a form, handed out as a link or as a SCORM
// 1.2 package for the course's LMS, and any students' tasks with the program's answers (the
// key), on the screen and on paper.
import { defaultSet, setFragment, setProblem, studentIds, tasksFor } from './homework.js';
import { onLanguage, say } from './language.js';
import { lmsPackage } from './lms_package.js';
import { answerText, taskText } from './print_sheet.js';

// Why a set cannot be used (a problem of setProblem's or of a set link's), in words.
export const setProblemText = (problem) => say(`badSet${problem[0].toUpperCase()}${problem.slice(1)}`);

// `box` is the panel; `ownHtml()` the single file's text (or a promise of it); `answer(task)`
// the program's answer to a task, [x, y, z], or null while the program is not there;
// `offerLink(box, fragment)` shows a link; `print(sheets)` prints the key; `download(blob,
// name)` saves a file.
export function makeTeacherPanel(box, { ownHtml, answer, offerLink, print, download }) {
  const form = box.querySelector('form');
  const field = (name) => form.elements.namedItem(name);
  const part = (name) => box.querySelector(`[data-part=${name}]`);

  const start = defaultSet(say('homeworkDefaultTitle'));
  field('title').value = start.title;
  field('count').value = start.count;
  field('step').value = String(start.angles.step);
  field('min').value = start.angles.min;
  field('max').value = start.angles.max;
  field('cubes').value = 'any';
  form.querySelectorAll('[name=vertex]').forEach((vertex) => { vertex.checked = true; });
  field('passMark').value = start.passMark;
  // A coarser step keeps the range within its multiples.
  form.querySelectorAll('[name=step]').forEach((choice) => choice.addEventListener('change', () => {
    const step = Number(field('step').value);
    field('min').value = Math.ceil(number('min') / step) * step || 0;
    field('max').value = Math.floor(number('max') / step) * step || 0;
  }));
  // An untouched title follows the page's language.
  let defaultTitle = start.title;
  onLanguage(() => {
    if (field('title').value === defaultTitle) {
      field('title').value = say('homeworkDefaultTitle');
    }
    defaultTitle = say('homeworkDefaultTitle');
  });

  // A number field's value, or NaN when it is empty (an empty field is no zero).
  const number = (name) => (field(name).value.trim() === '' ? NaN : Number(field(name).value));
  // The set the form describes, or null with the problem said.
  function set() {
    const made = {
      title: field('title').value.trim(), count: number('count'),
      angles: { step: Number(field('step').value), min: number('min'), max: number('max') },
      cubes: field('cubes').value === 'yellow' ? [3] : [1, 2, 3],
      vertices: [...form.querySelectorAll('[name=vertex]:checked')].map((v) => Number(v.value)),
      passMark: number('passMark'),
    };
    const problem = setProblem(made);
    part('problem').textContent = problem ? setProblemText(problem) : '';
    return problem ? null : made;
  }

  // Each listed student's tasks with the program's answers, as the panel and the printed key
  // show them.
  function key(made) {
    return studentIds(part('ids').value).map((student) => ({
      title: made.title, student, tasks: tasksFor(made, student).map((task) => ({ ...task, answer: answer(task) })),
    }));
  }

  part('link').addEventListener('click', () => {
    const made = set();
    if (made) {
      offerLink(part('linkBox'), setFragment(made));
    }
  });
  part('package').addEventListener('click', async () => {
    const made = set();
    if (made) {
      download(new Blob([lmsPackage(await ownHtml(), made)], { type: 'application/zip' }),
        `${made.title.normalize('NFD').replace(/[^\w]+/g, '-').replace(/^-|-$/g, '').toLowerCase() || 'domaci'}-scorm12.zip`);
    }
  });
  part('showKey').addEventListener('click', () => {
    const made = set();
    part('key').replaceChildren(...(made ? key(made) : []).map(({ student, tasks }) => {
      const list = document.createElement('ol');
      list.append(...tasks.map((task) => {
        const item = Object.assign(document.createElement('li'), { textContent: `${taskText(task)} ${answerText(task)}` });
        // The task as data too, for a teacher's tools (and the tests).
        Object.assign(item.dataset, { vertex: task.vertex, cube: task.cube, answers: task.answers, program: task.answer ?? '' });
        return item;
      }));
      const head = Object.assign(document.createElement('h3'), { textContent: say('homeworkKeyFor', { student }) });
      const sheet = document.createElement('div');
      sheet.dataset.student = student;
      sheet.append(head, list);
      return sheet;
    }));
  });
  part('printKey').addEventListener('click', () => {
    const made = set();
    if (made) {
      print(key(made));
    }
  });
}


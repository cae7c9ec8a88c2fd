// Homework on paper: a student's sheet (each task with room for x, y and z) or a teacher's
// key (each listed student's tasks with the program's answers), printed from a section that
// only the printer shows.
import { floatText } from './float_text.js';
import { say, words } from './language.js';

const element = (tag, className, text = '') => Object.assign(document.createElement(tag), { className, textContent: text });

// A task as a sheet states it: which vertex of which cube after which turns.
export function taskText({ vertex, cube, answers }) {
  const turns = answers.slice(0, cube).map((degrees, step) => say('turn', { axis: 'XYZ'[step], degrees: degrees.replace('-', '\u2212') }))
    .join(', ');
  return say('printTask', { vertex: `V${vertex}`, cube: words('ofCube')[cube], turns });
}

// The program's answer to a task, where the sheet has one.
export const answerText = ({ answer }) => (answer ? say('homeworkProgramAnswer', {
  point: `(${answer.map((x) => floatText(x)).join(', ')})` }) : '');

// Prints `sheets` ([{ title, student, tasks }], a task with its `answer` on a key), one to a
// page, no task split across two.
export function printSheets(section, sheets) {
  section.replaceChildren(...sheets.map(({ title, student, tasks }) => {
    const sheet = element('section', 'sheet');
    sheet.append(element('h2', '', title), element('p', '', say('homeworkStudent', { student })));
    tasks.forEach((task, i) => {
      const item = element('div', 'print-task');
      item.append(element('p', '', `${i + 1}. ${taskText(task)}`),
        element('p', 'blanks', task.answer ? answerText(task) : 'x = ________    y = ________    z = ________'));
      sheet.append(item);
    });
    return sheet;
  }));
  // Only these sheets are printed, until the printing is done; the page prints as itself otherwise.
  document.body.classList.add('printing-sheet');
  addEventListener('afterprint', () => document.body.classList.remove('printing-sheet'), { once: true });
  print();
}

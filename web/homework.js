import { usualMistakes } from './grading.js';

// A homework set: tasks of one kind for a whole class, each student's numbers drawn from the
// set and their id, so that neighbours get different tasks and a student who comes back gets
// the same ones. Plain data: the page shows it in its own words.
//
// The variant rule. The set's canonical text (its link form, setText) and the student's id
// (spaces at both ends dropped, Unicode NFC, lower case) are joined by a line feed and hashed, as UTF-8,
// with 64-bit FNV-1a; the hash seeds SplitMix64. Each task draws, in this order, a vertex, a
// cube and the X, Y and Z angles, each as the next output modulo the number of choices, from
// the set's lists in ascending order. A task whose vertex ends where it starts (free()), or
// asking what an earlier one of the same student asked (the vertex, the cube and the angles
// that cube turns by) while the set has questions not yet given, is drawn again, up to 1,000
// times; then the first new one drawn is taken, or else the last. The drawing is BigInt
// arithmetic and free() a double one whose last bits never decide (see there), so every
// engine draws the same tasks.

export const angleSteps = [30, 15, 1];
export const taskLimit = 10;
export const angleLimit = 360; // a set's angles lie within ±360 degrees
export const titleLimit = 80; // characters

// The set a teacher starts from: five tasks on multiples of 15 degrees from 0 to 345, about
// any turned cube and any vertex, 60 of 100 to pass.
export function defaultSet(title) {
  return {
    title, count: 5, angles: { step: 15, min: 0, max: 345 }, cubes: [1, 2, 3], vertices: [0, 1, 2, 3, 4, 5, 6, 7],
    passMark: 60,
  };
}

const isInteger = Number.isInteger;
const ascendingWithin = (list, low, high) => Array.isArray(list) && list.length > 0
  && list.every((x, i) => isInteger(x) && x >= low && x <= high && (i === 0 || x > list[i - 1]));
// A title is one line of text that XML can carry: no controls, lone surrogates or U+FFFE/F.
const notInTitle = /[\p{Cc}\p{Cs}\uFFFE\uFFFF]/u;

// Null for a set the page can hand out; otherwise the field that is wrong:
//   title     empty, over titleLimit characters, or holding a control character
//   count     not 1 to taskLimit tasks
//   step      angles not multiples of 30, 15 or 1 degrees
//   range     min and max not multiples of the step, min above max, or beyond ±angleLimit
//   cubes     not an ascending list from 1 (blue) to 3 (yellow)
//   vertices  not an ascending list from 0 to 7
//   passMark  not a whole number from 0 to 100
export function setProblem(set) {
  const { title, count, angles, cubes, vertices, passMark } = set ?? {};
  const { step, min, max } = angles ?? {};
  if (typeof title !== 'string' || title.trim() === '' || [...title].length > titleLimit || notInTitle.test(title)) {
    return 'title';
  }
  if (!isInteger(count) || count < 1 || count > taskLimit) {
    return 'count';
  }
  if (!angleSteps.includes(step)) {
    return 'step';
  }
  if (!isInteger(min) || !isInteger(max) || min % step || max % step || min > max || min < -angleLimit || max > angleLimit) {
    return 'range';
  }
  if (!ascendingWithin(cubes, 1, 3)) {
    return 'cubes';
  }
  if (!ascendingWithin(vertices, 0, 7)) {
    return 'vertices';
  }
  return isInteger(passMark) && passMark >= 0 && passMark <= 100 ? null : 'passMark';
}

// base64url without padding, of UTF-8.
function base64url(text) {
  const binary = String.fromCharCode(...new TextEncoder().encode(text));
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

// The text of base64url, or null when it is not the canonical base64url of UTF-8.
function fromBase64url(code) {
  if (!/^[\w-]*$/.test(code)) {
    return null;
  }
  try {
    const bytes = Uint8Array.from(atob(code.replace(/-/g, '+').replace(/_/g, '/')), (c) => c.charCodeAt(0));
    const text = new TextDecoder('utf-8', { fatal: true }).decode(bytes);
    return base64url(text) === code ? text : null;
  } catch {
    return null;
  }
}

// A set's canonical text, nine fields joined by dots: the format's version (1), the number of
// tasks, the step, min and max of the angles, the cubes' digits, the vertices' digits, the pass
// mark and the title as base64url of its UTF-8. URL-safe as it stands.
//   1.5.15.0.345.123.01234567.60.RG9tYcSHaQ
export function setText(set) {
  const { title, count, angles: { step, min, max }, cubes, vertices, passMark } = set;
  return [1, count, step, min, max, cubes.join(''), vertices.join(''), passMark, base64url(title)].join('.');
}

export const setFragment = (set) => `#domaci=${setText(set)}`;

// The set of a canonical text; { problem } for one that is not: `form` for the wrong number
// of fields or version, else the field that setProblem names.
export function setOfText(text) {
  const fields = text.split('.');
  if (fields.length !== 9 || fields[0] !== '1') {
    return { problem: 'form' };
  }
  const number = (field) => (/^(0|-?[1-9]\d{0,3})$/.test(field) ? Number(field) : NaN);
  const digits = (field) => (/^\d{1,8}$/.test(field) ? [...field].map(Number) : []);
  const [, count, step, min, max, cubes, vertices, passMark, title] = fields;
  const set = {
    title: fromBase64url(title), count: number(count), angles: { step: number(step), min: number(min), max: number(max) },
    cubes: digits(cubes), vertices: digits(vertices), passMark: number(passMark),
  };
  const problem = setProblem(set);
  return problem ? { problem } : set;
}

// The set in a page address's fragment (#domaci=...): null when it names none.
export function setInFragment(fragment) {
  const match = /^#domaci=(.*)$/s.exec(fragment);
  return match ? setOfText(match[1]) : null;
}

// The set a packed page carries, in <meta name="cube-rotation-homework" content="...">: null
// when it carries none.
export const setMetaName = 'cube-rotation-homework';
export function setInDocument(doc) {
  const meta = doc.querySelector(`meta[name="${setMetaName}"]`);
  return meta ? setOfText(meta.content) : null;
}

// A student's id without spaces at both ends, in NFC, as a list shows it (the rule also
// lower-cases it); empty when nothing is left.
const studentId = (text) => text.trim().normalize('NFC');

// The ids of a pasted list (one a line, or separated by commas, semicolons or tabs), each
// once, in their order.
export const studentIds = (text) => [...new Set(text.split(/[\r\n,;\t]+/).map(studentId).filter(Boolean))];

const bits64 = (1n << 64n) - 1n;

export function fnv1a64(bytes) {
  let hash = 0xcbf29ce484222325n;
  for (const byte of bytes) {
    hash = ((hash ^ BigInt(byte)) * 0x100000001b3n) & bits64;
  }
  return hash;
}

// SplitMix64's outputs from `seed`, one a call.
export function splitMix64(seed) {
  let state = seed;
  return () => {
    state = (state + 0x9e3779b97f4a7c15n) & bits64;
    let z = state;
    z = ((z ^ (z >> 30n)) * 0xbf58476d1ce4e5b9n) & bits64;
    z = ((z ^ (z >> 27n)) * 0x94d049bb133111ebn) & bits64;
    return z ^ (z >> 31n);
  };
}

export const variantSeed = (set, id) => fnv1a64(new TextEncoder().encode(`${setText(set)}\n${studentId(id).toLowerCase()}`));

// Whether a task's vertex ends within 0.5 of where it starts in every coordinate (V2, at the
// origin; V6 turned about X alone; turns that undo each other), so that its statement, which
// names the starting point, would answer it. Worked in double: for whole-degree angles no
// vertex's farthest coordinate ends nearer than 4.5e-7 to the 0.5 line (V4 yellow after 74, 308,
// 73), some nine orders beyond any engine's last bit.
const startingCube = [[0, 0, 5], [5, 5, 5], [0, 0, 0], [5, 5, 0], [5, 0, 5], [0, 5, 0], [5, 0, 0], [0, 5, 5]];
function free({ vertex, cube, answers }) {
  const start = startingCube[vertex];
  return usualMistakes(answers.map(Number), start, cube).right.every((x, i) => Math.abs(x - start[i]) <= 0.5);
}

// A task from up to 1,000 draws: the first new one not free, else the first new one, else the last.
function drawTask(draw, isNew) {
  let firstNew = null;
  let task;
  for (let n = 0; n < 1000; ++n) {
    task = draw();
    if (isNew(task)) {
      if (!free(task)) {
        return task;
      }
      firstNew ??= task;
    }
  }
  return firstNew ?? task;
}

// The tasks of student `id`, each { vertex, cube, answers } as a task link carries them: the
// three angles as whole numbers, which the program reads exactly.
export function tasksFor(set, id) {
  const next = splitMix64(variantSeed(set, id));
  const pick = (list) => list[Number(next() % BigInt(list.length))];
  const { step, min, max } = set.angles;
  const angles = Array.from({ length: (max - min) / step + 1 }, (_, i) => min + i * step);
  // A question is its vertex, cube and the turns of that cube: blue's Y and Z angles, green's
  // Z, are typed to the program but change nothing the student is asked.
  const question = ({ vertex, cube, answers }) => JSON.stringify([vertex, cube, answers.slice(0, cube)]);
  const kinds = set.vertices.length * set.cubes.reduce((sum, cube) => sum + angles.length ** cube, 0);
  const given = new Set();
  const tasks = [];
  while (tasks.length < set.count) {
    const task = drawTask(
      () => ({ vertex: pick(set.vertices), cube: pick(set.cubes), answers: [pick(angles), pick(angles), pick(angles)].map(String) }),
      (drawn) => !given.has(question(drawn)) || given.size >= kinds,
    );
    given.add(question(task));
    tasks.push(task);
  }
  return tasks;
}

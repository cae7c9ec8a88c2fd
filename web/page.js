// The page's entry: it starts the program (cube-rotation.js, loaded first, defines
// createCubeRotation(options)) with the console pane and Emscripten's hooks, shows each step
// as the program finishes it, and runs the buttons, the answers in the link, the task
// links, the labels over the picture and the check of a prediction. Bundled into the one
// classic script that the page loads, so that it also runs from the disk.
//
// window.cubeRotation, the page's status, read by anyone checking the page:
//   started      the program's code is loaded and running
//   reading      the program waits for a line
//   queued       lines of the link still to be typed for the user
//   windowOpen   the first frame is drawn: the program reads no more
//   firstFrameAt when it was drawn, in milliseconds since the page began to load
//   ready        all of the run is shown, in the frame after the first: the numbers, the
//                corners and their labels; a check can be made
//   failed       what went wrong, in words, or null
//   corners      where the program's camera puts V0..V7 of each cube on the canvas, once
//                the run is shown: 32 of { cube: 0..3, vertex: 0..7, x, y }, in pixels
//                of the 1024x700 drawing buffer from its top-left corner (NaN for a
//                corner the camera cannot place)
//   check        the last prediction checked, or null: { cube, vertex, predicted: [x, y, z],
//                program: [x, y, z], verdict: 'correct' | 'wrong', mistakes: [ids] }
//   task         the task of this run, a task link's or the homework's ({ vertex, cube, answers }),
//                or null
//   taskProblem  why the link's task cannot be asked ({ problem, item }), or null
//   homework     the homework set the page runs, or null: { title, student, tasks: [{ vertex,
//                cube, answers }], results: [{ task, verdict, mistakes, counted, predicted }],
//                score: 0..100, status: 'incomplete' | 'passed' | 'failed', lms: 'scorm12' | null }
//   motion       where the turns in motion are, once touched, or null: { reading: 'sveta' |
//                'kocke', position: 0..3, turn: the turn in play in playing order (0..2, -1
//                at the start), degrees: how far that turn has gone, in the degrees read,
//                vertices: the moving cube's V0..V7 as [x, y, z], the program's floats,
//                corners: where its camera puts them, as corners above }
//   written      every chunk of bytes the program wrote, in order (Uint8Arrays)
//   sentLines    every line sent to the program, without its newline
/* global createCubeRotation */
import { makePredictionCheck } from './check.js';
import { setInDocument, setInFragment } from './homework.js';
import { browserStorage, keepLocally, keptLocally } from './homework_results.js';
import { makeHomework } from './homework_view.js';
import { ownSingleFile } from './lms_package.js';
import { printSheets } from './print_sheet.js';
import { findApi } from './scorm.js';
import { makeTeacherPanel, setProblemText } from './teacher_view.js';
import { makeConsolePane } from './console_pane.js';
import { floatText } from './float_text.js';
import { tolerance } from './grading.js';
import { placeGlosses } from './glosses.js';
import { currentLanguage, knownLanguage, languageOf, languages, onLanguage, say, sayWith, setLanguage, words } from './language.js';
import { languageNames } from './messages.js';
import { makeMotion } from './motion.js';
import { makeNumberTables } from './number_tables.js';
import { makePictureOverlay } from './picture.js';
import { answersInFragment, cubeLinkNames, splitLanguage, taskFragment, taskInFragment, withLanguage } from './task_link.js';

// The single file's own text, taken before anything changes the page: a homework package
// carries it.
const ownHtml = ownSingleFile(document);
const byId = (id) => document.getElementById(id);

// The page's language: the link's, else the reader's last choice (kept where the browser
// allows a page to keep anything), else the browser's languages.
const storage = browserStorage(window);
const languageKey = 'cube-rotation.language';
const { language: linkLanguage, rest: fragment } = splitLanguage(location.hash);
setLanguage(knownLanguage(linkLanguage) ?? knownLanguage(keptLocally(storage, languageKey))
  ?? languageOf(navigator.languages ?? [navigator.language]));

let canvas = byId('canvas');
const transcript = byId('transcript');
const terminal = makeConsolePane(transcript, byId('line'), byId('hint'), (text) => placeGlosses(transcript, byId('question-gloss'), text));
let tables = makeNumberTables(byId('tables'));
const overlay = makePictureOverlay(byId('overlay'), { shown: byId('labels'), which: byId('labels-which') }, () => ({
  cubes: words('cubeNames'), choices: words('cubes'), allFour: say('allFour'), program: say('programMark'),
  predicted: say('predictedMark'), eachCube: say('eachCube'), eachVertex: say('eachVertex'),
}));
const linkTask = taskInFragment(fragment);
let task = linkTask?.problem ? null : linkTask; // the task of this run, from the link or the homework

const status = {
  started: false,
  windowOpen: false,
  firstFrameAt: null,
  ready: false,
  failed: null,
  get reading() { return terminal.reading; },
  get queued() { return terminal.queued; },
  corners: [],
  check: null,
  get task() { return task; },
  taskProblem: linkTask?.problem ? linkTask : null,
  motion: null,
  homework: null,
  written: terminal.written,
  sentLines: terminal.sentLines,
};
window.cubeRotation = status;

// Says what went wrong and what to do, with the technical reason under it; the first
// failure is the one worth telling.
let failure = null;
function showFailure() {
  if (failure) {
    status.failed = say(failure.what, { restart: say('restart') });
    byId('failure-what').textContent = status.failed;
    // The reason is the browser's own words, or one of the page's (a key).
    const reason = failure.reason.key ? say(failure.reason.key) : failure.reason;
    byId('failure-reason').textContent = say('technicalReason', { reason });
  }
}
onLanguage(showFailure);

function fail(what, reason) {
  if (status.failed) {
    return;
  }
  failure = { what, reason };
  showFailure();
  terminal.close('noMoreInput');
  byId('numbers').hidden = true; // it would never be filled
  byId('failure').hidden = false;
}

function failedToStart(reason) {
  fail(location.protocol === 'file:' ? 'diskFolder' : 'notLoaded', reason);
}

function stoppedAbnormally(reason) {
  if (status.started) {
    fail('stopped', reason);
  } else {
    failedToStart(reason);
  }
}

// Anything the page did not expect is a failure worth telling.
window.addEventListener('unhandledrejection', (event) => {
  stoppedAbnormally(String(event.reason?.message ?? event.reason));
});
window.addEventListener('error', (event) => {
  stoppedAbnormally(String(event.error?.message ?? event.message));
});

const pageAddress = () => location.href.replace(/#.*$/, '');

// kocka-30-45-60.png for the answers 30, 45 and 60: the words of the lines sent, with
// anything a file name should not hold left out.
function pictureName(lines) {
  const names = lines.join(' ').split(/\s+/).map((word) => word.replace(/[^0-9A-Za-z.+-]/g, '')).filter(Boolean);
  return `${['kocka', ...names].join('-').slice(0, 100)}.png`;
}

// The scene lives as long as the program, so a fresh run is a fresh page: an empty one,
// without the answers of the link it was opened from.
byId('restart').addEventListener('click', () => {
  if (location.hash) {
    location.replace(pageAddress());
  } else {
    location.reload();
  }
});

// A link pasted over this page's address differs only after the "#", which browsers take as
// a move within the page; but the page reads its address once, as it loads, so it loads again.
addEventListener('hashchange', () => location.reload());

async function copyText(text) {
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    return false; // no clipboard here (a page from the disk, a browser that asks first)
  }
}

// Boxes that offer a link, or say why there is none: the first child says what it is, the
// last holds the link. Said again when the language changes.
const linkBoxes = new Set();
function fillBox(box, saying) {
  box.say = () => {
    [box.firstElementChild.textContent, box.lastElementChild.textContent] = saying();
  };
  linkBoxes.add(box);
  box.hidden = false;
  box.say();
}
onLanguage(() => linkBoxes.forEach((box) => box.say()));

// A link offered in `box`, in the page's language. A link to a file on this computer works
// only on it: from the disk, the page offers the part after #, to add to the page's address
// wherever it is put on the web. `keys` say what the box says when the link was copied and
// when it was not.
async function offerLink(box, link, [copiedKey, copyKey]) {
  const fromDisk = location.protocol === 'file:';
  const text = () => (fromDisk ? '' : pageAddress()) + withLanguage(currentLanguage(), link);
  const copied = await copyText(text());
  fillBox(box, () => [say(fromDisk ? (copied ? 'fromDiskCopied' : 'fromDisk') : copied ? copiedKey : copyKey), text()]);
}

byId('share').addEventListener('click', () => {
  offerLink(byId('shared'), `#${terminal.sentLines.map(encodeURIComponent).join(',')}`, ['linkCopied', 'copyLink']);
});

// The page's own links move to their place without changing its address, which holds the
// answers, the task or the homework that a reload would open again.
document.addEventListener('click', (event) => {
  const link = event.target.closest('a[href^="#"]');
  const target = link && byId(link.getAttribute('href').slice(1));
  if (target) {
    event.preventDefault();
    target.scrollIntoView({ block: 'start' });
  }
});

// The picture with its key over the whole screen, for a projector; Esc returns.
const picture = byId('picture');
const fullscreenButton = byId('fullscreen');
fullscreenButton.addEventListener('click', () => {
  if (document.fullscreenElement) {
    document.exitFullscreen();
  } else {
    picture.requestFullscreen().catch(() => {});
  }
});
// Esc ends full screen in every browser; this also covers one that hands the key to the page.
document.addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && document.fullscreenElement) {
    document.exitFullscreen();
  }
});

// The program, once started, and what it read and computed, once it has drawn.
let program = null;
let finished = null;
let resolveFinished;
let whenFinished = new Promise((resolve) => { resolveFinished = resolve; });

const readTurn = (step) => {
  const fields = Array.from({ length: 11 }, (_, field) => program._pageTurn(step, field));
  return { degrees: fields[0], radians: fields[1], matrix: fields.slice(2) };
};
// V0..V7 of cube `cube` (0 red ... 3 yellow), by label.
const readCube = (cube) => {
  const byLabel = [];
  for (let i = 0; i < 8; ++i) {
    byLabel[program._pageVertexLabel(i)] = [0, 1, 2].map((axis) => program._pagePoint(cube * 8 + i, axis));
  }
  return byLabel;
};
const onCanvas = (point) => [0, 1].map((axis) => program._pageProject(...point, axis));

// --- Tasks -------------------------------------------------------------------------------

// A task hides what would give its answer away (the program's run, the picture, the
// tables) until the first check.
const answerParts = ['console', 'hint', 'picture', 'canvas-note', 'readings-note', 'numbers'];
const statement = byId('task');
let revealed = true;
// Shows or hides those parts, and the header's buttons that would give the answer away too:
// saving, sharing or showing the picture.
function reveal(shown) {
  revealed = shown;
  [...answerParts, 'share', 'save'].forEach((id) => { byId(id).hidden = !shown; });
  byId('fullscreen').hidden = !shown || !document.fullscreenEnabled;
}
reveal(!task);

// The task in words, with the angles as the program read them, once it has read them all.
function stateTask() {
  const turns = tables.shown.turns.slice(0, task.cube);
  if (turns.length < task.cube) {
    return;
  }
  const red = tables.shown.vertices[0][task.vertex];
  statement.textContent = say('task', {
    vertex: `V${task.vertex}`, cube: words('ofCube')[task.cube], check: say('check'),
    turns: turns.map((turn, step) => say('turn', { axis: 'XYZ'[step], degrees: floatText(turn.degrees) })).join(', '),
  }) + say('taskStart', { vertex: `V${task.vertex}`, start: red.map((x) => floatText(x)).join(', ') });
  statement.hidden = false;
}

// A link the page cannot use (a task's or a homework's) is said so at the top, where it is
// seen before anything else, with what such a link looks like; the page runs as without it.
const linkProblem = byId('link-problem');
const capital = (word) => `${word[0].toUpperCase()}${word.slice(1)}`;
let sayLinkProblem = null;
function showLinkProblem(saying) {
  sayLinkProblem = saying;
  linkProblem.textContent = saying();
  linkProblem.hidden = false;
}
if (status.taskProblem) {
  const { problem, item } = status.taskProblem;
  showLinkProblem(() => say('badTask', {
    why: say(`bad${capital(problem)}`, { item }), example: '#zadatak=V7,30,45,60', names: cubeLinkNames.slice(1).join(', '),
  }));
}
onLanguage(() => {
  if (task) {
    stateTask();
  }
  if (sayLinkProblem) {
    linkProblem.textContent = sayLinkProblem();
  }
});

// --- The run, step by step -----------------------------------------------------------------

// The program tells the page as soon as a step is done: its angle, matrix and cube go into
// the key and the tables while the program waits for the next answer.
function stepFinished(step) {
  const turn = readTurn(step);
  const axis = 'XYZ'[step];
  byId(`key-${axis.toLowerCase()}`).textContent = `${axis} ${floatText(turn.degrees)}\u00b0`;
  tables.showTurn(step, turn);
  tables.showCube(step + 1, readCube(step + 1));
  if (task) {
    stateTask();
  }
}

// WebGL clears the canvas once a frame is shown, so the picture is taken from a frame
// drawn for it, right after the drawing, with the marks over it when there are any.
let saveWanted = false;
const saveButton = byId('save');
saveButton.addEventListener('click', () => {
  saveWanted = true;
  program?._pageRedraw();
});

function savePicture() {
  let source = canvas;
  if (byId('overlay').childElementCount > 0) {
    source = document.createElement('canvas');
    source.width = canvas.width;
    source.height = canvas.height;
    const context = source.getContext('2d');
    context.drawImage(canvas, 0, 0);
    overlay.drawOn(context);
  }
  source.toBlob((blob) => download(blob, pictureName(terminal.sentLines)), 'image/png');
}

function download(blob, name) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000); // long after the download began
}

// A comma between digits reads as the end of the number, and a true minus sign or a degree
// sign as no number: say what the program read.
function showCommaNote() {
  const { turns } = tables.shown;
  const comma = terminal.sentLines.some((line) => /\d,\d/.test(line));
  const signs = terminal.sentLines.some((line) => /[\u2212\u00b0]/.test(line));
  if (!(comma || signs) || turns.length < 3) {
    return;
  }
  const read = turns.map((turn, step) => `${'XYZ'[step]} ${floatText(turn.degrees)}\u00b0`).join(', ');
  const note = byId('comma-note');
  note.textContent = say(comma ? 'commaNote' : 'signNote', { read });
  note.hidden = false;
}
onLanguage(showCommaNote);

// The first frame means the window is open and the program reads no more: the input
// closes and the picture comes into view. The rest follows in the next frame (the
// product, the corners and their labels, the check), so that the first one costs no
// more than a bare GLUT page's.
function firstFrame() {
  status.windowOpen = true;
  terminal.close('pictureBelow');
  if (revealed) {
    canvas.scrollIntoView({ block: canvas.getBoundingClientRect().height > innerHeight ? 'start' : 'end' });
  }
  saveButton.disabled = !program?._pageRedraw;
  status.firstFrameAt = performance.now();
  requestAnimationFrame(showTheRun);
}

function showTheRun() {
  if (program?._pageProject) {
    tables.showProduct();
    byId('copy').disabled = false;
    byId('numbers-waiting').hidden = true;
    showCommaNote();
    status.corners = tables.shown.vertices.flatMap((vertices, cube) => vertices.map((point, vertex) => {
      const [x, y] = onCanvas(point);
      return { cube, vertex, x, y };
    }));
    overlay.setCorners(status.corners);
    finished = { degrees: tables.shown.turns.map((turn) => turn.degrees), vertices: tables.shown.vertices };
    resolveFinished(finished);
    byId('make-task').disabled = false;
    if (program._pageMotion) {
      motion.ready();
      sayReadings();
    }
  }
  status.ready = true;
}

function afterFrame() {
  if (!status.windowOpen) {
    firstFrame();
  }
  if (saveWanted) {
    saveWanted = false;
    savePicture();
  }
}

byId('copy').addEventListener('click', async () => {
  const text = byId('copy-text');
  text.value = tables.asText();
  const copied = await copyText(text.value);
  byId('copied').dataset.text = copied ? 'copied' : 'copyBelow';
  byId('copied').textContent = say(byId('copied').dataset.text);
  text.hidden = copied;
  if (!copied) {
    text.select();
  }
});

// --- The turns in motion ---------------------------------------------------------------

// The path drawn is of the vertex the labels name (V7, the lessons' vertex, when they name a
// cube's corners).
const labelsVertex = () => {
  const which = byId('labels-which').value;
  return which.startsWith('vertex-') ? Number(which.slice('vertex-'.length)) : 7;
};
let litAxis = -1; // the matrix lit up in the tables
const motion = makeMotion({
  play: byId('motion-play'), previous: byId('motion-previous'), next: byId('motion-next'), slider: byId('motion-slider'),
  readings: [...document.querySelectorAll('input[name=reading]')], note: byId('motion-say'),
}, {
  program: () => (status.windowOpen ? program : null),
  vertex: labelsVertex,
  turnDegrees: () => tables.shown.turns.map((turn) => turn.degrees),
  changed(state) {
    const { reading, position, turn, degrees, vertices, corners } = state;
    const lit = position < 3 ? state.axis : -1;
    const keyChanged = (status.motion?.reading !== reading) || ((status.motion?.position ?? 3) < 3) !== (position < 3);
    status.motion = { reading, position, turn, degrees, vertices, corners };
    if (lit !== litAxis) {
      litAxis = lit;
      tables.highlight(lit);
    }
    if (keyChanged) {
      sayMotionKey();
    }
    // The corners named are of the cubes drawn: those reached so far about the world's axes,
    // the red one about the cube's own.
    overlay.setCubesDrawn(position >= 3 ? 4 : reading === 'kocke' ? 1 : Math.max(1, turn + 1));
  },
});
byId('labels-which').addEventListener('change', () => {
  motion.redraw();
  sayMotionKey();
});

// While the cubes move, the key says what the moving marks are.
function sayMotionKey() {
  const key = byId('motion-key');
  const moving = status.motion !== null && status.motion.position < 3;
  key.hidden = !moving;
  if (moving) {
    key.textContent = say('motionKey', { vertex: `V${labelsVertex()}` }) +
      (status.motion.reading === 'kocke' ? ` ${say('motionKeyOwn')}` : '');
  }
}

let endsApart = null;
function sayReadings() {
  endsApart ??= motion.endsApart(tables.shown.vertices[3]);
  byId('readings-note').textContent = say('readingsNote', { distance: endsApart === 0 ? '0' : endsApart.toPrecision(2).replace(/-/g, '\u2212') });
}
onLanguage(() => {
  motion.describe();
  sayMotionKey();
  if (endsApart !== null) {
    sayReadings();
  }
});

// A vertex's header in the table marks that vertex on all four cubes.
byId('tables').addEventListener('click', (event) => {
  const button = event.target.closest('button[data-vertex]');
  if (button) {
    overlay.showVertex(Number(button.dataset.vertex));
    canvas.scrollIntoView({ block: 'nearest' });
  }
});

// --- The check of a prediction -----------------------------------------------------------

function sayNotes() {
  byId('tolerance-note').replaceChildren(say('toleranceNote', { tolerance: String(tolerance) }));
  byId('canvas-note').replaceChildren(...sayWith('canvasNote', {}, {
    link: Object.assign(document.createElement('a'), { href: '#numbers', textContent: say('numbersTitle') }),
  }));
}
sayNotes();
onLanguage(sayNotes);

const form = byId('check-form');
const predictions = makePredictionCheck(form, byId('verdict'), {
  // In a task the program has its answers from the link or the homework; otherwise it needs
  // all three.
  program: () => (!status.failed && (finished || task) ? whenFinished : null),
  checked(result) {
    status.check = result;
    // A check of another cube or vertex, once the task's is made, is the student's own
    // exploring: not the task's.
    if (homework && result.cube === task?.cube && result.vertex === task?.vertex) {
      homework.checked(result);
    }
    overlay.setCheck({ vertex: result.vertex, program: onCanvas(result.program), predicted: onCanvas(result.predicted) });
    if (!revealed) {
      reveal(true);
      overlay.showVertex(result.vertex);
      predictions.free();
      byId('check').scrollIntoView({ block: 'nearest' });
    }
  },
});
if (task) {
  predictions.ask(task.cube, task.vertex);
}

// --- Homework ------------------------------------------------------------------------------

// A homework set, carried by the page (a package for an LMS) or by its link: a task at a time,
// each a fresh run of the program. A set the page cannot run is said so, as a broken task
// link is, and the page runs as without it.
const homeworkSet = setInDocument(document) ?? setInFragment(fragment);
const homework = homeworkSet && !homeworkSet.problem ? makeHomework(byId('homework'), {
  set: homeworkSet, api: findApi(window), storage, runTask, changed: (state) => { status.homework = state; },
}) : null;
if (homework) {
  reveal(false);
}
if (homeworkSet?.problem) {
  showLinkProblem(() => say('badSet', { why: setProblemText(homeworkSet.problem) }));
}
byId('homework').querySelector('[data-part=print]').addEventListener('click', () => printSheets(byId('print-sheet'), [homework.sheet()]));
// The teacher's panel and task links, out of a student's way: not on a homework's page.
byId('teacher').hidden = Boolean(homework);
byId('make-task').hidden = Boolean(homework);
makeTeacherPanel(byId('teacher'), {
  ownHtml: async () => ownHtml ?? (await fetch('cube-rotation.html')).text(),
  answer: (asked) => (program?._pageAnswer
    ? [0, 1, 2].map((axis) => program._pageAnswer(...asked.answers.map(Number), asked.cube, asked.vertex, axis)) : null),
  offerLink: (box, link) => offerLink(box, link, ['linkCopied', 'copyLink']),
  print: (sheets) => printSheets(byId('print-sheet'), sheets),
  download,
});
onLanguage(() => {
  tables.word();
  homework?.render();
  predictions.render();
  overlay.relabel();
  placeGlosses(transcript, byId('question-gloss'));
});

// The language switch, each language named in itself; the choice is kept for the next visit,
// and in the page's address when that names a language, so that a reload keeps it too.
const languageChoice = byId('language');
languageChoice.append(...languages.map((code) => Object.assign(new Option(languageNames[code], code), { lang: code })));
languageChoice.value = currentLanguage();
languageChoice.addEventListener('change', () => {
  setLanguage(languageChoice.value);
  keepLocally(storage, languageKey, currentLanguage());
  if (linkLanguage !== null) {
    history.replaceState(null, '', withLanguage(currentLanguage(), fragment));
  }
});

byId('make-task').addEventListener('click', () => {
  const { cube, vertex } = predictions.chosen();
  const link = taskFragment(vertex, finished.degrees, cube);
  const box = byId('task-link');
  if (link) {
    offerLink(box, link, ['taskLinkCopied', 'copyTaskLink']);
  } else {
    fillBox(box, () => [say(cube === 0 ? 'noTaskRed' : 'noTaskInfinite'), '']);
  }
});

// --- Starting the program ------------------------------------------------------------

let runs = 0; // the program's runs on this page: one, or one per homework task
let retire = () => {}; // stops the running program before another starts

// Listeners the program adds to the window and the document while it starts (GLUT's), so that
// a retired program leaves none behind.
function recordListeners() {
  const added = [];
  const targets = [window, document];
  const recorders = targets.map((target) => {
    target.addEventListener = (...args) => {
      added.push([target, args]);
      EventTarget.prototype.addEventListener.apply(target, args);
    };
    return target.addEventListener;
  });
  return {
    // Only this run's recorder comes off: a later run's may have taken its place.
    stop: () => targets.forEach((target, i) => {
      if (target.addEventListener === recorders[i]) {
        delete target.addEventListener;
      }
    }),
    remove: () => added.forEach(([target, args]) => target.removeEventListener(...args)),
  };
}

// The single file carries the .wasm gzipped in base64, handed to the program so that it
// fetches nothing; unpacked once, for every run.
const embedded = byId('program-wasm');
let wasm = null;
const wasmBinary = () => {
  if (embedded && !wasm) {
    const packed = Uint8Array.from(atob(embedded.textContent), (c) => c.charCodeAt(0));
    wasm = new Response(new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
  }
  return wasm ?? Promise.resolve(undefined);
};

// A run of the program on `answers`, typed for the user as the program asks. A retired run's
// calls are let go.
function runProgram(answers) {
  const run = ++runs;
  const ours = (callback) => (...args) => (run === runs ? callback(...args) : undefined);
  const listeners = recordListeners();
  terminal.typeWhenAsked(answers);
  // main() runs as an asynchronous call, since its reads wait for the page. GLUT's event
  // loop ends it by throwing "unwind" once the window is up: that is its normal end.
  function runMain(instance) {
    const stop = () => {
      instance.pauseMainLoop?.();
      listeners.stop();
      listeners.remove();
    };
    // A run retired while it loaded stops at once, and leaves the current run's retiring alone.
    if (run !== runs) {
      stop();
      return;
    }
    retire = stop;
    program = instance;
    status.started = true;
    instance.ccall('main', 'number', ['number', 'number'], [0, 0], { async: true }).catch(ours((error) => {
      if (error !== 'unwind') {
        stoppedAbnormally(String(error?.message ?? error));
      }
    }));
    // main() has put the starting cube in the scene before its first read.
    if (program._pageVertexLabel) {
      tables.showCube(0, readCube(0));
    }
  }
  wasmBinary().then((binary) => createCubeRotation({
    canvas,
    terminal,
    wasmBinary: binary,
    noInitialRun: true,
    onStepFinished: ours(stepFinished),
    postMainLoop: ours(() => {
      listeners.stop(); // GLUT is up: what the page adds from now on is its own
      afterFrame();
    }),
    onAbort: ours((what) => stoppedAbnormally(String(what))),
    // The runtime's own notices (the GL emulation says that it is in use) are not the
    // program's output and no error of the page's; anything else it reports is.
    printErr(text) {
      if (!/^WARNING: using emscripten GL /.test(text)) {
        console.error(text);
      }
    },
  })).then(runMain, ours((error) => stoppedAbnormally(String(error?.message ?? error))));
}

// A fresh run for a homework task: the program started anew, on a canvas of its own, with
// everything the page showed of the last run cleared.
function runTask(next) {
  retire();
  const fresh = canvas.cloneNode(false);
  canvas.replaceWith(fresh);
  canvas = fresh;
  terminal.reset();
  placeGlosses(transcript, byId('question-gloss'));
  byId('tables').replaceChildren();
  tables = makeNumberTables(byId('tables'));
  overlay.setCorners([]);
  overlay.setCheck(null);
  overlay.setCubesDrawn(4);
  motion.reset();
  litAxis = -1;
  endsApart = null;
  Object.assign(status, { started: false, windowOpen: false, firstFrameAt: null, ready: false, corners: [], check: null,
    motion: null });
  program = null;
  finished = null;
  whenFinished = new Promise((resolve) => { resolveFinished = resolve; });
  task = next;
  reveal(false);
  ['motion-key', 'comma-note', 'task-link', 'shared'].forEach((id) => { byId(id).hidden = true; });
  ['key-x', 'key-y', 'key-z'].forEach((id, axis) => { byId(id).textContent = 'XYZ'[axis]; });
  ['copy', 'make-task', 'save'].forEach((id) => { byId(id).disabled = true; });
  const copied = byId('copied');
  delete copied.dataset.text;
  copied.textContent = '';
  Object.assign(byId('copy-text'), { hidden: true, value: '' });
  byId('numbers-waiting').hidden = false;
  byId('readings-note').textContent = '';
  statement.hidden = true;
  predictions.clear();
  predictions.ask(task.cube, task.vertex);
  runProgram(task.answers);
}

// Without WebGL the window could never open: say so instead of asking the questions. A page
// opened from the disk may not fetch its .wasm (Chromium and Firefox refuse), and the
// browser keeps the reason from the page: the same fetch, tried here, tells.
function start() {
  const probe = document.createElement('canvas');
  if (!probe.getContext('webgl') && !probe.getContext('experimental-webgl')) {
    fail('noWebGL', { key: 'noWebGLReason' });
    return;
  }
  if (location.protocol === 'file:' && document.querySelector('script[src="cube-rotation.js"]')) {
    fetch('cube-rotation.wasm').then((response) => response.arrayBuffer())
      .catch((error) => failedToStart(`cube-rotation.wasm: ${error.message}`));
  }
  if (typeof createCubeRotation !== 'function') {
    failedToStart({ key: 'scriptMissing' });
    return;
  }
  if (homework) {
    homework.begin();
  } else {
    runProgram(task ? task.answers : linkTask || homeworkSet ? [] : answersInFragment(fragment));
  }
}
start();

// The turns in motion, drawn by the program itself: a moving cube turns from the red cube
// about X onto the blue one, about Y onto the green one, about Z onto the yellow one (the
// world's axes, the program's own reading), or about the cube's own z, y' and x'' (the same
// product read the other way). The page only says where in the turns the picture is; the
// program computes the cube and draws it with its own camera. Position 0 is the start, 3
// the end: there, and until the motion is first touched, the picture is the program's own.
import { floatText } from './float_text.js';
import { say } from './language.js';

const turnTime = 1500; // milliseconds a turn takes to play
const readings = ['sveta', 'kocke'];
// The axis of each turn in playing order, as each reading names it.
const turnNames = { sveta: ['X', 'Y', 'Z'], kocke: ['z', 'y\u2032', 'x\u2033'] };

// `controls`: { play, previous, next, slider, readings (the radio inputs), note } elements.
// `program()` gives the running program once its picture is drawn, else null; `vertex()` the
// vertex whose path is drawn; `turnDegrees()` the three answers as the program read them.
// `changed(status)` is told of every move: { reading, position, turn, axis, degrees,
// vertices, corners } (axis: the answer the turn in play is by, 0 X, 1 Y, 2 Z, or -1;
// corners: the vertices on the canvas, [x, y] in drawing-buffer pixels).
export function makeMotion(controls, { program, vertex, turnDegrees, changed }) {
  const { play, previous, next, slider, note } = controls;
  const reducedMotion = matchMedia('(prefers-reduced-motion: reduce)');
  let reading = 'sveta';
  let position = 3;
  let playing = false;
  let lastFrame = null;
  let stepTimer = null;
  let current = null; // the last status shown

  // Where the motion is, in the picture and in words.
  function show(at) {
    position = Math.min(3, Math.max(0, at));
    slider.value = String(position);
    const running = program();
    if (!running?._pageMotion) {
      return;
    }
    running._pageMotion(readings.indexOf(reading), position, vertex());
    const turn = running._pageMotionTurn();
    const status = {
      reading, position, turn, axis: running._pageMotionAxis(), degrees: running._pageMotionDegrees(),
      vertices: Array.from({ length: 8 }, (_, v) => [0, 1, 2].map((a) => running._pageMotionVertex(v, a))),
      corners: Array.from({ length: 8 }, (_, v) => [0, 1].map((a) => running._pageMotionOnCanvas(v, a))),
    };
    current = status;
    describe();
    changed(status);
  }

  // Said at most ten times a second while it plays: a text that changes every frame would
  // cost a layout every frame, and no one reads that fast.
  let saidAt = -Infinity;
  function describe() {
    if (playing && performance.now() - saidAt < 100) {
      return;
    }
    saidAt = performance.now();
    let text;
    if (position >= 3) {
      text = say('motionEnd');
    } else if (!current || current.turn < 0) {
      text = say('motionStart');
    } else {
      const total = turnDegrees()[current.axis];
      // The angle reached to a tenth of a degree: the program's float is in the status.
      const reached = floatText(Math.round(current.degrees * 10) / 10);
      text = say('motionAt', { axis: turnNames[reading][current.turn], degrees: reached, total: floatText(total) });
    }
    const label = say(playing ? 'pause' : 'play');
    if (text !== note.textContent || play.textContent !== label) {
      slider.setAttribute('aria-valuetext', text);
      note.textContent = text;
      play.textContent = label;
    }
  }

  function stop() {
    playing = false;
    lastFrame = null;
    clearTimeout(stepTimer);
    describe();
  }

  // A sweep, one animation frame at a time; with reduced motion, a turn at a time.
  function frame(now) {
    if (!playing) {
      return;
    }
    if (lastFrame !== null) {
      show(position + (now - lastFrame) / turnTime);
    }
    lastFrame = now;
    if (position >= 3) {
      stop();
    } else {
      requestAnimationFrame(frame);
    }
  }

  function stepOn() {
    show(Math.floor(position) + 1);
    if (position >= 3) {
      stop();
    } else {
      stepTimer = setTimeout(stepOn, turnTime);
    }
  }

  play.addEventListener('click', () => {
    if (playing) {
      stop();
      show(position);
      return;
    }
    playing = true;
    saidAt = -Infinity;
    if (position >= 3) {
      show(0);
    } else {
      describe();
    }
    if (reducedMotion.matches) {
      stepTimer = setTimeout(stepOn, turnTime / 3);
    } else {
      requestAnimationFrame(frame);
    }
  });
  previous.addEventListener('click', () => {
    stop();
    show(Math.ceil(position) - 1);
  });
  next.addEventListener('click', () => {
    stop();
    show(Math.floor(position) + 1);
  });
  slider.addEventListener('input', () => {
    stop();
    show(Number(slider.value));
  });
  for (const choice of controls.readings) {
    choice.addEventListener('change', () => {
      reading = choice.value;
      show(position);
    });
  }

  return {
    // A fresh run: at rest, and nothing to move until its picture is drawn.
    reset() {
      stop();
      position = 3;
      current = null;
      slider.value = '3';
      [play, previous, next, slider, ...controls.readings].forEach((control) => { control.disabled = true; });
    },
    // The program's picture is drawn: the motion can start.
    ready() {
      [play, previous, next, slider, ...controls.readings].forEach((control) => { control.disabled = false; });
      describe();
    },
    // Drawn again where it is, for another vertex's path.
    redraw: () => current && position < 3 && show(position),
    describe: () => describe(),
    // How far, at most, the end of the reading about the cube's own axes lies from `yellow`
    // (V0..V7), each coordinate a float; asked of the program, which then shows its own
    // picture as before.
    endsApart(yellow) {
      const running = program();
      running._pageMotion(1, 3, -1);
      const end = Array.from({ length: 8 }, (_, v) => [0, 1, 2].map((a) => running._pageMotionVertex(v, a)));
      running._pageMotion(readings.indexOf(reading), current ? position : 3, vertex());
      return Math.max(...end.flatMap((p, v) => p.map((x, a) => Math.abs(x - yellow[v][a]))));
    },
  };
}

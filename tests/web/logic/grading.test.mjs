// The grading of a prediction (web/grading.js) over its whole input space: the expected
// answers and the usual mistakes come from the test kit's quaternions, and hand work from the
// test kit's two-decimal matrices, never from the page's code.
import assert from 'node:assert/strict';
import { gradePrediction, mistakeIds, parseCoordinate, tolerance, usualMistakes } from '../../../web/grading.js';
import { everyCase, fc, property } from '../../../testkit/properties.mjs';
import { byHand, mistakeAnswers, mistakenTurns } from '../../../testkit/rotations.mjs';

// V0..V7 of the starting cube, by hand.
const startingCube = [[0, 0, 5], [5, 5, 5], [0, 0, 0], [5, 5, 0], [5, 0, 5], [0, 5, 0], [5, 0, 0], [0, 5, 5]];
const multiplesOf15 = Array.from({ length: 24 }, (_, i) => 15 * i);
const farther = (a, b, than) => a.some((x, i) => Math.abs(x - b[i]) > than);
const grade = (predicted, degrees, vertex, cube, right) =>
  gradePrediction(predicted, right, usualMistakes(degrees, startingCube[vertex], cube));

// Every triple of multiples of 15 degrees, every vertex, cubes 1 to 3.
function* grid() {
  for (const x of multiplesOf15) {
    for (const y of multiplesOf15) {
      for (const z of multiplesOf15) {
        for (let vertex = 0; vertex < 8; ++vertex) {
          for (let cube = 1; cube <= 3; ++cube) {
            yield { degrees: [x, y, z], vertex, cube };
          }
        }
      }
    }
  }
}
const gridSize = 24 ** 3 * 8 * 3;

everyCase('two-decimal hand work, turn by turn or as one matrix, is graded right: every multiple of 15° × vertex × cube',
  gridSize, grid, ({ degrees, vertex, cube }) => {
    const { right } = mistakenTurns(degrees, cube);
    const exact = mistakeAnswers(degrees, startingCube[vertex], cube).right;
    for (const oneMatrix of [false, true]) {
      const hand = byHand(startingCube[vertex], right.turns, { oneMatrix });
      const result = grade(hand, degrees, vertex, cube, exact);
      assert.equal(result.verdict, 'correct', `${degrees} V${vertex} cube ${cube}${oneMatrix ? ' as one matrix' : ''}: ${hand} for ${exact}`);
    }
  });

everyCase('each usual mistake over 0.5 from the right answer is named, worked exactly or to two decimals: every multiple of 15° × vertex × cube',
  gridSize, grid, ({ degrees, vertex, cube }) => {
    const start = startingCube[vertex];
    const exact = mistakeAnswers(degrees, start, cube);
    for (const [id, made] of Object.entries(mistakenTurns(degrees, cube))) {
      if (id === 'right' || !farther(exact[id], exact.right, 0.5)) {
        continue;
      }
      for (const answer of [exact[id], byHand(start, made.turns, { about: made.about })]) {
        const result = grade(answer, degrees, vertex, cube, exact.right);
        assert.equal(result.verdict, 'wrong', `${id} for ${degrees} V${vertex} cube ${cube}`);
        assert.ok(result.mistakes.includes(id), `${id} not named for ${degrees} V${vertex} cube ${cube}: ${result.mistakes}`);
      }
    }
  });

// Angles as a person may answer: any size, either sign, fractions.
const angle = fc.oneof(fc.integer({ min: -720, max: 720 }), fc.double({ min: -1e6, max: 1e6, noNaN: true }));
const task = fc.record({ degrees: fc.tuple(angle, angle, angle), vertex: fc.integer({ min: 0, max: 7 }), cube: fc.integer({ min: 1, max: 3 }) });
const offset = (bound) => fc.double({ min: -bound, max: bound, noNaN: true });

property('an answer within the tolerance of the right one in every coordinate is right, for any angles, vertex and cube',
  fc.tuple(task, fc.tuple(offset(tolerance * 0.999), offset(tolerance * 0.999), offset(tolerance * 0.999))),
  ([{ degrees, vertex, cube }, shift]) => {
    const right = mistakeAnswers(degrees, startingCube[vertex], cube).right;
    assert.equal(grade(right.map((x, i) => x + shift[i]), degrees, vertex, cube, right).verdict, 'correct');
  }, 3000);

property('an answer off by more than the tolerance in one coordinate is wrong, and names only mistakes it lies near',
  fc.tuple(task, fc.integer({ min: 0, max: 2 }), fc.double({ min: tolerance * 1.001, max: 20, noNaN: true }), fc.boolean()),
  ([{ degrees, vertex, cube }, axis, distance, below]) => {
    const answers = mistakeAnswers(degrees, startingCube[vertex], cube);
    const predicted = answers.right.map((x, i) => (i === axis ? x + (below ? -distance : distance) : x));
    const result = grade(predicted, degrees, vertex, cube, answers.right);
    assert.equal(result.verdict, 'wrong');
    for (const id of result.mistakes) {
      assert.ok(!farther(predicted, answers[id], tolerance + 1e-9), `${id} named, but ${answers[id]} is far from ${predicted}`);
    }
    // Every mistake it lies near, and whose answer is not itself right, is named.
    const near = mistakeIds.filter((id) => answers[id] && farther(answers[id], answers.right, tolerance + 1e-9)
      && !farther(predicted, answers[id], tolerance - 1e-9));
    near.forEach((id) => assert.ok(result.mistakes.includes(id), `${id} not named`));
  }, 3000);

property('the red cube has no mistakes: an answer is right within the tolerance of the start, else wrong with none named',
  fc.tuple(task, fc.tuple(offset(1), offset(1), offset(1))),
  ([{ degrees, vertex }, shift]) => {
    const start = startingCube[vertex];
    const result = grade(start.map((x, i) => x + shift[i]), degrees, vertex, 0, start);
    assert.equal(result.verdict, shift.every((s) => Math.abs(s) <= tolerance) ? 'correct' : 'wrong');
    assert.deepEqual(result.mistakes, []);
  }, 1000);

// Coordinates as people type them.
const typed = fc.double({ min: -1e6, max: 1e6, noNaN: true }).chain((x) => fc.record({
  value: fc.constant(Object.is(x, -0) ? 0 : x),
  text: fc.constantFrom(String(x), x.toFixed(3), x.toExponential(4)).chain((text) => fc.tuple(
    fc.constant(text), fc.boolean(), fc.boolean(), fc.constantFrom('', ' ', '\t')).map(([t, comma, minus, space]) =>
    `${space}${t.replace('.', comma ? ',' : '.').replace('-', minus ? '\u2212' : '-')}${space}`)),
}));

property('a coordinate typed with a point or a comma, either minus sign, spaces around, reads as its number',
  typed, ({ value, text }) => {
    // Within what three decimals or five significant digits keep.
    assert.ok(Math.abs(parseCoordinate(text) - value) <= Math.abs(value) * 1e-4 + 5e-4, `${text}: ${parseCoordinate(text)}`);
  }, 3000);

// Texts that are no number: empty, a word, a sign or a point alone, two separators, an
// exponent without digits, a number with a word after it.
const noNumber = fc.oneof(
  fc.constantFrom('', ' ', '-', '\u2212', '.', ',', 'e5', '1e', '1e+', '--1', '1..2', '1,2,3', '1.2,3', '+-1', 'pet', 'NaN', 'Infinity'),
  fc.tuple(fc.integer(), fc.stringMatching(/^[a-df-zA-DF-Z%#]+$/)).map(([n, word]) => `${n}${word}`),
  fc.stringMatching(/^[a-zA-Z ]*[a-df-zA-DF-Z][a-zA-Z ]*$/),
);

property('text that is no number reads as nothing', noNumber, (text) => { assert.equal(parseCoordinate(text), null); }, 2000);

// A student's prediction of where a vertex lands, graded against the program's float and,
// when wrong, held against the usual mistakes of the topic, each worked out in double from
// the angles the program read. Cubes are numbered 0 (red, the start) to 3 (yellow).
import { programNumber } from './task_link.js';

// A prediction this close in every coordinate is right. Work done by hand with every sine
// and cosine to two decimals, and every coordinate rounded to two decimals after each turn,
// lands within 0.1 of the exact answer for every multiple of 15 degrees; with the three
// matrices first multiplied into one (its entries to two decimals), within 0.18. A usual
// mistake worked the same way lands as close to its own answer, so a mistake more than 0.5
// from the right answer is never graded right and is still recognised.
export const tolerance = 0.2;

// A number as a person types it: a decimal point or comma, a minus sign of either kind, an
// optional exponent. Null for anything else.
export function parseCoordinate(text) {
  const plain = text.trim().replace(/\u2212/g, '-').replace(',', '.');
  if (!programNumber.test(plain)) {
    return null;
  }
  return Number(plain);
}

// The point `p` turned about axis 0, 1 or 2 (X, Y, Z) through the origin by `radians`,
// right-handed.
function turned(p, axis, radians) {
  const c = Math.cos(radians);
  const s = Math.sin(radians);
  const [x, y, z] = p;
  return [
    [x, c * y - s * z, s * y + c * z],
    [c * x + s * z, y, -s * x + c * z],
    [c * x - s * y, s * x + c * y, z],
  ][axis];
}

// The mistakes in the order they are named:
//   order      the turns in the reverse order (for the yellow cube Rx·Ry·Rz)
//   direction  every turn the other way (negative angles, transposed matrices, left hand)
//   sine-x/y/z the signs of the sines swapped in that one matrix (Ry written like Rx and Rz,
//              say): that one turn the other way; named only for the green and yellow
//              cubes, since with a single turn it is the direction mistake
//   radians    the degrees taken as radians
//   separate   each turn applied to the starting cube: the cube's last turn alone
//   centre     the turns made about the cube's centre (2.5, 2.5, 2.5), not the origin
export const mistakeIds = ['order', 'direction', 'sine-x', 'sine-y', 'sine-z', 'radians', 'separate', 'centre'];

// Where each usual mistake puts the vertex `start` of the red cube in cube `cube` (1 to 3),
// for the angles the program read (degrees), and `right`, the right answer in double. The
// red cube (0) is where no turn went wrong.
export function usualMistakes(degrees, start, cube) {
  if (cube === 0) {
    return { right: [...start] };
  }
  const steps = [0, 1, 2].slice(0, cube);
  const radians = degrees.map((d) => (d * Math.PI) / 180);
  const through = (p, angles, order = steps) => order.reduce((q, axis) => turned(q, axis, angles[axis]), p);
  const oneReversed = (axis) => radians.map((r, i) => (i === axis ? -r : r));
  const centre = 2.5;
  const answers = {
    right: through(start, radians),
    order: through(start, radians, [...steps].reverse()),
    direction: through(start, radians.map((r) => -r)),
    radians: through(start, degrees),
    separate: turned(start, cube - 1, radians[cube - 1]),
    centre: through(start.map((x) => x - centre), radians).map((x) => x + centre),
  };
  if (cube > 1) {
    steps.forEach((axis) => { answers[`sine-${'xyz'[axis]}`] = through(start, oneReversed(axis)); });
  }
  return answers;
}

const near = (a, b) => a.every((x, i) => Math.abs(x - b[i]) <= tolerance);

// 'correct' when every coordinate is within the tolerance of the program's; otherwise
// 'wrong', with each usual mistake that the prediction matches and whose answer is not
// itself right.
export function gradePrediction(predicted, program, mistakes) {
  if (near(predicted, program)) {
    return { verdict: 'correct', mistakes: [] };
  }
  const named = mistakeIds.filter((id) => mistakes[id] && !near(mistakes[id], mistakes.right) && near(predicted, mistakes[id]));
  return { verdict: 'wrong', mistakes: named };
}

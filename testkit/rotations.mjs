// Rotations worked out the tests' own way, with unit quaternions in double precision, so that
// the page's matrices and mistakes are checked against a different algorithm than theirs:
// each turn about the X, Y or Z axis through the origin, right-handed, angles in degrees.

const axes = [[1, 0, 0], [0, 1, 0], [0, 0, 1]];

// The quaternion [w, x, y, z] of a turn by `degrees` about axis 0, 1 or 2.
function turn(axis, degrees) {
  const half = (degrees * Math.PI) / 360;
  return [Math.cos(half), ...axes[axis].map((a) => a * Math.sin(half))];
}

function times([aw, ax, ay, az], [bw, bx, by, bz]) {
  return [
    aw * bw - ax * bx - ay * by - az * bz,
    aw * bx + ax * bw + ay * bz - az * by,
    aw * by - ax * bz + ay * bw + az * bx,
    aw * bz + ax * by - ay * bx + az * bw,
  ];
}

// `point` turned by each [axis, degrees] of `turns` in order, the first applied first.
export function turned(point, turns) {
  const q = turns.reduce((sum, [axis, degrees]) => times(turn(axis, degrees), sum), [1, 0, 0, 0]);
  const conjugate = [q[0], -q[1], -q[2], -q[3]];
  return times(times(q, [0, ...point]), conjugate).slice(1);
}

// The matrix (row-major) of the turns, applied first to last: its columns are the turned axes.
export function turnsMatrix(turns) {
  const columns = axes.map((axis) => turned(axis, turns));
  return [0, 1, 2].flatMap((i) => columns.map((column) => column[i]));
}

// What each usual mistake of the topic does for cube `cube` (1 to 3: after X, after Y, after
// Z) with the three angles in degrees, as the turns it makes ([axis, degrees], first applied
// first) and the point the turns are made about; `right` is what should be done.
export function mistakenTurns(degrees, cube) {
  const steps = [0, 1, 2].slice(0, cube).map((axis) => [axis, degrees[axis]]);
  const asRadians = (d) => (d * 180) / Math.PI; // a number of degrees read as that many radians
  const made = {
    right: steps,
    order: [...steps].reverse(),
    direction: steps.map(([axis, d]) => [axis, -d]),
    radians: steps.map(([axis, d]) => [axis, asRadians(d)]),
    separate: steps.slice(-1),
    centre: steps,
  };
  // One matrix with the signs of its sines swapped: that one turn the other way. With one
  // turn only, that is the direction mistake.
  if (cube > 1) {
    steps.forEach(([axis], i) => {
      made[`sine-${'xyz'[axis]}`] = steps.map(([a, d], j) => [a, i === j ? -d : d]);
    });
  }
  return Object.fromEntries(Object.entries(made).map(([id, turns]) => [id, { turns, about: id === 'centre' ? 2.5 : 0 }]));
}

// Where each usual mistake puts `start` in cube `cube`, worked exactly (quaternions), and
// the right answer.
export function mistakeAnswers(degrees, start, cube) {
  return Object.fromEntries(Object.entries(mistakenTurns(degrees, cube)).map(([id, { turns, about }]) =>
    [id, turned(start.map((x) => x - about), turns).map((x) => x + about)]));
}

// A calculation as a student does it by hand, the other way: each turn's matrix with its
// sine and cosine rounded to `decimals`, applied one after another with every coordinate
// rounded to `decimals` after each turn; or, with `oneMatrix`, the matrices first multiplied
// into one, its entries rounded, and that applied once.
export function byHand(start, turns, { decimals = 2, about = 0, oneMatrix = false } = {}) {
  const scale = 10 ** decimals;
  const round = (x) => Math.round(x * scale) / scale;
  const matrix = ([axis, degrees]) => {
    const c = round(Math.cos((degrees * Math.PI) / 180));
    const s = round(Math.sin((degrees * Math.PI) / 180));
    return [[1, 0, 0, 0, c, -s, 0, s, c], [c, 0, s, 0, 1, 0, -s, 0, c], [c, -s, 0, s, c, 0, 0, 0, 1]][axis];
  };
  const apply = (m, v) => [0, 1, 2].map((i) => round(m[3 * i] * v[0] + m[3 * i + 1] * v[1] + m[3 * i + 2] * v[2]));
  const product = (a, b) => Array.from({ length: 9 }, (_, k) => {
    const [i, j] = [Math.floor(k / 3), k % 3];
    return round(a[3 * i] * b[j] + a[3 * i + 1] * b[3 + j] + a[3 * i + 2] * b[6 + j]);
  });
  const shifted = start.map((x) => x - about);
  const moved = oneMatrix ? apply(turns.map(matrix).reduce((sum, m) => product(m, sum)), shifted)
    : turns.reduce((v, step) => apply(matrix(step), v), shifted);
  return moved.map((x) => x + about);
}

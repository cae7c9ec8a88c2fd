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

// Where each usual mistake of the topic puts `start` in cube `cube` (1 to 3: after X, after
// Y, after Z) for the three angles in degrees, and the right answer.
export function mistakeAnswers(degrees, start, cube) {
  const steps = [0, 1, 2].slice(0, cube).map((axis) => [axis, degrees[axis]]);
  const asRadians = (d) => (d * 180) / Math.PI; // a number of degrees read as that many radians
  const centre = 2.5;
  return {
    right: turned(start, steps),
    order: turned(start, [...steps].reverse()),
    direction: turned(start, steps.map(([axis, d]) => [axis, -d])),
    radians: turned(start, steps.map(([axis, d]) => [axis, asRadians(d)])),
    separate: turned(start, steps.slice(-1)),
    centre: turned(start.map((x) => x - centre), steps).map((x) => x + centre),
  };
}

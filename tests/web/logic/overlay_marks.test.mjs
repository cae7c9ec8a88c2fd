// The marks over the picture (web/overlay_marks.js) for any corners, choice, check and size:
// labels stay inside the picture, never cover one another or a marked spot, sit beside their
// spot, grow with the scale, and nothing is drawn for a point the camera cannot place.
import assert from 'node:assert/strict';
import { overlayMarks, pictureSize } from '../../../web/overlay_marks.js';
import { fc, property } from '../../../testkit/properties.mjs';

const names = { cubes: ['crvena', 'plava', 'zelena', 'zuta'], allFour: '(sve cetiri kocke)', program: 'program', predicted: 'vase predvidjanje' };
// Where a camera may put a point: on the picture, off it, or nowhere (behind the eye).
const position = fc.oneof({ weight: 8, arbitrary: fc.double({ min: -300, max: 1300, noNaN: true }) },
  { weight: 1, arbitrary: fc.constant(NaN) });
const corners = fc.array(fc.tuple(position, position), { minLength: 32, maxLength: 32 })
  .map((points) => points.map(([x, y], i) => ({ cube: Math.floor(i / 8), vertex: i % 8, x, y })));
const chosen = fc.oneof(fc.constant(null), fc.integer({ min: 0, max: 3 }).map((c) => `cube-${c}`),
  fc.integer({ min: 0, max: 7 }).map((v) => `vertex-${v}`));
const check = fc.option(fc.record({ vertex: fc.integer({ min: 0, max: 7 }), program: fc.tuple(position, position),
  predicted: fc.tuple(position, position) }));
const scale = fc.oneof(fc.constant(1), fc.double({ min: 1, max: 3, noNaN: true }));
const scene = fc.record({ corners, chosen, check, scale });

const overlap = (a, b) => !(a.x + a.w < b.x || b.x + b.w < a.x || a.y + a.h < b.y || b.y + b.h < a.y);
const chosenCorners = ({ corners: all, chosen: which }) => {
  if (!which) {
    return [];
  }
  const [kind, index] = which.split('-');
  return all.filter((c) => (kind === 'vertex' ? c.vertex : c.cube) === Number(index));
};

property('labels stay inside the picture and never cover one another', scene, (s) => {
  const boxes = overlayMarks(s.corners, s.chosen, s.check, names, s.scale).filter((m) => m.kind === 'text').map((m) => m.box);
  for (const box of boxes) {
    assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.w <= pictureSize.width && box.y + box.h <= pictureSize.height);
  }
  boxes.forEach((a, i) => boxes.slice(i + 1).forEach((b) => assert.ok(!overlap(a, b), JSON.stringify([a, b]))));
}, 2000);

property('a label covers no marked spot and sits beside its own, its height growing with the scale', scene, (s) => {
  const marks = overlayMarks(s.corners, s.chosen, s.check, names, s.scale);
  const spots = marks.filter((m) => ['ring', 'strong', 'cross'].includes(m.kind));
  for (const label of marks.filter((m) => m.kind === 'text')) {
    assert.ok(label.box.h >= 13 * s.scale);
    const own = spots.filter((spot) => {
      const dx = Math.max(label.box.x - spot.x, 0, spot.x - label.box.x - label.box.w);
      const dy = Math.max(label.box.y - spot.y, 0, spot.y - label.box.y - label.box.h);
      return Math.hypot(dx, dy) <= 30 * s.scale;
    });
    assert.ok(own.length > 0, `${label.text} is far from every spot`);
    for (const spot of spots) {
      const r = { strong: 8, ring: 5, cross: 6 }[spot.kind] * s.scale;
      assert.ok(!overlap(label.box, { x: spot.x - r, y: spot.y - r, w: 2 * r, h: 2 * r }), `${label.text} covers a spot`);
    }
  }
}, 2000);

property('every chosen corner the camera places is ringed; no mark is drawn where it cannot place one', scene, (s) => {
  const marks = overlayMarks(s.corners, s.chosen, s.check, names, s.scale);
  assert.ok(marks.every((m) => !/NaN|Infinity/.test(m.d ?? '') && Number.isFinite(m.x ?? 0) && Number.isFinite(m.y ?? 0)));
  const rings = marks.filter((m) => m.kind === 'ring');
  for (const corner of chosenCorners(s).filter((c) => Number.isFinite(c.x) && Number.isFinite(c.y))) {
    assert.ok(rings.some((ring) => Math.hypot(ring.x - corner.x, ring.y - corner.y) < 4), `V${corner.vertex} of cube ${corner.cube}`);
  }
  const predictedPlaced = s.check && s.check.program.every(Number.isFinite) && s.check.predicted.every(Number.isFinite)
    && Math.abs(s.check.predicted[0] - 512) < 1536 && Math.abs(s.check.predicted[1] - 350) < 1050;
  assert.equal(marks.some((m) => m.kind === 'cross'), Boolean(predictedPlaced));
}, 2000);

// Away from the edges, where a label always has room.
property('one vertex on four cubes that meet gets one label that says so',
  fc.tuple(fc.integer({ min: 0, max: 7 }), fc.double({ min: 200, max: 800, noNaN: true }), fc.double({ min: 100, max: 600, noNaN: true })),
  ([vertex, x, y]) => {
    const all = Array.from({ length: 32 }, (_, i) => ({ cube: Math.floor(i / 8), vertex: i % 8, x: i % 8 === vertex ? x : 5000, y }));
    const labels = overlayMarks(all, `vertex-${vertex}`, null, names).filter((m) => m.kind === 'text');
    assert.deepEqual(labels.map((label) => label.text), [`V${vertex} (sve cetiri kocke)`]);
  }, 500);

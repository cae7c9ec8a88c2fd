// What the page draws over the picture, as plain data: the names of the corners (the eight
// corners of one cube, or one vertex on all four cubes with the path it takes through the
// turns) and, after a check, the student's point beside the program's corner. Positions are
// in the canvas's 1024x700 drawing-buffer pixels, as the program's camera puts them.

export const pictureSize = { width: 1024, height: 700 };
export const baseFontSize = 13; // drawing-buffer pixels, when the picture is shown at its size
const sameSpot = 4; // corners closer than a drawn point's size share one label

// Corners that land on the same spot, as groups in drawing order.
function sameSpotGroups(corners) {
  const found = [];
  for (const corner of corners) {
    const group = found.find((g) => Math.hypot(g[0].x - corner.x, g[0].y - corner.y) < sameSpot);
    if (group) {
      group.push(corner);
    } else {
      found.push([corner]);
    }
  }
  return found;
}

// V7 on its own; V2 of all four cubes as one label that says so. `names` gives the words.
function groupText(group, byVertex, names) {
  if (!byVertex) {
    return group.map((c) => `V${c.vertex}`).join(' = ');
  }
  const cubes = group.map((c) => names.cubes[c.cube]);
  return `V${group[0].vertex} ${cubes.length === 4 ? names.allFour : cubes.join(', ')}`;
}

// A label beside its spot, on the first side where it covers no mark and no label placed
// before (`taken`, which it joins) and stays inside the picture; its width is estimated from
// its length. Null when no side is free: a label over another could be read as neither.
function placeLabel(x, y, text, taken, scale) {
  const fontSize = baseFontSize * scale;
  const w = 0.6 * fontSize * text.length;
  const h = fontSize + 2 * scale;
  const [near, far] = [9 * scale, 16 * scale];
  const sides = [[near, -h - 3 * scale], [near, 3 * scale], [-near - w, -h - 3 * scale], [-near - w, 3 * scale], [near, -h / 2], [-near - w, -h / 2],
    [-w / 2, -h - near], [-w / 2, near], [far, -h - 12 * scale], [-far - w, 12 * scale]];
  const inside = (b) => b.x >= 1 && b.y >= 1 && b.x + b.w <= pictureSize.width - 1 && b.y + b.h <= pictureSize.height - 1;
  const free = (b) => taken.every((p) => b.x + b.w < p.x || p.x + p.w < b.x || b.y + b.h < p.y || p.y + p.h < b.y);
  const box = sides.map(([dx, dy]) => ({ x: x + dx, y: y + dy, w, h })).find((b) => inside(b) && free(b));
  if (!box) {
    return null;
  }
  taken.push(box);
  return { kind: 'text', x: box.x, y: box.y + fontSize - scale, text, box };
}

// A ring of radius r, a cross of half-size r, and a line through points, as SVG path data,
// which the SVG and a 2D canvas (Path2D) both draw.
const ring = (x, y, r) => `M${x - r},${y}a${r},${r} 0 1,0 ${2 * r},0a${r},${r} 0 1,0 ${-2 * r},0`;
const cross = (x, y, r) => `M${x - r},${y - r}L${x + r},${y + r}M${x - r},${y + r}L${x + r},${y - r}`;
const line = (points) => `M${points.map((p) => p.join(',')).join('L')}`;

// Everything to draw: strokes ({ d, kind: 'path' | 'link' | 'ring' | 'strong' | 'cross' }) and
// texts ({ kind: 'text', x, y, text, box }); lines first, then the marked spots, then their
// labels, placed around all of the spots.
//   corners  the 32 corners, { cube, vertex, x, y }; NaN where the camera cannot place one
//   chosen   'cube-N' (its eight corners) or 'vertex-N' (on all four cubes), or null
//   check    { vertex, program: [x, y], predicted: [x, y] }, or null
//   names    { cubes: [four names], allFour, program, predicted }: the words of the labels
//   scale    how many times larger than at the picture's own size the marks are drawn (a
//            picture shown small keeps its labels readable)
export function overlayMarks(corners, chosen, check, names, scale = 1) {
  const lines = [];
  const spots = []; // { d, kind, x, y, r, text }
  const placed = (p) => Number.isFinite(p[0]) && Number.isFinite(p[1]);
  if (chosen) {
    const [kind, index] = chosen.split('-');
    const byVertex = kind === 'vertex';
    const named = corners.filter((c) => (byVertex ? c.vertex : c.cube) === Number(index) && placed([c.x, c.y]));
    if (byVertex) {
      lines.push({ kind: 'path', d: line([...named].sort((a, b) => a.cube - b.cube).map((c) => [c.x, c.y])) });
    }
    for (const group of sameSpotGroups(named)) {
      const { x, y } = group[0];
      spots.push({ kind: 'ring', d: ring(x, y, 5 * scale), x, y, r: 5 * scale, text: groupText(group, byVertex, names) });
    }
  }
  if (check && placed(check.program)) {
    const [px, py] = check.program;
    // Named unless a label already names that corner.
    const named = spots.some((spot) => Math.hypot(spot.x - px, spot.y - py) < sameSpot);
    spots.push({ kind: 'strong', d: ring(px, py, 8 * scale), x: px, y: py, r: 8 * scale,
      text: named ? null : `V${check.vertex} (${names.program})` });
    const [sx, sy] = check.predicted;
    const { width, height } = pictureSize;
    if (placed(check.predicted) && sx > -width && sx < 2 * width && sy > -height && sy < 2 * height) {
      lines.push({ kind: 'link', d: line([[px, py], [sx, sy]]) });
      spots.push({ kind: 'cross', d: cross(sx, sy, 6 * scale), x: sx, y: sy, r: 6 * scale, text: names.predicted });
    }
  }
  const taken = spots.map((spot) => ({ x: spot.x - spot.r - 1, y: spot.y - spot.r - 1, w: 2 * spot.r + 2, h: 2 * spot.r + 2 }));
  const labels = spots.filter((spot) => spot.text).map((spot) => placeLabel(spot.x, spot.y, spot.text, taken, scale));
  return [...lines, ...spots, ...labels.filter(Boolean)];
}

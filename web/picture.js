// What the page draws over the picture, never into it: the names of the corners (the eight
// corners of one cube, or one vertex on all four cubes with the path it takes through the
// turns) and, after a check, the student's point beside the program's corner. Positions are
// the program's own (its camera, through the page's exports), in the canvas's 1024x700
// drawing-buffer pixels; the overlay is an SVG over the canvas with that viewBox, so it
// scales with the picture, and the same marks can be drawn onto a saved PNG.
/* global cubeNames */
/* exported makePictureOverlay */
'use strict';

const overlaySize = { width: 1024, height: 700, fontSize: 13 }; // drawing-buffer pixels
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

// V7 on its own; V2 of all four cubes as one label that says so.
function groupText(group, byVertex) {
  if (!byVertex) {
    return group.map((c) => `V${c.vertex}`).join(' = ');
  }
  const names = group.map((c) => cubeNames[c.cube]);
  return `V${group[0].vertex} ${names.length === 4 ? '(sve cetiri kocke)' : names.join(', ')}`;
}

// A label beside its spot, on the first side where it covers no mark and no label placed
// before (`taken`, which it joins) and stays inside the picture; its width is estimated
// from its length.
function placeLabel(x, y, text, taken) {
  const { width, height, fontSize } = overlaySize;
  const w = 0.6 * fontSize * text.length;
  const h = fontSize + 2;
  const sides = [[9, -h - 3], [9, 3], [-9 - w, -h - 3], [-9 - w, 3], [9, -h / 2], [-9 - w, -h / 2], [-w / 2, -h - 9],
    [-w / 2, 9], [16, -h - 12], [-16 - w, 12]];
  const boxes = sides.map(([dx, dy]) => ({ x: x + dx, y: y + dy, w, h }));
  const inside = (b) => b.x >= 1 && b.y >= 1 && b.x + b.w <= width - 1 && b.y + b.h <= height - 1;
  const free = (b) => taken.every((p) => b.x + b.w < p.x || p.x + p.w < b.x || b.y + b.h < p.y || p.y + p.h < b.y);
  const box = boxes.find((b) => inside(b) && free(b)) ?? boxes.find(inside) ?? boxes[0];
  taken.push(box);
  return { kind: 'text', x: box.x, y: box.y + fontSize - 1, text };
}

// A ring of radius r, a cross of half-size r, and a line through points, as SVG path data,
// which the SVG and a 2D canvas (Path2D) both draw.
const ring = (x, y, r) => `M${x - r},${y}a${r},${r} 0 1,0 ${2 * r},0a${r},${r} 0 1,0 ${-2 * r},0`;
const cross = (x, y, r) => `M${x - r},${y - r}L${x + r},${y + r}M${x - r},${y + r}L${x + r},${y - r}`;
const line = (points) => `M${points.map((p) => p.join(',')).join('L')}`;

// Everything to draw: strokes ({ d, kind: 'path' | 'link' | 'ring' | 'strong' | 'cross' }) and
// texts ({ kind: 'text', x, y, text }); lines first, then the marked spots, then their labels, placed around all
// of the spots.
//   corners  the 32 corners, { cube, vertex, x, y }
//   chosen   'cube-N' (its eight corners) or 'vertex-N' (on all four cubes), or null
//   check    { vertex, program: [x, y], predicted: [x, y] }, or null
function overlayMarks(corners, chosen, check) {
  const lines = [];
  const spots = []; // { d, kind, x, y, r, text }
  if (chosen) {
    const [kind, index] = chosen.split('-');
    const byVertex = kind === 'vertex';
    // A corner the camera cannot place (a NaN vertex) is not named.
    const named = corners.filter((c) => (byVertex ? c.vertex : c.cube) === Number(index) && Number.isFinite(c.x + c.y));
    if (byVertex) {
      lines.push({ kind: 'path', d: line([...named].sort((a, b) => a.cube - b.cube).map((c) => [c.x, c.y])) });
    }
    for (const [first, ...rest] of sameSpotGroups(named)) {
      spots.push({ kind: 'ring', d: ring(first.x, first.y, 5), x: first.x, y: first.y, r: 5, text: groupText([first, ...rest], byVertex) });
    }
  }
  if (check && check.program.every(Number.isFinite)) {
    const [px, py] = check.program;
    // Named unless a label already names that corner.
    const named = spots.some((spot) => Math.hypot(spot.x - px, spot.y - py) < sameSpot);
    spots.push({ kind: 'strong', d: ring(px, py, 8), x: px, y: py, r: 8, text: named ? null : `V${check.vertex} (program)` });
    const [sx, sy] = check.predicted;
    const { width, height } = overlaySize;
    if (Number.isFinite(sx + sy) && sx > -width && sx < 2 * width && sy > -height && sy < 2 * height) {
      lines.push({ kind: 'link', d: line([[px, py], [sx, sy]]) });
      spots.push({ kind: 'cross', d: cross(sx, sy, 6), x: sx, y: sy, r: 6, text: 'vase predvidjanje' });
    }
  }
  const taken = spots.map((spot) => ({ x: spot.x - spot.r - 1, y: spot.y - spot.r - 1, w: 2 * spot.r + 2, h: 2 * spot.r + 2 }));
  const labels = spots.filter((spot) => spot.text).map((spot) => placeLabel(spot.x, spot.y, spot.text, taken));
  return [...lines, ...spots, ...labels];
}

// One mark as an SVG element (styled by the page's sheet).
function svgMark(mark) {
  const node = document.createElementNS('http://www.w3.org/2000/svg', mark.d ? 'path' : 'text');
  if (mark.d) {
    node.setAttribute('d', mark.d);
    node.setAttribute('class', mark.kind);
  } else {
    node.setAttribute('x', mark.x);
    node.setAttribute('y', mark.y);
    node.textContent = mark.text;
  }
  return node;
}

// The marks on a 2D canvas of the picture's size, as the SVG shows them.
function drawMarks(context, marks) {
  context.font = `${overlaySize.fontSize}px sans-serif`;
  context.lineJoin = 'round';
  for (const mark of marks) {
    context.strokeStyle = mark.d ? '#111' : '#fff';
    context.lineWidth = { strong: 2.5, text: 3 }[mark.kind] ?? 1.5;
    context.setLineDash({ path: [5, 4], link: [2, 3] }[mark.kind] ?? []);
    if (mark.d) {
      context.stroke(new Path2D(mark.d));
    } else {
      context.strokeText(mark.text, mark.x, mark.y);
      context.fillStyle = '#111';
      context.fillText(mark.text, mark.x, mark.y);
    }
  }
}

// The overlay `svg`, shown or not as the checkbox `shown` says, naming what the select
// `which` chooses (one cube's eight corners, the starting cube's at first, or one vertex on
// all four cubes).
function makePictureOverlay(svg, { shown, which }) {
  const optionGroup = (label, options) => {
    const choices = document.createElement('optgroup');
    choices.label = label;
    choices.append(...options);
    return choices;
  };
  const vertexLabels = [0, 1, 2, 3, 4, 5, 6, 7];
  which.append(optionGroup('sva temena jedne kocke', cubeNames.map((name, c) => new Option(`${name} kocka`, `cube-${c}`))),
    optionGroup('jedno teme na sve cetiri kocke', vertexLabels.map((v) => new Option(`V${v}`, `vertex-${v}`))));
  let corners = [];
  let check = null;

  const marks = () => overlayMarks(corners, shown.checked && corners.length > 0 ? which.value : null, check);
  function render() {
    svg.replaceChildren(...marks().map(svgMark));
  }
  shown.addEventListener('change', render);
  which.addEventListener('change', render);

  return {
    // All 32 corners, { cube, vertex, x, y }, once the picture is drawn.
    setCorners(all) {
      corners = all;
      render();
    },
    // The program's corner and the student's point, in canvas pixels; null to clear.
    setCheck(marked) {
      check = marked;
      render();
    },
    showVertex(vertex) {
      which.value = `vertex-${vertex}`;
      shown.checked = true;
      render();
    },
    // The same marks on a 2D canvas of the picture's size, for the saved PNG.
    drawOn(context) {
      drawMarks(context, marks());
    },
  };
}

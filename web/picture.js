// What the page draws over the picture, never into it: the names of the corners (the eight
// corners of one cube, or one vertex on all four cubes with the path it takes through the
// turns) and, after a check, the student's point beside the program's corner. Positions are
// the program's own (its camera, through the page's exports), in the canvas's 1024x700
// drawing-buffer pixels; the overlay is an SVG over the canvas with that viewBox, so it
// scales with the picture, and the same marks can be drawn onto a saved PNG.
/* global cubeNames */
/* exported makePictureOverlay */
'use strict';

function makePictureOverlay(svg, { shown, which }) {
  // What to name: one cube's eight corners (the starting cube's at first), or one vertex on
  // all four cubes.
  const optionGroup = (label, options) => {
    const choices = document.createElement('optgroup');
    choices.label = label;
    choices.append(...options);
    return choices;
  };
  const vertexLabels = [0, 1, 2, 3, 4, 5, 6, 7];
  which.append(optionGroup('sva temena jedne kocke', cubeNames.map((name, c) => new Option(`${name} kocka`, `cube-${c}`))),
    optionGroup('jedno teme na sve cetiri kocke', vertexLabels.map((v) => new Option(`V${v}`, `vertex-${v}`))));
  const width = 1024;
  const height = 700;
  const fontSize = 13;
  const sameSpot = 4; // corners closer than a drawn point's size share one label
  let corners = [];
  let check = null;

  // Corners that land on the same spot, as groups in drawing order.
  function groups(chosen) {
    const found = [];
    for (const corner of chosen) {
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
  // before and stays inside the picture (its width estimated from its length).
  function placeLabel(x, y, text, taken) {
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

  // Everything to draw, as plain marks that both the SVG and a 2D canvas can draw: lines
  // first, then the marked spots, then their labels, placed around all of the spots.
  function marks() {
    const lines = [];
    const spots = []; // { kind: 'ring' | 'cross', x, y, r, strong, text }
    if (shown.checked && corners.length > 0) {
      const [kind, index] = which.value.split('-');
      const byVertex = kind === 'vertex';
      // A corner the camera cannot place (a NaN vertex) is not named.
      const chosen = corners.filter((c) => (byVertex ? c.vertex : c.cube) === Number(index) && Number.isFinite(c.x + c.y));
      if (byVertex) {
        lines.push({ kind: 'path', points: [...chosen].sort((a, b) => a.cube - b.cube).map((c) => [c.x, c.y]) });
      }
      for (const group of groups(chosen)) {
        spots.push({ kind: 'ring', x: group[0].x, y: group[0].y, r: 5, text: groupText(group, byVertex) });
      }
    }
    if (check && check.program.every(Number.isFinite)) {
      const [px, py] = check.program;
      // Named unless a label already names that corner.
      const named = spots.some((spot) => Math.hypot(spot.x - px, spot.y - py) < sameSpot);
      spots.push({ kind: 'ring', x: px, y: py, r: 8, strong: true, text: named ? null : `V${check.vertex} (program)` });
      const [sx, sy] = check.predicted;
      if (Number.isFinite(sx + sy) && sx > -width && sx < 2 * width && sy > -height && sy < 2 * height) {
        lines.push({ kind: 'link', points: [[px, py], [sx, sy]] });
        spots.push({ kind: 'cross', x: sx, y: sy, r: 6, text: 'vase predvidjanje' });
      }
    }
    const taken = spots.map((spot) => ({ x: spot.x - spot.r - 1, y: spot.y - spot.r - 1, w: 2 * spot.r + 2, h: 2 * spot.r + 2 }));
    const labels = spots.filter((spot) => spot.text).map((spot) => placeLabel(spot.x, spot.y, spot.text, taken));
    return [...lines, ...spots, ...labels];
  }

  const ns = 'http://www.w3.org/2000/svg';
  function svgMark(mark) {
    const e = (tag, attributes) => {
      const node = document.createElementNS(ns, tag);
      for (const [name, value] of Object.entries(attributes)) {
        node.setAttribute(name, String(value));
      }
      return node;
    };
    switch (mark.kind) {
      case 'ring':
        return e('circle', { cx: mark.x, cy: mark.y, r: mark.r, class: mark.strong ? 'ring strong' : 'ring' });
      case 'cross':
        return e('path', { d: `M${mark.x - mark.r},${mark.y - mark.r}L${mark.x + mark.r},${mark.y + mark.r}` +
          `M${mark.x - mark.r},${mark.y + mark.r}L${mark.x + mark.r},${mark.y - mark.r}`, class: 'cross' });
      case 'path':
      case 'link':
        return e('polyline', { points: mark.points.map((p) => p.join(',')).join(' '), class: mark.kind });
      default: {
        const text = e('text', { x: mark.x, y: mark.y });
        text.textContent = mark.text;
        return text;
      }
    }
  }

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
      context.save();
      context.font = `${fontSize}px sans-serif`;
      context.lineJoin = 'round';
      for (const mark of marks()) {
        context.beginPath();
        if (mark.kind === 'text') {
          context.lineWidth = 3;
          context.strokeStyle = '#fff';
          context.strokeText(mark.text, mark.x, mark.y);
          context.fillStyle = '#111';
          context.fillText(mark.text, mark.x, mark.y);
          continue;
        }
        context.strokeStyle = '#111';
        context.lineWidth = mark.strong ? 2.5 : 1.5;
        context.setLineDash({ path: [5, 4], link: [2, 3] }[mark.kind] ?? []);
        if (mark.kind === 'ring') {
          context.arc(mark.x, mark.y, mark.r, 0, 2 * Math.PI);
        } else if (mark.kind === 'cross') {
          context.moveTo(mark.x - mark.r, mark.y - mark.r);
          context.lineTo(mark.x + mark.r, mark.y + mark.r);
          context.moveTo(mark.x - mark.r, mark.y + mark.r);
          context.lineTo(mark.x + mark.r, mark.y - mark.r);
        } else {
          mark.points.forEach(([x, y], i) => (i === 0 ? context.moveTo(x, y) : context.lineTo(x, y)));
        }
        context.stroke();
      }
      context.restore();
    },
  };
}

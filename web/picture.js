// The marks of overlay_marks.js over the picture, never in it: an SVG laid over the canvas
// with the canvas's drawing-buffer pixels as its viewBox, so that they scale with it, and
// the same marks on a 2D canvas for the saved PNG.
import { baseFontSize, overlayMarks, pictureSize } from './overlay_marks.js';

const smallestLabel = 12; // CSS pixels: a label much smaller is not read on a phone

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

// The marks on a 2D canvas of the picture's size, as the SVG shows them at its own size.
function drawMarks(context, marks) {
  context.font = `${baseFontSize}px sans-serif`;
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
// all four cubes). `names()` gives the words of the labels (see overlayMarks) and of the
// select's options: `choices` (the four cubes), `eachCube` and `eachVertex` (their groups).
export function makePictureOverlay(svg, { shown, which }, names) {
  let corners = [];
  let check = null;
  let scale = 1;
  let drawn = 4; // the cubes the picture shows now: fewer while the turns are in motion

  function fillChoices() {
    const { choices, eachCube, eachVertex } = names();
    const group = (label, options) => {
      const optgroup = document.createElement('optgroup');
      optgroup.label = label;
      optgroup.append(...options);
      return optgroup;
    };
    const value = which.value || 'cube-0';
    which.replaceChildren(group(eachCube, choices.map((name, c) => new Option(name, `cube-${c}`))),
      group(eachVertex, [0, 1, 2, 3, 4, 5, 6, 7].map((v) => new Option(`V${v}`, `vertex-${v}`))));
    which.value = value;
  }

  const marks = (at) => overlayMarks(corners.filter((c) => c.cube < drawn), shown.checked && corners.length > 0 ? which.value : null,
    check, names(), at);
  function render() {
    svg.style.setProperty('--k', String(scale));
    svg.replaceChildren(...marks(scale).map(svgMark));
  }
  // Shown smaller than its drawing buffer, the picture gets larger marks, so that a label is
  // never under the smallest readable size.
  new ResizeObserver(([entry]) => {
    const width = entry.contentRect.width;
    const wanted = width > 0 ? Math.max(1, (smallestLabel * pictureSize.width) / (baseFontSize * width)) : 1;
    if (Math.abs(wanted - scale) > 0.01) {
      scale = wanted;
      render();
    }
  }).observe(svg);
  shown.addEventListener('change', render);
  which.addEventListener('change', render);
  fillChoices();

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
    // Only the first `count` cubes are named: the others are not drawn now.
    setCubesDrawn(count) {
      if (count !== drawn) {
        drawn = count;
        render();
      }
    },
    showVertex(vertex) {
      which.value = `vertex-${vertex}`;
      shown.checked = true;
      render();
    },
    // The words changed: the choices and the labels again.
    relabel() {
      fillChoices();
      render();
    },
    // The marks at the picture's own size on a 2D canvas of that size, for the saved PNG.
    drawOn(context) {
      drawMarks(context, marks(1));
    },
  };
}

// The numbers behind the picture, in tables under it: the angles, the three matrices, V0..V7
// of the four cubes, and the product Rz·Ry·Rx. Built empty when the page loads and filled as
// the program finishes each step; every figure the program's own float, but the product's,
// which is worked out here.
import { floatText } from './float_text.js';
import { say, sayWith, words } from './language.js';

const axes = ['X', 'Y', 'Z'];
const swatches = ['red', 'blue', 'green', 'yellow'];

function element(tag, attributes = {}, ...children) {
  const e = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    e.setAttribute(name, value);
  }
  // Named at once: the page names its own elements only when the language changes.
  if (attributes['data-label']) {
    e.setAttribute('aria-label', say(attributes['data-label']));
  }
  e.append(...children);
  return e;
}

// An element whose text is the table entry `key` (with `values`), so that it follows the
// page's language.
function worded(tag, attributes, key, values) {
  const e = element(tag, attributes, say(key, values));
  e.dataset.text = key;
  return e;
}

// Rz·Ry·Rx from the three float matrices, in double.
function product(turns) {
  const times = (a, b) => Array.from({ length: 9 }, (_, k) => {
    const i = Math.floor(k / 3);
    const j = k % 3;
    return a[3 * i] * b[j] + a[3 * i + 1] * b[3 + j] + a[3 * i + 2] * b[6 + j];
  });
  return times(turns[2].matrix, times(turns[1].matrix, turns[0].matrix));
}

// How far, at most, the yellow cube lies from `matrix` applied to the red one.
function largestDifference(matrix, red, yellow) {
  let largest = 0;
  red.forEach((v, label) => {
    for (let i = 0; i < 3; ++i) {
      const exact = matrix[3 * i] * v[0] + matrix[3 * i + 1] * v[1] + matrix[3 * i + 2] * v[2];
      largest = Math.max(largest, Math.abs(exact - yellow[label][i]));
    }
  });
  return largest;
}

export function makeNumberTables(container) {
  function matrixTable(id) {
    const cells = [];
    // Headers left empty: word() names them.
    const head = element('tr', {}, element('td'), ...[1, 2, 3].map(() => element('th', { scope: 'col' })));
    const rows = [0, 1, 2].map(() => element('tr', {}, element('th', { scope: 'row' }),
      ...[0, 1, 2].map(() => { const td = element('td'); cells.push(td); return td; })));
    const title = element('caption');
    return { table: element('table', { id }, title, element('thead', {}, head), element('tbody', {}, ...rows)), title, cells };
  }

  // Built once, empty: filling them later costs only text changes.
  const angleHead = element('tr', {}, worded('th', { scope: 'col' }, 'step'),
    worded('th', { scope: 'col' }, 'degreesRead'), worded('th', { scope: 'col' }, 'radiansUsed'));
  const angleCells = axes.map(() => [element('td'), element('td')]);
  const stepNames = axes.map(() => element('th', { scope: 'row' }));
  container.append(element('table', { id: 'angles' }, worded('caption', {}, 'anglesCaption'),
    element('thead', {}, angleHead), element('tbody', {}, ...angleCells.map((cells, step) => element('tr', {},
      stepNames[step], ...cells)))));

  const matrices = axes.map((axis) => matrixTable(`matrix-${axis.toLowerCase()}`));
  container.append(element('div', { class: 'grid' }, ...matrices.map((m) => m.table)));

  // V0..V7 of the four cubes, a column group per cube; each vertex's header is a button that
  // marks that vertex on the picture.
  const cubeHeads = swatches.map((_, c) => element('th', { scope: 'colgroup', colspan: '3', id: `cube-${c}` }));
  const axisRow = element('tr', {}, element('td'), ...swatches.flatMap((_, c) => ['x', 'y', 'z'].map((a) =>
    element('th', { scope: 'col', id: `cube-${c}-${a}` }, a))));
  const vertexCells = swatches.map(() => []);
  const vertexButtons = [];
  const vertexRows = [0, 1, 2, 3, 4, 5, 6, 7].map((label) => {
    const button = element('button', { type: 'button', class: 'vertex', 'data-vertex': String(label) }, `V${label}`);
    vertexButtons.push(button);
    return element('tr', {}, element('th', { scope: 'row', id: `vertex-${label}` }, button),
      ...swatches.flatMap((_, c) => ['x', 'y', 'z'].map((a) => {
        const td = element('td', { headers: `cube-${c} vertex-${label} cube-${c}-${a}` });
        vertexCells[c].push(td);
        return td;
      })));
  });
  const verticesRegion = element('div', { class: 'scroll', tabindex: '0', role: 'region', 'data-label': 'verticesRegion' },
    element('table', { id: 'vertices' }, worded('caption', {}, 'verticesCaption'),
      element('col'), ...swatches.map(() => element('colgroup', { span: '3' })),
      element('thead', {}, element('tr', {}, element('td'), ...cubeHeads), axisRow), element('tbody', {}, ...vertexRows)));
  container.append(verticesRegion);

  const productTable = matrixTable('matrix-product');
  // Rz·Ry·Rx, each factor apart, so that the one in play can be lit up.
  const factors = ['Rz', 'Ry', 'Rx'].map((name) => element('span', { class: 'factor' }, name));
  const note = element('p', { id: 'product-note', class: 'note' });
  container.append(productTable.table, note);

  // What the tables show so far: each turn (degrees, radians, matrix) and each cube's
  // vertices by label.
  const shown = { turns: [], vertices: [] };

  // The texts that carry values or are built here, in the page's language.
  function word() {
    stepNames.forEach((th, step) => { th.textContent = say('aboutAxis', { step: step + 1, axis: axes[step] }); });
    cubeHeads.forEach((th, c) => {
      th.replaceChildren(element('span', { class: `swatch ${swatches[c]}`, 'aria-hidden': 'true' }),
        say('cubeHead', { cube: words('cubes')[c], what: words('cubeWhat')[c] }));
    });
    vertexButtons.forEach((button, label) => { button.title = say('markVertex', { vertex: `V${label}` }); });
    for (const table of [...matrices, productTable]) {
      table.table.querySelectorAll('thead th').forEach((th, j) => { th.textContent = say('column', { n: j + 1 }); });
      table.table.querySelectorAll('tbody th').forEach((th, i) => { th.textContent = say('row', { n: i + 1 }); });
    }
    [0, 1, 2].forEach(sayMatrix);
    productTable.title.replaceChildren(...sayWith('productCaption', {}, {
      product: element('span', {}, factors[0], '\u00b7', factors[1], '\u00b7', factors[2]),
    }));
    sayProduct();
  }
  // What a step or the product changes, alone: the tables fill while the program runs.
  function sayMatrix(step) {
    const turn = shown.turns[step];
    const axis = axes[step];
    matrices[step].title.textContent = turn
      ? say('matrixCaptionRead', { axis: axis.toLowerCase(), AXIS: axis, degrees: floatText(turn.degrees) })
      : say('matrixCaption', { axis: axis.toLowerCase(), AXIS: axis });
  }
  function sayProduct() {
    if (shown.largest !== undefined) {
      const largest = shown.largest === 0 ? '0' : shown.largest.toPrecision(2).replace(/-/g, '\u2212');
      note.textContent = say('productNote', { largest });
    }
  }
  word();

  return {
    shown,
    word,
    showCube(c, vertices) {
      shown.vertices[c] = vertices;
      vertices.forEach((vertex, label) => vertex.forEach((x, i) => {
        vertexCells[c][3 * label + i].textContent = floatText(x);
      }));
    },
    showTurn(step, turn) {
      shown.turns[step] = turn;
      angleCells[step][0].textContent = floatText(turn.degrees);
      angleCells[step][1].textContent = floatText(turn.radians);
      turn.matrix.forEach((x, k) => { matrices[step].cells[k].textContent = floatText(x); });
      sayMatrix(step);
    },
    // Once all three steps are shown: the three turns as one matrix, and how far the
    // program's yellow cube is from it.
    showProduct() {
      const matrix = product(shown.turns);
      matrix.forEach((x, k) => { productTable.cells[k].textContent = floatText(Math.fround(x)); });
      shown.largest = largestDifference(matrix, shown.vertices[0], shown.vertices[3]);
      sayProduct();
    },
    // The matrix of the turn in play and its factor in Rz·Ry·Rx lit up: 0 X, 1 Y, 2 Z, or
    // -1 for none.
    highlight(axis) {
      matrices.forEach((m, i) => m.table.classList.toggle('in-play', i === axis));
      factors.forEach((factor, i) => factor.classList.toggle('in-play', 2 - i === axis));
    },
    // The tables as tab-separated text with ASCII minus signs and decimal points, for a
    // spreadsheet.
    asText() {
      const { turns, vertices } = shown;
      const [stepHead, degreesHead, radiansHead, vertexHead] = words('copyHeads');
      const row = (cells) => cells.join('\t');
      const numbers = (values) => values.map((x) => floatText(x, true));
      const matrixRows = (name, m) => [name, ...[0, 1, 2].map((i) => row(numbers(m.slice(3 * i, 3 * i + 3))))];
      return [
        row([stepHead, degreesHead, radiansHead]),
        ...turns.map((turn, step) => row([axes[step], ...numbers([turn.degrees, turn.radians])])), '',
        ...turns.flatMap((turn, step) => [...matrixRows(`R${axes[step].toLowerCase()}`, turn.matrix), '']),
        row([vertexHead, ...words('cubeNames').flatMap((name) => ['x', 'y', 'z'].map((a) => `${name} ${a}`))]),
        ...vertices[0].map((_, label) => row([`V${label}`, ...vertices.flatMap((cube) => numbers(cube[label]))])), '',
        ...matrixRows('Rz*Ry*Rx', product(turns).map((x) => Math.fround(x))),
      ].join('\n');
    },
  };
}

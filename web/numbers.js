// The numbers behind the picture: each figure as the shortest decimal that reads back to
// the program's 32-bit float, and the tables under the picture (the angles, the three
// matrices, V0..V7 of the four cubes, and the product Rz·Ry·Rx), built empty when the page
// loads and filled as the program finishes each step.
/* exported floatText, cubeNames, makeNumberTables */
'use strict';

// The shortest decimal that reads back to the same 32-bit float, with a true minus sign
// for the eye (`forCopy` keeps the ASCII one, which spreadsheets read).
function floatText(x, forCopy = false) {
  let text;
  if (Number.isNaN(x)) {
    text = 'NaN';
  } else if (!Number.isFinite(x)) {
    text = x > 0 ? 'Infinity' : '-Infinity';
  } else if (x === 0) {
    text = Object.is(x, -0) ? '-0' : '0';
  } else {
    for (let digits = 1; digits <= 9; ++digits) {
      text = String(Number(x.toPrecision(digits)));
      if (Math.fround(Number(text)) === x) {
        break;
      }
    }
  }
  return forCopy ? text : text.replace(/-/g, '\u2212');
}

// The four cubes by index: the starting one, then one per turn.
const cubeNames = ['crvena', 'plava', 'zelena', 'zuta'];

function makeNumberTables(container) {
  const axes = ['X', 'Y', 'Z'];
  const cubes = [
    { swatch: 'red', what: 'pocetna' },
    { swatch: 'blue', what: 'posle X' },
    { swatch: 'green', what: 'posle Y' },
    { swatch: 'yellow', what: 'posle Z' },
  ];

  function element(tag, attributes = {}, ...children) {
    const e = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) {
      e.setAttribute(name, value);
    }
    e.append(...children);
    return e;
  }

  function matrixTable(id, caption) {
    const cells = [];
    const head = element('tr', {}, element('td'), ...[1, 2, 3].map((j) => element('th', { scope: 'col' }, `kolona ${j}`)));
    const rows = [0, 1, 2].map((i) => element('tr', {}, element('th', { scope: 'row' }, `red ${i + 1}`),
      ...[0, 1, 2].map(() => { const td = element('td'); cells.push(td); return td; })));
    const title = element('caption', {}, caption);
    return { table: element('table', { id }, title, element('thead', {}, head), element('tbody', {}, ...rows)), title, cells };
  }

  // Built once, empty: filling them later costs only text changes.
  const angleHead = element('tr', {}, element('th', { scope: 'col' }, 'korak'),
    element('th', { scope: 'col' }, 'ugao u stepenima (procitan)'),
    element('th', { scope: 'col' }, 'ugao u radijanima (za rotaciju)'));
  const angleCells = axes.map(() => [element('td'), element('td')]);
  container.append(element('table', { id: 'angles' }, element('caption', {}, 'Uglovi koje je program procitao'),
    element('thead', {}, angleHead), element('tbody', {}, ...angleCells.map((cells, step) => element('tr', {},
      element('th', { scope: 'row' }, `${step + 1}: oko ${axes[step]} ose`), ...cells)))));

  const matrices = axes.map((axis) => matrixTable(`matrix-${axis.toLowerCase()}`, `R${axis.toLowerCase()}: rotacija oko ${axis} ose`));
  container.append(element('div', { class: 'grid' }, ...matrices.map((m) => m.table)));

  // V0..V7 of the four cubes, a column group per cube; each vertex's header is a button that
  // marks that vertex on the picture.
  const groupRow = element('tr', {}, element('td'), ...cubes.map((cube, c) => element('th',
    { scope: 'colgroup', colspan: '3', id: `cube-${c}` },
    element('span', { class: `swatch ${cube.swatch}`, 'aria-hidden': 'true' }), `${cubeNames[c]} kocka (${cube.what})`)));
  const axisRow = element('tr', {}, element('td'), ...cubes.flatMap((_, c) => ['x', 'y', 'z'].map((a) =>
    element('th', { scope: 'col', id: `cube-${c}-${a}` }, a))));
  const vertexCells = cubes.map(() => []);
  const vertexRows = [0, 1, 2, 3, 4, 5, 6, 7].map((label) => element('tr', {},
    element('th', { scope: 'row', id: `vertex-${label}` },
      element('button', { type: 'button', class: 'vertex', 'data-vertex': String(label), title: `Oznaci V${label} na slici` }, `V${label}`)),
    ...cubes.flatMap((_, c) => ['x', 'y', 'z'].map((a) => {
      const td = element('td', { headers: `cube-${c} vertex-${label} cube-${c}-${a}` });
      vertexCells[c].push(td);
      return td;
    }))));
  container.append(element('div', { class: 'scroll', tabindex: '0', role: 'region', 'aria-label': 'Temena kocki' },
    element('table', { id: 'vertices' }, element('caption', {}, 'Temena cetiri kocke (V0 do V7)'),
      element('col'), ...cubes.map(() => element('colgroup', { span: '3' })),
      element('thead', {}, groupRow, axisRow), element('tbody', {}, ...vertexRows))));

  const productTable = matrixTable('matrix-product', 'Rz\u00b7Ry\u00b7Rx: tri rotacije kao jedna matrica');
  const note = element('p', { id: 'product-note', class: 'note' });
  container.append(productTable.table, note);

  // What the tables show so far: each turn (degrees, radians, matrix) and each cube's
  // vertices by label.
  const shown = { turns: [], vertices: [] };

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

  return {
    shown,
    showCube(c, vertices) {
      shown.vertices[c] = vertices;
      vertices.forEach((vertex, label) => vertex.forEach((x, i) => {
        vertexCells[c][3 * label + i].textContent = floatText(x);
      }));
    },
    showTurn(step, turn) {
      const axis = axes[step];
      shown.turns[step] = turn;
      angleCells[step][0].textContent = floatText(turn.degrees);
      angleCells[step][1].textContent = floatText(turn.radians);
      const m = matrices[step];
      m.title.textContent = `R${axis.toLowerCase()}: rotacija oko ${axis} ose za ${floatText(turn.degrees)}\u00b0`;
      turn.matrix.forEach((x, k) => { m.cells[k].textContent = floatText(x); });
    },
    // Once all three steps are shown: the three turns as one matrix, and how far the
    // program's yellow cube is from it.
    showProduct() {
      const matrix = product(shown.turns);
      matrix.forEach((x, k) => { productTable.cells[k].textContent = floatText(Math.fround(x)); });
      const largest = largestDifference(matrix, shown.vertices[0], shown.vertices[3]);
      note.textContent = 'Zuta kocka je ova matrica primenjena na crvenu kocku, do na zaokruzivanje ' +
        `32-bitnih brojeva: za ove odgovore se koordinate razlikuju najvise za ${largest === 0 ? '0'
          : largest.toPrecision(2).replace(/-/g, '\u2212')}.`;
    },
    // The tables as tab-separated text, with ASCII minus signs, for a spreadsheet.
    asText() {
      const { turns, vertices } = shown;
      const row = (cells) => cells.join('\t');
      const numbers = (values) => values.map((x) => floatText(x, true));
      const matrixRows = (name, m) => [name, ...[0, 1, 2].map((i) => row(numbers(m.slice(3 * i, 3 * i + 3))))];
      return [
        row(['korak', 'stepeni', 'radijani']),
        ...turns.map((turn, step) => row([axes[step], ...numbers([turn.degrees, turn.radians])])), '',
        ...turns.flatMap((turn, step) => [...matrixRows(`R${axes[step].toLowerCase()}`, turn.matrix), '']),
        row(['teme', ...cubeNames.flatMap((name) => ['x', 'y', 'z'].map((a) => `${name} ${a}`))]),
        ...vertices[0].map((_, label) => row([`V${label}`, ...cubes.flatMap((cube, c) => numbers(vertices[c][label]))])), '',
        ...matrixRows('Rz*Ry*Rx', product(turns).map((x) => Math.fround(x))),
      ].join('\n');
    },
  };
}

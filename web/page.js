// The page around the program: its console pane, the answers in the link, the buttons, the
// failures said in words, and the one status object that anyone checking the page reads.
// The program itself is cube-rotation.js, loaded before this script, which defines
// createCubeRotation(options); this script is the only one that starts it and the only one
// that hands it Emscripten's hooks.
//
// window.cubeRotation, the page's status:
//   started      the program's code is loaded and running
//   reading      the program waits for a line
//   queued       lines of the link still to be typed for the user
//   windowOpen   the first frame is drawn: the program reads no more
//   firstFrameAt when it was drawn, in milliseconds since the page began to load
//   failed       what went wrong, in words, or null
//   written      every chunk of bytes the program wrote, in order (Uint8Arrays)
//   sentLines    every line sent to the program, without its newline
'use strict';

(function () {
  const byId = (id) => document.getElementById(id);
  const canvas = byId('canvas');

  // The console pane. It shows what the program writes, exactly as written, and hands the
  // program what the user types, a line at a time, the way a terminal does: Enter sends the
  // line and a newline, a paste sends each of its complete lines, and Ctrl-D ends the input
  // (on an empty line; on a non-empty one it sends the line without a newline). Everything
  // is inserted as text, never as HTML.
  function makeTerminal(transcript, line, hint, onAsk) {
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();
    const written = [];
    const sentLines = [];
    const toType = []; // lines to type, one each time the program waits with nothing to read
    let pending = new Uint8Array(0); // sent by the user, not yet read by the program
    let ended = false;
    let wakeReader = null;
    let scrollPending = false;

    // Keeps the line in view; once a frame, since scrolling makes the browser lay out the page.
    function show(text) {
      transcript.appendChild(document.createTextNode(text));
      if (!scrollPending) {
        scrollPending = true;
        requestAnimationFrame(() => {
          scrollPending = false;
          line.scrollIntoView({ block: 'nearest' });
        });
      }
    }

    function wake() {
      if (wakeReader && (pending.length > 0 || ended)) {
        const resolve = wakeReader;
        wakeReader = null;
        resolve();
      }
    }

    function send(text) {
      sentLines.push(text.replace(/\n$/, ''));
      show(text); // the echo stays in the transcript, as on a console
      const bytes = encoder.encode(text);
      const joined = new Uint8Array(pending.length + bytes.length);
      joined.set(pending);
      joined.set(bytes, pending.length);
      pending = joined;
      wake();
    }

    function close(note) {
      line.disabled = true;
      hint.textContent = note;
    }

    // Sends each complete line of `text` typed at the caret; the rest stays on the line.
    function insertLines(text) {
      const start = line.selectionStart;
      const whole = line.value.slice(0, start) + text + line.value.slice(line.selectionEnd);
      const lines = whole.replace(/\r\n?/g, '\n').split('\n');
      const rest = lines.pop();
      for (const complete of lines) {
        send(`${complete}\n`);
      }
      line.value = rest;
      line.setSelectionRange(rest.length, rest.length);
    }

    line.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') {
        event.preventDefault();
        send(`${line.value}\n`);
        line.value = '';
      } else if (event.ctrlKey && (event.key === 'd' || event.key === 'D')) {
        event.preventDefault();
        if (line.value === '') {
          ended = true;
          close('Unos je zavrsen.');
          wake();
        } else {
          send(line.value);
          line.value = '';
        }
      }
    });
    line.addEventListener('paste', (event) => {
      event.preventDefault();
      insertLines(event.clipboardData.getData('text/plain'));
    });
    transcript.parentElement.addEventListener('click', () => {
      if (window.getSelection().isCollapsed) {
        line.focus();
      }
    });

    return {
      written,
      sentLines,
      close,
      typeWhenAsked(lines) {
        toType.push(...lines);
      },
      get reading() {
        return wakeReader !== null;
      },
      get queued() {
        return toType.length;
      },
      write(bytes) {
        written.push(bytes);
        show(decoder.decode(bytes, { stream: true }));
      },
      // Up to `size` bytes the user has sent, waiting for some; none once the input has ended.
      async read(size) {
        onAsk();
        if (pending.length === 0 && !ended && toType.length > 0) {
          send(`${toType.shift()}\n`);
        }
        while (pending.length === 0 && !ended) {
          await new Promise((resolve) => { wakeReader = resolve; });
        }
        const chunk = pending.slice(0, size);
        pending = pending.slice(chunk.length);
        return chunk;
      },
    };
  }

  // Each time the program asks for input, the steps it has finished are shown (after the
  // read has suspended it, so that its exports may be called).
  const terminal = makeTerminal(byId('transcript'), byId('line'), byId('hint'), () => setTimeout(showFinishedSteps));

  const status = {
    started: false,
    windowOpen: false,
    firstFrameAt: null,
    failed: null,
    get reading() { return terminal.reading; },
    get queued() { return terminal.queued; },
    written: terminal.written,
    sentLines: terminal.sentLines,
  };
  window.cubeRotation = status;

  // Says what went wrong and what to do, with the technical reason under it; the first
  // failure is the one worth telling.
  function fail(what, reason) {
    if (status.failed) {
      return;
    }
    status.failed = what;
    terminal.close('Program vise ne cita unos.');
    byId('numbers').hidden = true; // it would never be filled
    byId('failure-what').textContent = what;
    byId('failure-reason').textContent = `Tehnicki razlog: ${reason}`;
    byId('failure').hidden = false;
  }

  function failedToStart(reason) {
    if (location.protocol === 'file:') {
      fail('Program ne moze da se pokrene iz ove fascikle otvorene sa diska: pregledac ne dozvoljava ' +
        'stranici sa diska da ucita datoteku cube-rotation.wasm. Otvorite datoteku cube-rotation.html, ' +
        'koja sadrzi ceo program i radi i sa diska, ili posluzite ovu fasciklu veb serverom.', reason);
    } else {
      fail('Program nije mogao da se ucita. Proverite vezu i ucitajte stranicu ponovo.', reason);
    }
  }

  function stoppedAbnormally(reason) {
    if (!status.started) {
      failedToStart(reason);
    } else {
      fail('Program se neocekivano zaustavio. Pritisnite "Pokreni ponovo" da ga pokrenete iznova.', reason);
    }
  }

  // Anything the page did not expect is a failure worth telling.
  window.addEventListener('unhandledrejection', (event) => {
    stoppedAbnormally(String(event.reason?.message ?? event.reason));
  });
  window.addEventListener('error', (event) => {
    stoppedAbnormally(String(event.error?.message ?? event.message));
  });

  // Answers in the page's address: #30,45,60 is split on its commas into lines, each
  // URL-decoded after the split (so a comma inside one answer travels as %2C), and the lines
  // are typed for the user as the program asks, echoed like typed text; the user types on
  // once they run out. The fragment only ever reaches the program's input, as text.
  function answersInFragment(fragment) {
    const answers = fragment.replace(/^#/, '');
    if (answers === '') {
      return [];
    }
    return answers.split(',').map((part) => {
      try {
        return decodeURIComponent(part);
      } catch {
        return part; // a stray % is text like any other
      }
    });
  }

  function linkFor(lines) {
    return `${location.href.replace(/#.*$/, '')}#${lines.map(encodeURIComponent).join(',')}`;
  }

  // kocka-30-45-60.png for the answers 30, 45 and 60: the words of the lines sent, with
  // anything a file name should not hold left out.
  function pictureName(lines) {
    const words = lines.join(' ').split(/\s+/).map((word) => word.replace(/[^0-9A-Za-z.+-]/g, '')).filter(Boolean);
    return `${['kocka', ...words].join('-').slice(0, 100)}.png`;
  }

  // The scene lives as long as the program, so a fresh run is a fresh page: an empty one,
  // without the answers of the link it was opened from.
  byId('restart').addEventListener('click', () => {
    if (location.hash) {
      location.replace(location.href.replace(/#.*$/, ''));
    } else {
      location.reload();
    }
  });

  async function copyText(text) {
    try {
      await navigator.clipboard.writeText(text);
      return true;
    } catch {
      return false; // no clipboard here (a page from the disk, a browser that asks first)
    }
  }

  // A link to a file on this computer works only on it: from the disk, the page offers the
  // part after # to add to the page's address wherever it is put on the web.
  byId('share').addEventListener('click', async () => {
    const link = linkFor(terminal.sentLines);
    const fromDisk = location.protocol === 'file:';
    const text = fromDisk ? link.slice(link.indexOf('#')) : link;
    const copied = await copyText(text);
    const shared = byId('shared');
    shared.hidden = false;
    if (fromDisk) {
      shared.firstElementChild.textContent = 'Veza ka datoteci na ovom racunaru radi samo na njemu. Kad stranicu ' +
        `postavite na veb, dodajte njenoj adresi ovaj nastavak${copied ? ' (kopiran je)' : ''}: `;
    } else {
      shared.firstElementChild.textContent = copied ? 'Veza je kopirana: ' : 'Kopirajte vezu: ';
    }
    shared.lastElementChild.textContent = text;
  });

  // The picture with its key over the whole screen, for a projector; Esc returns.
  const picture = byId('picture');
  const fullscreenButton = byId('fullscreen');
  fullscreenButton.hidden = !document.fullscreenEnabled;
  fullscreenButton.addEventListener('click', () => {
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else {
      picture.requestFullscreen().catch(() => {});
    }
  });
  // Esc ends full screen in every browser; this also covers one that hands the key to the page.
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Escape' && document.fullscreenElement) {
      document.exitFullscreen();
    }
  });

  // WebGL clears the canvas once a frame is shown, so the picture is taken from a frame
  // drawn for it, right after the drawing.
  let program = null;
  let saveWanted = false;
  const saveButton = byId('save');
  saveButton.addEventListener('click', () => {
    saveWanted = true;
    program?._pageRedraw();
  });

  // After every frame GLUT draws: the first one means the window is open and the program
  // will read no more, so the input closes and the picture comes into view.
  function afterFrame() {
    if (!status.windowOpen) {
      status.windowOpen = true;
      terminal.close('Program vise ne cita unos; slika je ispod.');
      if (program?._pageTurn) {
        showFinishedSteps();
        showProduct();
      }
      canvas.scrollIntoView({ block: 'end' });
      saveButton.disabled = !program?._pageRedraw;
      status.firstFrameAt = performance.now();
    }
    if (saveWanted) {
      saveWanted = false;
      canvas.toBlob((blob) => {
        const link = document.createElement('a');
        link.href = URL.createObjectURL(blob);
        link.download = pictureName(terminal.sentLines);
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 10000);
      }, 'image/png');
    }
  }

  // --- The numbers behind the picture ------------------------------------------------

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

  const axes = ['X', 'Y', 'Z'];
  const cubes = [
    { name: 'crvena', swatch: 'red', what: 'pocetna' },
    { name: 'plava', swatch: 'blue', what: 'posle X' },
    { name: 'zelena', swatch: 'green', what: 'posle Y' },
    { name: 'zuta', swatch: 'yellow', what: 'posle Z' },
  ];

  // The program's own records, read through its exports: each turn (degrees, radians,
  // matrix) and each cube's vertices V0..V7.
  function readTurn(instance, step) {
    const fields = Array.from({ length: 11 }, (_, field) => instance._pageTurn(step, field));
    return { degrees: fields[0], radians: fields[1], matrix: fields.slice(2) };
  }

  function readCube(instance, cube) {
    const byLabel = [];
    for (let i = 0; i < 8; ++i) {
      byLabel[instance._pageVertexLabel(i)] = [0, 1, 2].map((axis) => instance._pagePoint(cube * 8 + i, axis));
    }
    return byLabel;
  }

  // Rz·Ry·Rx from the three float matrices, in double; and how far the yellow cube lies
  // from it applied to the red one.
  function product(turns) {
    const times = (a, b) => Array.from({ length: 9 }, (_, k) => {
      const i = Math.floor(k / 3);
      const j = k % 3;
      return a[3 * i] * b[j] + a[3 * i + 1] * b[3 + j] + a[3 * i + 2] * b[6 + j];
    });
    return times(turns[2].matrix, times(turns[1].matrix, turns[0].matrix));
  }

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

  function element(tag, attributes = {}, ...children) {
    const e = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) {
      e.setAttribute(name, value);
    }
    e.append(...children);
    return e;
  }

  // The tables are built once, empty, when the page loads, and only their figures are
  // written in when the picture is first drawn: so the first frame costs a few text changes.
  function matrixTable(id, caption) {
    const cells = [];
    const head = element('tr', {}, element('td'), ...[1, 2, 3].map((j) => element('th', { scope: 'col' }, `kolona ${j}`)));
    const rows = [0, 1, 2].map((i) => element('tr', {}, element('th', { scope: 'row' }, `red ${i + 1}`),
      ...[0, 1, 2].map(() => { const td = element('td'); cells.push(td); return td; })));
    const title = element('caption', {}, caption);
    return { table: element('table', { id }, title, element('thead', {}, head), element('tbody', {}, ...rows)), title, cells };
  }

  function buildTables() {
    const tables = byId('tables');
    const angleHead = element('tr', {}, element('th', { scope: 'col' }, 'korak'),
      element('th', { scope: 'col' }, 'ugao u stepenima (procitan)'),
      element('th', { scope: 'col' }, 'ugao u radijanima (za rotaciju)'));
    const angles = axes.map(() => [element('td'), element('td')]);
    tables.append(element('table', { id: 'angles' }, element('caption', {}, 'Uglovi koje je program procitao'),
      element('thead', {}, angleHead), element('tbody', {}, ...angles.map((cells, step) => element('tr', {},
        element('th', { scope: 'row' }, `${step + 1}: oko ${axes[step]} ose`), ...cells)))));

    const matrices = axes.map((axis) => matrixTable(`matrix-${axis.toLowerCase()}`, `R${axis.toLowerCase()}: rotacija oko ${axis} ose`));
    tables.append(element('div', { class: 'grid' }, ...matrices.map((m) => m.table)));

    // V0..V7 of the four cubes, a column group per cube.
    const groupRow = element('tr', {}, element('td'), ...cubes.map((cube, c) => element('th',
      { scope: 'colgroup', colspan: '3', id: `cube-${c}` },
      element('span', { class: `swatch ${cube.swatch}`, 'aria-hidden': 'true' }), `${cube.name} kocka (${cube.what})`)));
    const axisRow = element('tr', {}, element('td'), ...cubes.flatMap((_, c) => ['x', 'y', 'z'].map((a) =>
      element('th', { scope: 'col', id: `cube-${c}-${a}` }, a))));
    const vertices = cubes.map(() => []);
    const vertexRows = [0, 1, 2, 3, 4, 5, 6, 7].map((label) => element('tr', {},
      element('th', { scope: 'row', id: `vertex-${label}` }, `V${label}`),
      ...cubes.flatMap((_, c) => ['x', 'y', 'z'].map((a) => {
        const td = element('td', { headers: `cube-${c} vertex-${label} cube-${c}-${a}` });
        vertices[c].push(td);
        return td;
      }))));
    tables.append(element('div', { class: 'scroll', tabindex: '0', role: 'region', 'aria-label': 'Temena kocki' },
      element('table', { id: 'vertices' }, element('caption', {}, 'Temena cetiri kocke (V0 do V7)'),
        element('col'), ...cubes.map(() => element('colgroup', { span: '3' })),
        element('thead', {}, groupRow, axisRow), element('tbody', {}, ...vertexRows))));

    const product = matrixTable('matrix-product', 'Rz\u00b7Ry\u00b7Rx: tri rotacije kao jedna matrica');
    const note = element('p', { id: 'product-note', class: 'note' });
    tables.append(product.table, note);
    return { angles, matrices, vertices, product, note };
  }

  const numberCells = buildTables();

  // What the tables show so far: the red cube, then each step's turn and cube as the
  // program finishes it.
  const shownNumbers = { turns: [], vertices: [] };

  function showCube(c, vertices) {
    shownNumbers.vertices[c] = vertices;
    vertices.forEach((vertex, label) => vertex.forEach((x, i) => {
      numberCells.vertices[c][3 * label + i].textContent = floatText(x);
    }));
  }

  function showStep(step, turn, vertices) {
    const cells = numberCells;
    const axis = axes[step];
    shownNumbers.turns[step] = turn;
    byId(`key-${axis.toLowerCase()}`).textContent = `${axis} ${floatText(turn.degrees)}\u00b0`;
    cells.angles[step][0].textContent = floatText(turn.degrees);
    cells.angles[step][1].textContent = floatText(turn.radians);
    const m = cells.matrices[step];
    m.title.textContent = `R${axis.toLowerCase()}: rotacija oko ${axis} ose za ${floatText(turn.degrees)}\u00b0`;
    turn.matrix.forEach((x, k) => { m.cells[k].textContent = floatText(x); });
    showCube(step + 1, vertices);
  }

  // The steps the program has finished and the tables do not show yet: the scene holds
  // eight points for the red cube and eight more for each finished step.
  function showFinishedSteps() {
    if (!program?._pagePointCount) {
      return;
    }
    const finished = Math.min(3, program._pagePointCount() / 8 - 1);
    if (finished >= 0 && !shownNumbers.vertices[0]) {
      showCube(0, readCube(program, 0));
    }
    for (let step = shownNumbers.turns.length; step < finished; ++step) {
      showStep(step, readTurn(program, step), readCube(program, step + 1));
    }
  }

  // Once all three steps are shown: the three turns as one matrix, and how far the
  // program's yellow cube is from it.
  function showProduct() {
    const { turns, vertices } = shownNumbers;
    const matrix = product(turns);
    matrix.forEach((x, k) => { numberCells.product.cells[k].textContent = floatText(Math.fround(x)); });
    const largest = largestDifference(matrix, vertices[0], vertices[3]);
    numberCells.note.textContent = 'Zuta kocka je ova matrica primenjena na crvenu kocku, do na zaokruzivanje ' +
      `32-bitnih brojeva: za ove odgovore se koordinate razlikuju najvise za ${largest === 0 ? '0'
        : largest.toPrecision(2).replace(/-/g, '\u2212')}.`;
    byId('copy').disabled = false;
    byId('numbers-waiting').hidden = true;
    showCommaNote(turns);
  }

  // The tables as tab-separated text, with ASCII minus signs, for a spreadsheet.
  function tablesAsText({ turns, vertices }) {
    const row = (cells) => cells.join('\t');
    const numbers = (values) => values.map((x) => floatText(x, true));
    const matrixRows = (name, m) => [name, ...[0, 1, 2].map((i) => row(numbers(m.slice(3 * i, 3 * i + 3))))];
    return [
      row(['korak', 'stepeni', 'radijani']),
      ...turns.map((turn, step) => row([axes[step], ...numbers([turn.degrees, turn.radians])])), '',
      ...turns.flatMap((turn, step) => [...matrixRows(`R${axes[step].toLowerCase()}`, turn.matrix), '']),
      row(['teme', ...cubes.flatMap((cube) => ['x', 'y', 'z'].map((a) => `${cube.name} ${a}`))]),
      ...vertices[0].map((_, label) => row([`V${label}`, ...cubes.flatMap((_, c) => numbers(vertices[c][label]))])), '',
      ...matrixRows('Rz*Ry*Rx', product(turns).map((x) => Math.fround(x))),
    ].join('\n');
  }

  byId('copy').addEventListener('click', async () => {
    const text = byId('copy-text');
    text.value = tablesAsText(shownNumbers);
    const copied = await copyText(text.value);
    byId('copied').textContent = copied ? 'Tabele su kopirane.' : 'Kopirajte tekst ispod.';
    text.hidden = copied;
    if (!copied) {
      text.select();
    }
  });

  // A comma between digits reads as the end of the number: say what the program read.
  function showCommaNote(turns) {
    if (!terminal.sentLines.some((line) => /\d,\d/.test(line))) {
      return;
    }
    const read = turns.map((turn, step) => `${axes[step]} ${floatText(turn.degrees)}\u00b0`).join(', ');
    const note = byId('comma-note');
    note.textContent = `Decimalni separator je tacka, ne zarez (12.5, a ne 12,5). Program je procitao: ${read}.`;
    note.hidden = false;
  }

  // Without WebGL the window could never open: say so instead of asking the questions.
  const probe = document.createElement('canvas');
  if (!probe.getContext('webgl') && !probe.getContext('experimental-webgl')) {
    fail('Ovaj pregledac ne moze da crta WebGL, pa slika kocki ne moze da se prikaze. Ukljucite WebGL ' +
      '(hardversko ubrzanje) u podesavanjima pregledaca ili otvorite stranicu u drugom pregledacu.',
    'WebGL nije dostupan (getContext("webgl") je vratio null).');
    return;
  }

  // A page opened from the disk may not fetch its .wasm (Chromium and Firefox refuse), and
  // the browser keeps the reason from the page: the same fetch, tried here, tells.
  if (location.protocol === 'file:' && document.querySelector('script[src="cube-rotation.js"]')) {
    fetch('cube-rotation.wasm').then((response) => response.arrayBuffer())
      .catch((error) => failedToStart(`cube-rotation.wasm: ${error.message}`));
  }

  terminal.typeWhenAsked(answersInFragment(location.hash));
  if (typeof createCubeRotation !== 'function') {
    failedToStart('cube-rotation.js se nije ucitao.');
    return;
  }
  // main() runs as an asynchronous call, since its reads wait for the page. GLUT's event
  // loop ends it by throwing "unwind" once the window is up: that is its normal end.
  function runMain(instance) {
    program = instance;
    status.started = true;
    instance.ccall('main', 'number', ['number', 'number'], [0, 0], { async: true }).catch((error) => {
      if (error !== 'unwind') {
        stoppedAbnormally(String(error?.message ?? error));
      }
    });
  }

  createCubeRotation({
    canvas,
    terminal,
    noInitialRun: true,
    postMainLoop: afterFrame,
    onAbort(what) { stoppedAbnormally(String(what)); },
    // The runtime's own notices (the GL emulation says that it is in use) are not the program's
    // output and no error of the page's; anything else it reports is.
    printErr(text) {
      if (!/^WARNING: using emscripten GL /.test(text)) {
        console.error(text);
      }
    },
  }).then(runMain, (error) => stoppedAbnormally(String(error?.message ?? error)));
})();

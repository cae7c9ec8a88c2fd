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
  function makeTerminal(transcript, line, hint) {
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

  const terminal = makeTerminal(byId('transcript'), byId('line'), byId('hint'));

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

  // The scene lives as long as the program, so a fresh run is a fresh page.
  byId('restart').addEventListener('click', () => location.reload());

  byId('share').addEventListener('click', async () => {
    const link = linkFor(terminal.sentLines);
    let copied = false;
    try {
      await navigator.clipboard.writeText(link);
      copied = true;
    } catch {
      // No clipboard here (a page from the disk, a browser that asks first): the text will do.
    }
    const shared = byId('shared');
    shared.hidden = false;
    shared.firstElementChild.textContent = copied ? 'Veza je kopirana: ' : 'Kopirajte vezu: ';
    shared.lastElementChild.textContent = link;
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
      status.firstFrameAt = performance.now();
      terminal.close('Program vise ne cita unos; slika je ispod.');
      canvas.scrollIntoView({ block: 'end' });
      saveButton.disabled = !program?._pageRedraw;
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

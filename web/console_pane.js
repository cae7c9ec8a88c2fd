// The console pane of the page: what the program writes, shown as text, and what the user
// types, handed to the program a line at a time (web/page_streams.cpp reads and writes it
// through Module.terminal).
import { say } from './language.js';

// The console pane. It shows what the program writes, exactly as written, and hands the
// program what the user types, a line at a time, the way a terminal does: Enter sends the
// line and a newline, a paste sends each of its complete lines, and Ctrl-D ends the input
// (on an empty line; on a non-empty one it sends the line without a newline). Everything
// is inserted as text, never as HTML. `wrote` is told of each write's text.
export function makeConsolePane(transcript, line, hint, wrote = () => {}) {
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  const output = []; // every chunk the program wrote
  const sentLines = [];
  const toType = []; // lines to type, one each time the program waits with nothing to read
  let pending = new Uint8Array(0); // sent by the user, not yet read by the program
  let ended = false;
  let wakeReader = null;
  let scrollPending = false;
  const pane = transcript.parentElement;

  // Keeps the line in view; once a frame, since scrolling makes the browser lay out the page.
  function show(text) {
    transcript.appendChild(document.createTextNode(text));
    if (!scrollPending) {
      scrollPending = true;
      requestAnimationFrame(() => {
        scrollPending = false;
        if (line.hidden) {
          pane.scrollTop = pane.scrollHeight; // closed: the last lines in view
        } else {
          line.scrollIntoView({ block: 'nearest' });
        }
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

  // No more input is taken; the hint says why (a key of the page's messages). The closed
  // line takes no room, so that the program's last lines stay in view above the picture.
  function close(note) {
    line.disabled = true;
    line.hidden = true;
    pane.classList.add('closed');
    pane.scrollTop = pane.scrollHeight;
    hint.dataset.text = note;
    hint.textContent = say(note);
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
        close('inputEnded');
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
    written: output,
    sentLines,
    close,
    // Empty again, for a fresh run of the program: what a run waits for is never woken.
    reset() {
      output.length = 0;
      sentLines.length = 0;
      toType.length = 0;
      pending = new Uint8Array(0);
      ended = false;
      wakeReader = null;
      transcript.replaceChildren();
      line.disabled = false;
      line.hidden = false;
      line.value = '';
      pane.classList.remove('closed');
      hint.dataset.text = 'hint';
      hint.textContent = say('hint');
    },
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
      output.push(bytes);
      const text = decoder.decode(bytes, { stream: true });
      show(text);
      wrote(text);
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

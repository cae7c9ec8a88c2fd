// Answers in the page's address, a link that carries them, and the picture as a PNG.
// A fragment such as #30,45,60 is split on its commas into lines, each URL-decoded after
// the split (so a comma inside one answer travels as %2C), and the lines are typed for the
// user as the program asks, echoed like typed text; the user types on once they run out.
// The fragment only ever reaches the program's input, as text. Linked into the program's
// .js after terminal.js, through Emscripten's older JavaScript minifier, which knows
// neither optional chaining nor a catch without its binding.

function answersInFragment(fragment) {
  const answers = fragment.replace(/^#/, '');
  if (answers === '') {
    return [];
  }
  return answers.split(',').map((part) => {
    try {
      return decodeURIComponent(part);
    } catch (malformed) {
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
  return ['kocka', ...words].join('-').slice(0, 100) + '.png';
}

(function () {
  const terminal = Module['terminal'];
  const canvas = Module['canvas'];
  const shareButton = document.getElementById('share');
  const saveButton = document.getElementById('save');
  const shared = document.getElementById('shared');
  let saveWanted = false;

  terminal.typeWhenAsked(answersInFragment(location.hash));

  shareButton.addEventListener('click', async () => {
    const link = linkFor(terminal.sentLines);
    let copied = false;
    try {
      await navigator.clipboard.writeText(link);
      copied = true;
    } catch (refused) {
      // No clipboard here (a page from the disk, a browser that asks first): the text will do.
    }
    shared.hidden = false;
    shared.firstElementChild.textContent = copied ? 'Veza je kopirana: ' : 'Kopirajte vezu: ';
    shared.lastElementChild.textContent = link;
  });

  // WebGL clears the canvas once a frame is shown, so the picture is taken from a frame
  // drawn for it, right after the drawing.
  saveButton.addEventListener('click', () => {
    saveWanted = true;
    _glutPostRedisplay();
  });
  const afterFrame = Module['postMainLoop'];
  Module['postMainLoop'] = () => {
    if (afterFrame) {
      afterFrame();
    }
    saveButton.disabled = false;
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
  };
})();

// The form under the picture: a student picks a cube and a vertex, types where they predict
// it is, and is told whether that is right and, when it is not, which usual mistake it
// matches, with what that mistake is and the right way.
import { floatText } from './float_text.js';
import { gradePrediction, parseCoordinate, usualMistakes } from './grading.js';
import { fill, say, sayWith, words } from './language.js';

const paragraph = (...parts) => {
  const p = document.createElement('p');
  p.append(...parts);
  return p;
};
const strong = (text) => Object.assign(document.createElement('strong'), { textContent: text });
const point = (p) => `(${p.map((x) => floatText(x)).join(', ')})`;

// What the mistake `id` is and the right way, for cube `cube` (1 to 3).
function mistakeText(id, cube) {
  const turns = ['Rx', 'Ry', 'Rz'].slice(0, cube);
  const [name, sentence] = words(id);
  const values = {
    reversed: turns.join('\u00b7'),
    right: [...turns].reverse().join('\u00b7'),
    axis: 'XYZ'[cube - 1],
    cube: words('cubes')[cube],
    previous: words('ofCube')[cube - 1],
  };
  return [name, fill(sentence, values)];
}

// The verdict for `result` ({ cube, vertex, predicted, program, verdict, mistakes }), as
// elements.
function verdictParts({ cube, vertex, predicted, program, verdict, mistakes }) {
  const largest = Math.max(...predicted.map((x, i) => Math.abs(x - program[i])));
  const facts = say('facts', {
    what: `V${vertex} ${words('ofCube')[cube]}`, program: point(program), predicted: point(predicted),
    largest: Number(largest.toPrecision(3)),
  });
  if (verdict === 'correct') {
    return [paragraph(strong(say('right')), ` ${facts}`)];
  }
  const parts = [paragraph(strong(say('wrong')), ` ${facts}`)];
  if (mistakes.length > 0) {
    parts.push(paragraph(say(mistakes.length === 1 ? 'oneMistake' : 'mistakes')));
    const list = document.createElement('ul');
    for (const id of mistakes) {
      const [name, sentence] = mistakeText(id, cube);
      const item = document.createElement('li');
      item.dataset.mistake = id;
      item.append(strong(`${name}:`), ` ${sentence}`);
      list.append(item);
    }
    parts.push(list);
  } else {
    const tables = Object.assign(document.createElement('a'), { href: '#vertices', textContent: say('verticesCaption') });
    parts.push(paragraph(...sayWith('noMistake', { vertex: `V${vertex}` }, { link: tables })));
  }
  return parts;
}

// The form `form`, its verdict in `verdictBox`. `program()` gives a promise of what a check
// needs, kept once the program has read its three answers: { degrees, vertices (by cube, by
// label) }; or null while the program still waits for answers that only the user can give.
// `checked` is told of each check: { cube, vertex, predicted, program, verdict, mistakes }.
export function makePredictionCheck(form, verdictBox, { program, checked }) {
  const field = (name) => form.elements.namedItem(name);
  // The yellow cube's V7 at first: the lessons' question.
  field('cube').append(...[0, 1, 2, 3].map((c) => new Option('', String(c), c === 3, c === 3)));
  field('vertex').append(...[0, 1, 2, 3, 4, 5, 6, 7].map((v) => new Option(`V${v}`, String(v), v === 7, v === 7)));
  let shown = null; // what the verdict box says: a result, or a key and its values

  function render() {
    [...field('cube').options].forEach((option, c) => { option.textContent = words('cubeNames')[c]; });
    if (shown?.verdict) {
      verdictBox.replaceChildren(...verdictParts(shown));
    } else if (shown) {
      verdictBox.replaceChildren(paragraph(say(shown.key, shown.values)));
    }
  }
  render();

  form.addEventListener('submit', async (event) => {
    event.preventDefault();
    const predicted = [];
    for (const axis of ['x', 'y', 'z']) {
      const input = field(axis);
      const value = parseCoordinate(input.value);
      input.setAttribute('aria-invalid', String(value === null));
      if (value === null) {
        shown = { key: 'typeNumber', values: { axis } };
        render();
        input.focus();
        return;
      }
      predicted.push(value);
    }
    const cube = Number(field('cube').value);
    const vertex = Number(field('vertex').value);
    const ready = program();
    if (!ready) {
      shown = { key: 'answerFirst' };
      render();
      return;
    }
    const { degrees, vertices } = await ready;
    const exact = [...vertices[cube][vertex]];
    const grade = gradePrediction(predicted, exact, usualMistakes(degrees, vertices[0][vertex], cube));
    shown = { cube, vertex, predicted, program: exact, ...grade };
    render();
    checked(shown);
  });

  return {
    // The cube and vertex a task asks about, fixed until its first check.
    ask(cube, vertex) {
      field('cube').value = String(cube);
      field('vertex').value = String(vertex);
      field('cube').disabled = true;
      field('vertex').disabled = true;
    },
    // Nothing said: a fresh task.
    clear() {
      shown = null;
      verdictBox.replaceChildren();
      ['x', 'y', 'z'].forEach((axis) => {
        field(axis).value = '';
        field(axis).removeAttribute('aria-invalid');
      });
    },
    free() {
      field('cube').disabled = false;
      field('vertex').disabled = false;
    },
    chosen: () => ({ cube: Number(field('cube').value), vertex: Number(field('vertex').value) }),
    render,
  };
}

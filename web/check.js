// A student's prediction checked against the program: where a vertex of a cube lands, typed
// as three numbers, graded within a tolerance of the program's float and, when wrong, held
// against the usual mistakes of the topic, each worked out from the angles the program read.
// Also the task links that ask for one such prediction: #zadatak=V7,30,45,60[,cube].
/* global cubeNames, floatText */
/* exported tolerance, parseCoordinate, usualMistakes, gradePrediction, linkItems, taskInFragment, taskFragment, makePredictionCheck */
'use strict';

// A prediction this close in every coordinate is right: a hand calculation with sines and
// cosines to two or three decimals lands within it, and the usual mistakes land far outside.
const tolerance = 0.05;

// A number as a person types it: a decimal point or comma, a minus sign of either kind, an
// optional exponent. Null for anything else.
function parseCoordinate(text) {
  const plain = text.trim().replace(/\u2212/g, '-').replace(',', '.');
  if (!/^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/.test(plain)) {
    return null;
  }
  return Number(plain);
}

// The vertex `start` turned about `axis` (0, 1, 2 for X, Y, Z) by `radians`, right-handed.
function turned(start, axis, radians) {
  const c = Math.cos(radians);
  const s = Math.sin(radians);
  const [x, y, z] = start;
  return [
    [x, c * y - s * z, s * y + c * z],
    [c * x + s * z, y, -s * x + c * z],
    [c * x - s * y, s * x + c * y, z],
  ][axis];
}

// Where each usual mistake puts the vertex `start` of the red cube in cube `cube` (1 to 3:
// after X, after Y, after Z), for the angles the program read (degrees), in double:
//   order      the turns applied in the reverse order (for the yellow cube Rx·Ry·Rz)
//   direction  each turn the other way (negative angles, transposed matrices, left hand)
//   radians    the degrees taken as radians
//   separate   each turn applied to the starting cube: the cube's last turn alone
//   centre     the turns made about the cube's centre (2.5, 2.5, 2.5), not the origin
function usualMistakes(degrees, start, cube) {
  const steps = [0, 1, 2].slice(0, cube);
  const inTurn = (v, angles, order) => order.reduce((p, axis) => turned(p, axis, angles[axis]), v);
  const radians = degrees.map((d) => d * Math.PI / 180);
  const centre = [2.5, 2.5, 2.5];
  const aroundCentre = inTurn(start.map((x, i) => x - centre[i]), radians, steps).map((x, i) => x + centre[i]);
  return {
    order: inTurn(start, radians, [...steps].reverse()),
    direction: inTurn(start, radians.map((r) => -r), steps),
    radians: inTurn(start, degrees, steps),
    separate: cube === 0 ? start : turned(start, cube - 1, radians[cube - 1]),
    centre: aroundCentre,
    right: inTurn(start, radians, steps),
  };
}

const near = (a, b) => a.every((x, i) => Math.abs(x - b[i]) <= tolerance);

// 'correct' when every coordinate is within the tolerance of the program's; otherwise
// 'wrong', with each usual mistake that the prediction matches and that gives another
// answer than the right one.
function gradePrediction(predicted, program, mistakes) {
  if (near(predicted, program)) {
    return { verdict: 'correct', mistakes: [] };
  }
  const named = ['order', 'direction', 'radians', 'separate', 'centre']
    .filter((id) => !near(mistakes[id], mistakes.right) && near(predicted, mistakes[id]));
  return { verdict: 'wrong', mistakes: named };
}

// crvena kocka: V7 crvene kocke.
const genitive = (name) => name.replace(/a$/, 'e');

// What each mistake means and the right way, for cube `cube` (1 to 3).
function mistakeText(id, cube) {
  const turns = ['Rx', 'Ry', 'Rz'].slice(0, cube);
  const right = [...turns].reverse().join('\u00b7');
  const reversed = turns.join('\u00b7');
  const axis = 'XYZ'[cube - 1];
  return {
    order: ['Redosled rotacija', `primenili ste rotacije obrnutim redom (${reversed}); prvo se okrece oko X, pa oko Y, ` +
      `pa oko Z, pa je ${cubeNames[cube]} kocka ${right} primenjeno na crvenu.`],
    direction: ['Smer rotacije', 'okrenuli ste svaku rotaciju na suprotnu stranu (negativan ugao, transponovana ' +
      'matrica ili pravilo leve ruke); pozitivan ugao okrece suprotno kazaljci na satu gledano sa pozitivnog ' +
      'kraja ose, po pravilu desne ruke.'],
    radians: ['Stepeni kao radijani', 'uzeli ste stepene kao da su radijani; ugao u stepenima treba pomnoziti sa ' +
      '\u03c0/180 pre racunanja sinusa i kosinusa (30\u00b0 je 0.5236 radijana).'],
    separate: ['Svaka rotacija od pocetne kocke', `primenili ste rotaciju oko ${axis} na pocetnu kocku umesto na ` +
      `rezultat prethodnih; rotacije se nadovezuju, pa ${cubeNames[cube]} kocka nastaje okretanjem ` +
      `${genitive(cubeNames[cube - 1])} kocke.`],
    centre: ['Centar kocke', 'okretali ste oko centra kocke (2.5, 2.5, 2.5) umesto oko koordinatnog pocetka; ose ' +
      'rotacije prolaze kroz koordinatni pocetak, gde je teme V2.'],
  }[id];
}

// The items of a page address's fragment: split on its commas, each URL-decoded after the
// split (so a comma inside one item travels as %2C); a stray % is text like any other.
function linkItems(text) {
  return text.split(',').map((part) => {
    try {
      return decodeURIComponent(part);
    } catch {
      return part;
    }
  });
}

// A task in the page's address: #zadatak=V7,30,45,60 asks where V7 of the yellow cube is
// after those three answers; a fifth item names another cube (crvena, plava, zelena). Null
// for an address without a task, { invalid } for one whose task cannot be read.
function taskInFragment(fragment) {
  const match = /^#zadatak=(.*)$/s.exec(fragment);
  if (!match) {
    return null;
  }
  const parts = linkItems(match[1]);
  const vertex = /^V([0-7])$/i.exec(parts[0]);
  const cube = parts.length === 5 ? cubeNames.indexOf(parts[4].toLowerCase()) : 3;
  if (!vertex || parts.length < 4 || parts.length > 5 || cube < 0) {
    return { invalid: match[1] };
  }
  return { vertex: Number(vertex[1]), cube, answers: parts.slice(1, 4) };
}

// The address part of a task for the answers the program read.
function taskFragment(vertex, degrees, cube) {
  // A number that reads back as the same float; the infinities as numbers past the largest.
  const answer = (d) => (Number.isFinite(d) ? floatText(d, true) : `${d < 0 ? '-' : ''}1e39`);
  return `#zadatak=V${vertex},${degrees.map(answer).join(',')}${cube === 3 ? '' : `,${cubeNames[cube]}`}`;
}

// The form under the picture. `program()` gives a promise of what a check needs, kept once
// the program has read its three answers: { degrees, vertices (by cube, by label) }; or null
// when the program still waits for answers that only the user can give. `checked` is
// told of each check: { cube, vertex, predicted, program, verdict, mistakes }.
function makePredictionCheck(form, verdictBox, { program, checked }) {
  const field = (name) => form.elements.namedItem(name);
  // The yellow cube's V7 at first: the lessons' question.
  field('cube').append(...cubeNames.map((name, c) => new Option(name, String(c), c === 3, c === 3)));
  field('vertex').append(...[0, 1, 2, 3, 4, 5, 6, 7].map((v) => new Option(`V${v}`, String(v), v === 7, v === 7)));
  const point = (p) => `(${p.map((x) => floatText(x)).join(', ')})`;

  function say(...children) {
    verdictBox.replaceChildren(...children);
  }

  function paragraph(...parts) {
    const p = document.createElement('p');
    p.append(...parts);
    return p;
  }

  form.addEventListener('submit', async (event) => {
    event.preventDefault();
    const predicted = [];
    for (const axis of ['x', 'y', 'z']) {
      const input = field(axis);
      const value = parseCoordinate(input.value);
      input.setAttribute('aria-invalid', String(value === null));
      if (value === null) {
        say(paragraph(`Upisite broj u polje ${axis} (na primer 2.5, 2,5 ili \u22122,5).`));
        input.focus();
        return;
      }
      predicted.push(value);
    }
    const cube = Number(field('cube').value);
    const vertex = Number(field('vertex').value);
    const ready = program();
    if (!ready) {
      say(paragraph('Prvo odgovorite na sva tri pitanja programa: provera poredi sa onim sto je on izracunao.'));
      return;
    }
    const { degrees, vertices } = await ready;
    const exact = vertices[cube][vertex];
    const mistakes = usualMistakes(degrees, vertices[0][vertex], cube);
    const grade = gradePrediction(predicted, exact, mistakes);
    const what = `V${vertex} ${genitive(cubeNames[cube])} kocke`;
    const largest = Math.max(...predicted.map((x, i) => Math.abs(x - exact[i])));
    const facts = `Program je izracunao ${what}: ${point(exact)}. Vase predvidjanje ${point(predicted)} se od toga ` +
      `razlikuje najvise za ${Number(largest.toPrecision(3))}.`;
    if (grade.verdict === 'correct') {
      say(paragraph(Object.assign(document.createElement('strong'), { textContent: 'Tacno.' }), ` ${facts}`));
    } else {
      const parts = [paragraph(Object.assign(document.createElement('strong'), { textContent: 'Nije tacno.' }), ` ${facts}`)];
      if (grade.mistakes.length > 0) {
        parts.push(paragraph(grade.mistakes.length === 1 ? 'Odgovara uobicajenoj gresci:' : 'Odgovara uobicajenim greskama:'));
        const list = document.createElement('ul');
        for (const id of grade.mistakes) {
          const [name, sentence] = mistakeText(id, cube);
          const item = document.createElement('li');
          item.dataset.mistake = id;
          item.append(Object.assign(document.createElement('strong'), { textContent: `${name}:` }), ` ${sentence}`);
          list.append(item);
        }
        parts.push(list);
      } else {
        const tables = Object.assign(document.createElement('a'), { href: '#vertices', textContent: 'Temena cetiri kocke' });
        parts.push(paragraph('Ne odgovara nijednoj od uobicajenih gresaka. Proverite racun korak po korak u tabeli ', tables,
        `: teme V${vertex} posle X (plava kocka), posle Y (zelena) i posle Z (zuta).`));
      }
      say(...parts);
    }
    checked({ cube, vertex, predicted, program: [...exact], verdict: grade.verdict, mistakes: grade.mistakes });
  });
}

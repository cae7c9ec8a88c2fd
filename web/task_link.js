// The page's address as input: answers after the # (#30,45,60), typed for the user, and task
// links (#zadatak=V7,30,45,60[,zelena]) that ask where a vertex of a turned cube lands.
import { floatText } from './float_text.js';

// The cubes as links name them, by number: 0 the start, then one per turn.
export const cubeLinkNames = ['crvena', 'plava', 'zelena', 'zuta'];

// A link's text URL-decoded, where it can be: a stray % is text like any other.
function decoded(text) {
  try {
    return decodeURIComponent(text);
  } catch {
    return text;
  }
}

// The items of a fragment: split on its commas, each URL-decoded after the split (so a comma
// inside one item travels as %2C).
export const linkItems = (text) => text.split(',').map(decoded);

// The lines that a fragment of answers types, none for an empty one. Only ever text for the
// program's input.
export function answersInFragment(fragment) {
  const answers = fragment.replace(/^#/, '');
  return answers === '' ? [] : linkItems(answers);
}

// A whole item that the program reads as one number, all of it.
export const programNumber = /^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/;
// Halfway between the largest float and 2^128: a number this large reads as infinity.
const pastFloats = 2 ** 128 - 2 ** 103;

// A task in a fragment: null when the fragment asks none; { vertex, cube, answers } for a
// task the page can ask; { problem, item } for one it cannot, `problem` saying why:
//   vertex    the first item is no vertex V0..V7
//   missing   an angle is missing or empty (`item` is its axis, X, Y or Z)
//   number    an angle is not a number as the program reads one (`item` is the angle)
//   infinite  an angle is too large for a 32-bit float (`item` is the angle)
//   cube      the fifth item names no cube
//   red       the fifth item names the red cube, which no turn has moved
//   extra     more than five items
export function taskInFragment(fragment) {
  const match = /^#zadatak=(.*)$/s.exec(fragment);
  if (!match) {
    return null;
  }
  const items = linkItems(match[1]);
  const vertex = /^V([0-7])$/i.exec(items[0]);
  if (!vertex) {
    return { problem: 'vertex', item: items[0] };
  }
  if (items.length > 5) {
    return { problem: 'extra', item: items.slice(5).join(',') };
  }
  const answers = items.slice(1, 4);
  for (const [i, axis] of ['X', 'Y', 'Z'].entries()) {
    const answer = answers[i];
    if (answer === undefined || answer === '') {
      return { problem: 'missing', item: axis };
    }
    if (!programNumber.test(answer)) {
      return { problem: 'number', item: answer };
    }
    if (Math.abs(Number(answer)) >= pastFloats) {
      return { problem: 'infinite', item: answer };
    }
  }
  const cube = items.length === 5 ? cubeLinkNames.indexOf(items[4].toLowerCase()) : 3;
  if (cube < 0) {
    return { problem: 'cube', item: items[4] };
  }
  if (cube === 0) {
    return { problem: 'red', item: items[4] };
  }
  return { vertex: Number(vertex[1]), cube, answers };
}

// The fragment of a task about vertex `vertex` of cube `cube` (1 to 3) for the angles the
// program read, each written so that it reads back as the same float; null when no link can
// ask it (the red cube, or an infinite angle).
export function taskFragment(vertex, degrees, cube) {
  if (cube < 1 || cube > 3 || !degrees.every(Number.isFinite)) {
    return null;
  }
  const angles = degrees.map((d) => floatText(d, true)).join(',');
  return `#zadatak=V${vertex},${angles}${cube === 3 ? '' : `,${cubeLinkNames[cube]}`}`;
}

// The language a fragment asks for, and the rest of it: #jezik=en&30,45,60 is the English
// page answered 30, 45 and 60. The language item comes first, so that answers stay as typed.
export function splitLanguage(fragment) {
  const match = /^#jezik=([^&]*)(?:&(.*))?$/s.exec(fragment);
  return match ? { language: decoded(match[1]), rest: `#${match[2] ?? ''}` } : { language: null, rest: fragment };
}

export const withLanguage = (language, fragment) => {
  const rest = fragment.replace(/^#/, '');
  return `#jezik=${language}${rest ? `&${rest}` : ''}`;
};

// The page's languages (web/messages.js, web/language.js, the language item of its links):
// every table says the same things with the same values put in, Serbian is written with its
// letters, the Cyrillic table reads back letter for letter as the Latin one, and the language
// is chosen from the browser's languages by the stated rule.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { languageOf } from '../../../web/language.js';
import { messages, toCyrillic } from '../../../web/messages.js';
import { splitLanguage, withLanguage } from '../../../web/task_link.js';
import { fc, property } from '../../../testkit/properties.mjs';

const latin = messages['sr-Latn'];
const texts = (table) => Object.entries(table).flatMap(([key, value]) => [value].flat().map((text, i) => [`${key}${Array.isArray(value) ? `[${i}]` : ''}`, text]));
const placeholders = (text) => [...new Set([...text.matchAll(/\{\w+\}/g)].map((m) => m[0]))].sort();
// Only the English page translates the program's own texts.
const glosses = new Set(['glossMark', 'glossX', 'glossY', 'glossZ', 'glossLegend', 'titleGloss']);

test('every language says every text, with the same values put in', () => {
  for (const [language, table] of Object.entries(messages)) {
    const keys = Object.keys(table).filter((key) => !glosses.has(key));
    assert.deepEqual(keys.sort(), Object.keys(latin).filter((key) => !glosses.has(key)).sort(), language);
    for (const [key, text] of texts(table).filter(([k]) => !glosses.has(k))) {
      const original = texts(latin).find(([k]) => k === key)[1];
      assert.deepEqual(placeholders(text), placeholders(original), `${language} ${key}`);
      assert.equal(text === '', original === '', `${language} ${key}`);
    }
  }
});

// Words of the page that have Serbian's own letters, and their forms without them.
const lettered = ['Sačuvaj', 'Ključ', 'Tačno', 'tačno', 'predviđanje', 'Predviđanje', 'početna', 'žuta', 'četiri', 'šalje', 'računaru',
  'greška', 'izračunao', 'pročitao'];

test('Serbian in Latin is written with its letters č ć đ š ž, never without them', () => {
  const all = texts(latin).map(([, text]) => text).join('\n');
  for (const letter of 'čćđšž') {
    assert.ok(all.includes(letter), letter);
  }
  for (const word of lettered) {
    const plain = word.replace(/[čć]/g, 'c').replace(/đ/g, 'dj').replace(/š/g, 's').replace(/ž/g, 'z');
    assert.ok(!new RegExp(`\\b${plain}\\b`).test(all), `${plain} written without its letters`);
  }
  assert.ok(lettered.some((word) => all.includes(word)));
});

// The Serbian Cyrillic alphabet against the Latin one, as a reader of both has it.
const alphabet = [['a', 'а'], ['b', 'б'], ['v', 'в'], ['g', 'г'], ['d', 'д'], ['đ', 'ђ'], ['e', 'е'], ['ž', 'ж'], ['z', 'з'], ['i', 'и'],
  ['j', 'ј'], ['k', 'к'], ['l', 'л'], ['lj', 'љ'], ['m', 'м'], ['n', 'н'], ['nj', 'њ'], ['o', 'о'], ['p', 'п'], ['r', 'р'],
  ['s', 'с'], ['t', 'т'], ['ć', 'ћ'], ['u', 'у'], ['f', 'ф'], ['h', 'х'], ['c', 'ц'], ['č', 'ч'], ['dž', 'џ'], ['š', 'ш']];
const backToLatin = (text) => [...text].map((ch) => {
  const found = alphabet.find(([, cyr]) => cyr === ch.toLowerCase());
  if (!found) {
    return ch;
  }
  return ch === ch.toLowerCase() ? found[0] : found[0][0].toUpperCase() + found[0].slice(1);
}).join('');

// What stays in Latin letters on the Cyrillic page: the axes' and matrices' letters, V for a
// vertex, names from the code and the file system.
const latinNames = /^([VXYZRxyz]|Rx|Ry|Rz|sin|Enter|Ctrl|D|WebGL|getContext|webgl|null|cube|rotation|wasm|html|js|LMS)$/;

test('the Cyrillic page reads back letter for letter as the Latin one, and keeps in Latin only what is not Serbian', () => {
  const cyrillic = messages['sr-Cyrl'];
  for (const [key, text] of texts(cyrillic)) {
    const original = texts(latin).find(([k]) => k === key)[1];
    assert.equal(backToLatin(text), original, key);
    const kept = text.replace(/\{\w+\}/g, '').match(/[A-Za-zčćđšžČĆĐŠŽ]+/g) ?? [];
    for (const word of kept) {
      assert.match(word, latinNames, `${key}: ${word}`);
    }
  }
});

property('any Serbian word in Latin letters turns into Cyrillic and back unchanged',
  fc.array(fc.constantFrom(...alphabet.map(([l]) => l)), { minLength: 1, maxLength: 12 })
    .map((letters) => letters.join(''))
    .filter((word) => !latinNames.test(word) && !latinNames.test(word[0].toUpperCase() + word.slice(1))),
  (word) => {
    const capital = word[0].toUpperCase() + word.slice(1);
    for (const w of [word, capital]) {
      const cyrillic = toCyrillic(w);
      assert.ok(!/[a-z]/i.test(cyrillic), cyrillic);
      assert.equal(backToLatin(cyrillic), w);
    }
  }, 2000);

// Each tag's language by the page's rule, read off by hand; null for one it does not have
// (srn, hrv and ens only look like sr, hr and en).
const byHand = {
  sr: 'sr-Cyrl', 'sr-RS': 'sr-Cyrl', 'sr-Cyrl': 'sr-Cyrl', 'sr-Cyrl-RS': 'sr-Cyrl',
  'sr-Latn': 'sr-Latn', 'sr-Latn-RS': 'sr-Latn', 'SR-LATN': 'sr-Latn', hr: 'sr-Latn', 'hr-HR': 'sr-Latn', bs: 'sr-Latn',
  'bs-BA': 'sr-Latn', sh: 'sr-Latn', en: 'en', 'en-US': 'en', 'en-GB': 'en',
  de: null, 'de-AT': null, fr: null, ru: null, mk: null, sl: null, srn: null, hrv: null, ens: null,
};
const expected = (t) => byHand[t];
const tag = fc.constantFrom(...Object.keys(byHand));

property('the page takes the first of the browser\'s languages that it has, and English when it has none',
  fc.array(tag, { maxLength: 5 }), (tags) => {
    assert.equal(languageOf(tags), tags.map(expected).find(Boolean) ?? 'en', tags.join(' '));
  }, 2000);

property('a language item that is no language, a stray % in it too, leaves the rest of the link as it was',
  fc.string().filter((item) => !item.includes('&')), (item) => {
    const { language, rest } = splitLanguage(`#jezik=${item}&30,45,60`);
    assert.equal(rest, '#30,45,60');
    assert.equal(typeof language, 'string');
  }, 2000);
assert.deepEqual(splitLanguage('#jezik=%zz&30'), { language: '%zz', rest: '#30' });

property('a link\'s language item goes before its answers or task and comes off again, leaving them as they were',
  fc.tuple(fc.constantFrom('sr-Latn', 'sr-Cyrl', 'en'), fc.oneof(fc.constant(''), fc.string(), fc.constant('zadatak=V7,30,45,60,zelena'))),
  ([language, rest]) => {
    const fragment = withLanguage(language, `#${rest}`);
    assert.deepEqual(splitLanguage(fragment), { language, rest: `#${rest}` });
  }, 2000);

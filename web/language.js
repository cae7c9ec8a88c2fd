// The page's words in its language: texts by key from messages.js, with values put in, and
// the markup's own texts, which name their keys (data-text for an element's text,
// data-label for its accessible name, data-title for its tooltip); and which language a
// reader's browser asks for.
import { messages } from './messages.js';

export const languages = Object.keys(messages);
let language = 'sr-Latn';
let table = messages[language];
const listeners = [];

// `text` with each {name} of `values` put in; a name without a value stays as it is.
export const fill = (text, values = {}) =>
  text.replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole));

// The text `key` with each {name} of `values` put in.
export const say = (key, values = {}) => fill(table[key], values);

// A table entry as it stands (a list, say: the cubes' names), or undefined.
export const words = (key) => table[key];

export const currentLanguage = () => language;

// The text `key` as a list of strings and nodes, each {name} whose value in `nodes` is a
// node replaced by it: for a text with a link inside.
export function sayWith(key, values, nodes) {
  return say(key, values).split(/(\{\w+\})/).filter(Boolean)
    .map((part) => nodes[part.slice(1, -1)] ?? part);
}

// Fills every element under `root` that names a key.
export function applyTexts(root) {
  for (const element of root.querySelectorAll('[data-text]')) {
    element.textContent = say(element.dataset.text);
  }
  for (const element of root.querySelectorAll('[data-label]')) {
    element.setAttribute('aria-label', say(element.dataset.label));
  }
  for (const element of root.querySelectorAll('[data-title]')) {
    element.title = say(element.dataset.title);
  }
}

// `render` is called whenever the language changes, for the texts built with values.
export function onLanguage(render) {
  listeners.push(render);
}

// The language of a tag list as browsers give them (navigator.languages): the first one that
// the page has, Serbian in Cyrillic for sr and its regions (as Serbia's own default), in
// Latin for sr-Latn and the languages read in Latin letters that are nearest to it (hr, bs,
// sh), otherwise English.
export function languageOf(tags) {
  for (const tag of tags.map((t) => t.toLowerCase())) {
    if (/^sr-latn\b/.test(tag) || /^(hr|bs|sh)\b/.test(tag)) {
      return 'sr-Latn';
    }
    if (/^sr\b/.test(tag)) {
      return 'sr-Cyrl';
    }
    if (/^en\b/.test(tag)) {
      return 'en';
    }
  }
  return 'en';
}

// A language's own code as the page writes it, from any case (sr-latn); null for none.
export const knownLanguage = (code) => languages.find((l) => l.toLowerCase() === String(code).toLowerCase()) ?? null;

export function setLanguage(code) {
  language = knownLanguage(code) ?? 'en';
  table = messages[language];
  document.documentElement.lang = language;
  applyTexts(document);
  listeners.forEach((render) => render());
}

// The page's words in its language: texts by key from messages.js, with values put in, and
// the markup's own texts, which name their keys (data-text for an element's text,
// data-label for its accessible name, data-title for its tooltip).
import { messages } from './messages.js';

const table = messages['sr-Latn'];

// The text `key` with each {name} of `values` put in.
export function say(key, values = {}) {
  return table[key].replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole));
}

// A table entry as it stands (a list, say: the cubes' names).
export const words = (key) => table[key];

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

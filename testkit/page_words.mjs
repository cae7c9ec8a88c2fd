// The page's own words, as its message table has them, for tests that find the page's
// controls and read its sentences: say('save') is the text of the save button.
import { messages } from '../web/messages.js';

export function pageWords(language = 'sr-Latn') {
  const table = messages[language];
  return {
    say: (key, values = {}) => table[key].replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole)),
    words: (key) => table[key],
  };
}

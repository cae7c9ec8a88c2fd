// The page's own words, as its message table has them, for tests that find the page's
// controls and read its sentences: say('save') is the text of the save button.
import { fill } from '../web/language.js';
import { messages } from '../web/messages.js';

export function pageWords(language = 'sr-Latn') {
  const table = messages[language];
  return {
    say: (key, values = {}) => fill(table[key], values),
    words: (key) => table[key],
  };
}

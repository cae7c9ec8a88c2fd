// The page's translation of the program's own texts, where the page's language is not the
// program's: a line under each of its questions and under its legend, marked as the page's,
// never part of the program's output (the text nodes of the transcript stay exactly what
// the program wrote; a gloss is an element between them, hidden from the live log).
import { say, words } from './language.js';

// What the program writes, as it writes it, and the key of its gloss.
const programTexts = [
  ['Za koliko stepeni zelite da rotirate kvadar po X osi?\n', 'glossX'],
  ['Za koliko stepeni zelite da rotirate kvadar po Y osi?\n', 'glossY'],
  ['Za koliko stepeni zelite da rotirate kvadar po Z osi?\n', 'glossZ'],
  ['Kocka rotirana oko Z-ose: zuta', 'glossLegend'],
];

// Puts the glosses into `transcript` anew, for what it holds now, in the page's language (none
// where the language is the program's own); the last one also into `current`, which the
// input's description reads.
export function placeGlosses(transcript, current) {
  const placed = transcript.querySelectorAll('.gloss');
  const wanted = words('glossX') ? ends(transcript.textContent) : [];
  // Nothing to change (the most common case, written while the program runs): no work.
  if (placed.length === wanted.length && [...placed].every((gloss, i) => gloss.dataset.key === wanted.at(-1 - i)?.key
    && gloss.dataset.language === document.documentElement.lang)) {
    return;
  }
  placed.forEach((gloss) => gloss.remove());
  transcript.normalize();
  current.textContent = '';
  place(transcript, current, ends(transcript.textContent));
}

// Where the program's texts end in `output`, the last first.
function ends(output) {
  return programTexts.flatMap(([text, key]) => {
    const found = [];
    for (let at = output.indexOf(text); at >= 0; at = output.indexOf(text, at + 1)) {
      found.push({ end: at + text.length, key });
    }
    return found;
  }).sort((a, b) => b.end - a.end);
}

function place(transcript, current, found) {
  for (const { end, key } of found) {
    const node = transcript.firstChild;
    const after = end < node.length ? node.splitText(end) : null;
    const gloss = document.createElement('span');
    gloss.className = 'gloss';
    gloss.setAttribute('aria-hidden', 'true');
    Object.assign(gloss.dataset, { key, language: document.documentElement.lang });
    gloss.textContent = `${say('glossMark')}: ${say(key)}`;
    transcript.insertBefore(gloss, after ?? node.nextSibling);
  }
  if (found.length > 0) {
    current.textContent = `${say('glossMark')}: ${say(found[0].key)}`;
  }
}

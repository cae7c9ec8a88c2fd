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
// input's description reads. Given the `written` text, the program's latest, only what it
// ends gets a gloss: a write costs nothing more when it translates nothing.
export function placeGlosses(transcript, current, written = null) {
  if (written !== null) {
    const last = transcript.lastChild;
    if (words('glossX') && last?.nodeType === Node.TEXT_NODE && programTexts.some(([text]) => written.includes(text))) {
      place(transcript, current, ends(last.data).filter(({ end }) => end > last.length - written.length), last);
    }
    return;
  }
  transcript.querySelectorAll('.gloss').forEach((gloss) => gloss.remove());
  transcript.normalize();
  current.textContent = '';
  if (words('glossX') && transcript.firstChild) {
    place(transcript, current, ends(transcript.textContent), transcript.firstChild);
  }
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

// Glosses after the ends `found` (the last first) of the text node `node`.
function place(transcript, current, found, node) {
  for (const { end, key } of found) {
    const after = end < node.length ? node.splitText(end) : null;
    const gloss = document.createElement('span');
    gloss.className = 'gloss';
    gloss.setAttribute('aria-hidden', 'true');
    gloss.textContent = `${say('glossMark')}: ${say(key)}`;
    transcript.insertBefore(gloss, after ?? node.nextSibling);
  }
  if (found.length > 0) {
    current.textContent = `${say('glossMark')}: ${say(found[0].key)}`;
  }
}

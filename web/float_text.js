// The program's 32-bit floats as text: the shortest decimal that reads back to the same
// float, so 0.70710677 and not 0.7071067690849304.

// `forCopy` keeps the ASCII minus and "Infinity", which spreadsheets and the program read;
// otherwise a true minus sign and the sign for infinity, for the eye.
export function floatText(x, forCopy = false) {
  let text;
  if (Number.isNaN(x)) {
    text = 'NaN';
  } else if (!Number.isFinite(x)) {
    text = x > 0 ? 'Infinity' : '-Infinity';
  } else if (x === 0) {
    text = Object.is(x, -0) ? '-0' : '0';
  } else {
    for (let digits = 1; digits <= 9; ++digits) {
      text = String(Number(x.toPrecision(digits)));
      if (Math.fround(Number(text)) === x) {
        break;
      }
    }
  }
  return forCopy ? text : text.replace('Infinity', '\u221e').replace(/-/g, '\u2212');
}

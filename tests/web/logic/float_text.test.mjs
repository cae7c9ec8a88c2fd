// The program's floats as the page writes them (web/float_text.js): every float reads back as
// itself, by the test kit's exact decimal reader, and no shorter decimal would.
import assert from 'node:assert/strict';
import { floatText } from '../../../web/float_text.js';
import { floatBits, floatOfBits, floatOfDecimal } from '../../../testkit/floats.mjs';
import { fc, property } from '../../../testkit/properties.mjs';

// Any bit pattern: normal and subnormal floats, both zeros, the infinities, NaNs.
const anyFloat = fc.integer({ min: 0, max: 0xffffffff }).map(floatOfBits);
const digitsOf = (text) => text.replace(/^-/, '').replace(/e.*$/, '').replace('.', '').replace(/^0+|0+$/g, '').length;

property('every float is written as a decimal that reads back as the same float, or as NaN or an infinity', anyFloat, (x) => {
  const text = floatText(x, true);
  if (Number.isNaN(x)) {
    assert.equal(text, 'NaN');
  } else if (!Number.isFinite(x)) {
    assert.equal(text, x > 0 ? 'Infinity' : '-Infinity');
  } else {
    assert.equal(floatBits(floatOfDecimal(text)), floatBits(x), `${x} as ${text}`);
  }
  // For the eye: no ASCII minus, and the same text once the signs are read back.
  const shown = floatText(x);
  assert.ok(!shown.includes('-'), shown);
  assert.equal(shown.replace(/\u2212/g, '-').replace('\u221e', 'Infinity'), text);
}, 20000);

property('no decimal with fewer significant digits reads back as the same float', anyFloat.filter((x) => Number.isFinite(x) && x !== 0),
  (x) => {
    const digits = digitsOf(floatText(x, true));
    if (digits > 1) {
      // The two decimals of one digit fewer on either side of x are the nearest candidates.
      const [mantissa, exponent] = x.toExponential(digits - 2).split('e');
      const step = 10 ** (Number(exponent) - (digits - 2));
      const below = Number(mantissa) * 10 ** Number(exponent);
      for (const candidate of [below - step, below, below + step]) {
        const text = candidate.toPrecision(digits - 1);
        assert.notEqual(floatBits(floatOfDecimal(text)), floatBits(x), `${text} is shorter than ${floatText(x, true)}`);
      }
    }
  }, 20000);

// 32-bit floats for the tests, worked out exactly with integers rather than through the
// double rounding of Number() and Math.fround(): the float a decimal text reads as (as the
// program's reader rounds it, to nearest, ties to even), and a float's bits.

const view = new DataView(new ArrayBuffer(4));

export function floatBits(x) {
  view.setFloat32(0, x);
  return view.getUint32(0);
}

export function floatOfBits(bits) {
  view.setUint32(0, bits);
  return view.getFloat32(0);
}

// A finite float as an exact fraction [numerator, denominator] of BigInts.
function fraction(x) {
  const bits = floatBits(x);
  const field = (bits >>> 23) & 0xff;
  const mantissa = BigInt(field === 0 ? bits & 0x7fffff : (bits & 0x7fffff) | 0x800000);
  const power = field === 0 ? -149 : field - 150;
  const signed = bits >>> 31 ? -mantissa : mantissa;
  return power >= 0 ? [signed * 2n ** BigInt(power), 1n] : [signed, 2n ** BigInt(-power)];
}

// -1, 0 or 1 as the fraction a/b is less than, equal to or greater than c/d (b, d > 0).
const compare = ([a, b], [c, d]) => {
  const [left, right] = [a * d, c * b];
  return left < right ? -1 : left > right ? 1 : 0;
};

// The float next to `x` towards +infinity (direction 1) or -infinity (-1).
function nextFloat(x, direction) {
  if (x === 0) {
    return direction * floatOfBits(1);
  }
  return floatOfBits(floatBits(x) + ((x > 0) === (direction > 0) ? 1 : -1));
}

const largest = floatOfBits(0x7f7fffff);

// The float that a decimal number (sign, digits with one optional point, optional exponent)
// reads as; NaN when the text is no such number.
export function floatOfDecimal(text) {
  const match = /^([+-]?)(\d*)(?:\.(\d*))?(?:[eE]([+-]?\d+))?$/.exec(text);
  if (!match || (match[2] + (match[3] ?? '')).length === 0) {
    return NaN;
  }
  const [, sign, whole, part = '', exponentText = '0'] = match;
  const negative = sign === '-';
  const digits = BigInt(whole + part);
  const exponent = Number(exponentText) - part.length;
  const size = String(digits).length + exponent; // digits before the point
  if (digits === 0n || size < -60) {
    return negative ? -0 : 0;
  }
  if (size > 40) {
    return negative ? -Infinity : Infinity;
  }
  const magnitude = exponent >= 0 ? [digits * 10n ** BigInt(exponent), 1n] : [digits, 10n ** BigInt(-exponent)];
  // Halfway between the largest float and 2^128, and beyond, reads as infinity.
  if (compare(magnitude, [2n ** 128n - 2n ** 103n, 1n]) >= 0) {
    return negative ? -Infinity : Infinity;
  }
  // The nearest float is Math.fround(Number(text)) or a neighbour of it.
  let guess = Math.fround(Number(`${whole || '0'}.${part}e${exponent + part.length}`));
  guess = Number.isFinite(guess) ? guess : largest;
  const distance = (f) => {
    const [n, d] = fraction(f);
    const diff = magnitude[0] * d - n * magnitude[1];
    return [diff < 0n ? -diff : diff, d * magnitude[1]];
  };
  let best = guess;
  for (const f of [nextFloat(guess, -1), nextFloat(guess, 1)].filter((g) => Number.isFinite(g) && g >= 0)) {
    const order = compare(distance(f), distance(best));
    if (order < 0 || (order === 0 && (floatBits(f) & 1) === 0)) {
      best = f;
    }
  }
  return negative ? -best : best;
}

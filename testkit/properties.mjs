// Properties for node --test: a rule checked over generated inputs with fast-check, the test
// named after the rule with the number of cases it ran.
//   property('a rule, in one line', fc.integer(), (n) => ..., 1000);
import { test } from 'node:test';
import fc from 'fast-check';

export { fc };

export function property(rule, arbitrary, predicate, runs) {
  test(`${rule} (${runs.toLocaleString('en')} cases)`, () => {
    fc.assert(fc.property(arbitrary, predicate), { numRuns: runs, seed: Number(process.env.PROPERTY_SEED ?? 20261209) });
  });
}

// Every case of a finite space, enumerated: `cases()` gives them; `check` throws on a case
// that breaks the rule. The test's name says how many were run.
export function everyCase(rule, size, cases, check) {
  test(`${rule} (${size.toLocaleString('en')} cases)`, () => {
    let count = 0;
    for (const c of cases()) {
      check(c);
      ++count;
    }
    if (count !== size) {
      throw new Error(`ran ${count} cases, not ${size}`);
    }
  });
}

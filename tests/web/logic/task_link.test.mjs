// Task links and answers in the page's address (web/task_link.js), both ways, over generated
// tasks and broken links; each angle is read back as the program reads it, by the test kit's
// exact decimal reader.
import assert from 'node:assert/strict';
import { answersInFragment, linkItems, taskFragment, taskInFragment } from '../../../web/task_link.js';
import { floatBits, floatOfDecimal } from '../../../testkit/floats.mjs';
import { fc, property } from '../../../testkit/properties.mjs';

const anyFloat = fc.float({ noNaN: true, noDefaultInfinity: true });
const vertex = fc.integer({ min: 0, max: 7 });
const turnedCube = fc.integer({ min: 1, max: 3 });

property('a task made for any vertex, turned cube and float angles reads back as that task, each angle the same float',
  fc.tuple(vertex, fc.tuple(anyFloat, anyFloat, anyFloat), turnedCube), ([v, degrees, cube]) => {
    const fragment = taskFragment(v, degrees, cube);
    const task = taskInFragment(fragment);
    assert.equal(task.vertex, v, fragment);
    assert.equal(task.cube, cube, fragment);
    assert.deepEqual(task.answers.map((a) => floatBits(floatOfDecimal(a))), degrees.map(floatBits), fragment);
  }, 5000);

property('no task is made for the red cube or for an infinite angle',
  fc.tuple(vertex, fc.tuple(fc.float(), fc.float(), fc.float()), fc.integer({ min: 0, max: 3 })), ([v, degrees, cube]) => {
    const askable = cube > 0 && degrees.every(Number.isFinite);
    assert.equal(taskFragment(v, degrees, cube) === null, !askable);
  }, 2000);

// Angles as teachers may write them: integers, decimals, exponents, signs.
const writtenAngle = fc.oneof(
  fc.integer({ min: -100000, max: 100000 }).map(String),
  fc.double({ min: -1e6, max: 1e6, noNaN: true }).map((x) => x.toFixed(2)),
  fc.double({ min: -1e30, max: 1e30, noNaN: true }).map((x) => x.toExponential(3)),
  fc.constantFrom('+30', '.5', '-0', '30.', '1e38', '-3.4e38'),
);
const cubeName = fc.constantFrom(['plava', 1], ['zelena', 2], ['zuta', 3], ['ZELENA', 2], ['', 3]);

property('a task link written by hand asks what it says, and types its angles as written',
  fc.tuple(vertex, fc.boolean(), fc.tuple(writtenAngle, writtenAngle, writtenAngle), cubeName),
  ([v, lower, angles, [name, cube]]) => {
    const fragment = `#zadatak=${lower ? 'v' : 'V'}${v},${angles.join(',')}${name ? `,${name}` : ''}`;
    assert.deepEqual(taskInFragment(fragment), { vertex: v, cube, answers: angles }, fragment);
  }, 3000);

// Broken links, each with the problem it must be refused for.
const valid = ['V7', '30', '45', '60'];
const broken = fc.oneof(
  fc.tuple(fc.constantFrom('V8', 'V-1', 'V', '7', 'W7', 'V77', ''), fc.constant('vertex')).map(([v, problem]) => [[v, ...valid.slice(1)], problem]),
  fc.tuple(fc.integer({ min: 1, max: 3 }), fc.boolean()).map(([i, empty]) =>
    [empty ? valid.map((x, j) => (j === i ? '' : x)) : valid.slice(0, i), 'missing']),
  fc.tuple(fc.integer({ min: 1, max: 3 }), fc.constantFrom('abc', '30abc', '1e', '--5', '1,5', '3O', ' 30', '\u221230', 'NaN', 'Infinity'))
    .map(([i, text]) => [valid.map((x, j) => (j === i ? text : x)), 'number']),
  fc.tuple(fc.integer({ min: 1, max: 3 }), fc.constantFrom('1e39', '-1e39', '3.5e38', '1e400', '9'.repeat(40)))
    .map(([i, text]) => [valid.map((x, j) => (j === i ? text : x)), 'infinite']),
  fc.constantFrom('ljubicasta', 'yellow', '3', 'zut').map((name) => [[...valid, name], 'cube']),
  fc.constantFrom('crvena', 'Crvena').map((name) => [[...valid, name], 'red']),
  fc.array(fc.constantFrom('zuta', '1', ''), { minLength: 2, maxLength: 4 }).map((extra) => [[...valid, ...extra], 'extra']),
);

property('a broken task link is refused with what is wrong with it',
  broken, ([items, problem]) => {
    const fragment = `#zadatak=${items.map(encodeURIComponent).join(',')}`;
    assert.equal(taskInFragment(fragment)?.problem, problem, fragment);
  }, 3000);

property('answers in a link are typed as the lines they were, whatever characters they hold',
  fc.array(fc.string({ unit: 'grapheme' }), { minLength: 1, maxLength: 5 }).filter((lines) => lines.join('') !== ''),
  (lines) => {
    const fragment = `#${lines.map(encodeURIComponent).join(',')}`;
    assert.deepEqual(answersInFragment(fragment), lines);
    assert.deepEqual(linkItems(fragment.slice(1)), lines);
  }, 2000);

property('a stray % in a link stays text', fc.constantFrom('%', '50%', '%zz', '%E0%A4%A'), (text) => {
  assert.deepEqual(answersInFragment(`#30,${text}`), ['30', text]);
}, 10);

// Homework sets (web/homework.js): the variant rule against its published parts and examples
// worked out apart from the page's code, the tasks of any set and id, and set links both ways.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import {
  angleLimit, angleSteps, defaultSet, fnv1a64, setFragment, setInFragment, setOfText, setProblem, setText, splitMix64,
  studentIds, taskLimit, tasksFor, titleLimit,
} from '../../../web/homework.js';
import { floatOfDecimal } from '../../../testkit/floats.mjs';
import { fc, property } from '../../../testkit/properties.mjs';
import { turned } from '../../../testkit/rotations.mjs';

test('FNV-1a and SplitMix64 give their published values', () => {
  const bytes = (text) => new TextEncoder().encode(text);
  assert.equal(fnv1a64(bytes('')), 0xcbf29ce484222325n);
  assert.equal(fnv1a64(bytes('a')), 0xaf63dc4c8601ec8cn);
  assert.equal(fnv1a64(bytes('foobar')), 0x85944171f73967e8n);
  const next = splitMix64(1234567n);
  assert.deepEqual([next(), next(), next()], [6457827717110365317n, 3203168211198807973n, 9817491932198370423n]);
  assert.equal(splitMix64(0n)(), 0xe220a8397b1dcdafn);
});

// Worked out with Python's integers from the rule as docs/development.md states it.
test('the documented examples give the tasks worked out from the rule apart from the page', () => {
  const task = (vertex, cube, ...answers) => ({ vertex, cube, answers: answers.map(String) });
  const rotations = defaultSet('Rotacije');
  assert.equal(setText(rotations), '1.5.15.0.345.123.01234567.60.Um90YWNpamU');
  const ana = [task(6, 2, 195, 270, 255), task(5, 1, 165, 105, 75), task(4, 1, 105, 15, 240), task(0, 2, 105, 210, 240),
    task(7, 3, 105, 285, 345)];
  assert.deepEqual(tasksFor(rotations, 'ana.petrovic'), ana);
  assert.deepEqual(tasksFor(rotations, '  ana.petrovic\t'), ana);
  const signed = { title: 'Domaći', count: 3, angles: { step: 30, min: -90, max: 90 }, cubes: [3], vertices: [7], passMark: 50 };
  assert.equal(setText(signed), '1.3.30.-90.90.3.7.50.RG9tYcSHaQ');
  assert.deepEqual(tasksFor(signed, 'Đorđe Šćekić'), [task(7, 3, 30, -90, -90), task(7, 3, -60, 0, -60), task(7, 3, -60, -60, 30)]);
  assert.deepEqual(tasksFor(signed, 'ĐORĐE ŠĆEKIĆ'), tasksFor(signed, 'Đorđe Šćekić'), 'ids are read without case');
  // Four tasks from a set of eight: all different, and none where V7 does not move (0, 0, 0).
  const small = { title: 'T', count: 4, angles: { step: 30, min: 0, max: 30 }, cubes: [3], vertices: [7], passMark: 50 };
  assert.deepEqual(tasksFor(small, 'x'), [task(7, 3, 30, 30, 0), task(7, 3, 0, 0, 30), task(7, 3, 0, 30, 0), task(7, 3, 30, 0, 0)]);
});

const subset = (low, high) => fc.uniqueArray(fc.integer({ min: low, max: high }), { minLength: 1, maxLength: high - low + 1 })
  .map((list) => list.sort((a, b) => a - b));
const angles = fc.constantFrom(...angleSteps).chain((step) => {
  const bound = Math.floor(angleLimit / step);
  return fc.tuple(fc.integer({ min: -bound, max: bound }), fc.integer({ min: -bound, max: bound }))
    .map(([a, b]) => ({ step, min: Math.min(a, b) * step, max: Math.max(a, b) * step }));
});
const title = fc.string({ unit: fc.oneof(fc.constantFrom(...'čćđšžČĆĐŠŽ 😀'), fc.string({ unit: 'grapheme', minLength: 1, maxLength: 1 })),
  minLength: 1, maxLength: 40 })
  .filter((t) => setProblem({ ...defaultSet(t) }) === null);
const anySet = fc.record({
  title, count: fc.integer({ min: 1, max: taskLimit }), angles, cubes: subset(1, 3), vertices: subset(0, 7),
  passMark: fc.integer({ min: 0, max: 100 }),
}, { noNullPrototype: true });
const anyId = fc.string({ unit: fc.oneof(fc.constantFrom(...'čćđšžČĆĐŠŽ'), fc.string({ unit: 'grapheme', minLength: 1, maxLength: 1 })),
  minLength: 1, maxLength: 30 }).filter((id) => id.trim() !== '');

property('the same id, also with spaces around it or its letters decomposed, always gives the same tasks',
  fc.tuple(anySet, anyId), ([set, id]) => {
    const tasks = tasksFor(set, id);
    assert.deepEqual(tasksFor(structuredClone(set), id), tasks);
    assert.deepEqual(tasksFor(set, ` ${id.normalize('NFD')}\n`), tasks);
  }, 500);

test('1,000 student ids give at least 990 different sets of tasks at the default settings', (t) => {
  const set = defaultSet('Domaći zadatak');
  const ids = Array.from({ length: 1000 }, (_, i) => `ucenik${String(i + 1).padStart(4, '0')}`);
  const distinct = new Set(ids.map((id) => JSON.stringify(tasksFor(set, id)))).size;
  t.diagnostic(`${distinct} different sets`);
  assert.ok(distinct >= 990, `${distinct}`);
});

// What a student is asked: the vertex, the cube and the turns of that cube (blue turns about X
// only, green about X and Y), as a sheet states them.
const question = ({ vertex, cube, answers }) => `V${vertex} cube ${cube} after ${answers.slice(0, cube)}`;

property('every task of every set asks an allowed vertex and cube, with angles of the set the program reads exactly, and no question twice while others are left',
  fc.tuple(anySet, anyId), ([set, id]) => {
    const tasks = tasksFor(set, id);
    assert.equal(tasks.length, set.count);
    const angleCount = (set.angles.max - set.angles.min) / set.angles.step + 1;
    // Blue turns about one axis, green about two, yellow about three.
    const kinds = set.vertices.length * set.cubes.reduce((sum, cube) => sum + angleCount ** cube, 0);
    const distinct = new Set(tasks.map(question)).size;
    assert.equal(distinct, Math.min(set.count, kinds), `questions repeat while others are left: ${tasks.map(question)}`);
    for (const { vertex, cube, answers } of tasks) {
      assert.ok(set.vertices.includes(vertex) && vertex >= 0 && vertex <= 7);
      assert.ok(set.cubes.includes(cube) && cube >= 1 && cube <= 3);
      assert.equal(answers.length, 3);
      for (const answer of answers) {
        const degrees = floatOfDecimal(answer);
        assert.ok(Number.isInteger(degrees) && degrees % set.angles.step === 0, answer);
        assert.ok(degrees >= set.angles.min && degrees <= set.angles.max, answer);
        assert.equal(String(degrees), answer);
      }
    }
  }, 1000);

property('a set link reads back as the same set and holds only URL-safe characters', anySet, (set) => {
  const fragment = setFragment(set);
  assert.match(fragment, /^#domaci=[\w.-]+$/);
  assert.deepEqual(setInFragment(fragment), set);
}, 2000);

// Each field of a valid link spoiled, with the problem it must be refused for.
const valid = setText(defaultSet('Domaći'));
const spoiled = (field, texts, problem) => fc.constantFrom(...texts).map((text) => {
  const fields = valid.split('.');
  fields[field] = text;
  return [fields.join('.'), problem];
});
const broken = fc.oneof(
  fc.constantFrom(['', 'form'], ['2.5.15.0.345.123.01234567.60.RA', 'form'], [valid.split('.').slice(0, 8).join('.'), 'form'],
    [`${valid}.1`, 'form']),
  spoiled(1, ['0', '11', '-1', '05', '5e0', 'x', ''], 'count'),
  spoiled(2, ['45', '10', '0', '-15', 'x'], 'step'),
  spoiled(3, ['7', '-375', '360', '+0', '-0', '00'], 'range'),
  spoiled(4, ['350', '375', '-15', 'x'], 'range'),
  spoiled(5, ['', '0', '4', '31', '113', '1233'], 'cubes'),
  spoiled(6, ['', '8', '10', '0012', '76543210', 'a'], 'vertices'),
  spoiled(7, ['101', '-1', '060', '6x'], 'passMark'),
  spoiled(8, ['', 'ICAg', 'CQ', '_w', 'RG9tYcSHaR', 'RG9tYcSHaQ=', 'RG9tYcSHa', 'R+9t', '7aCA', 'eHh4'.repeat(27)], 'title'),
);

property('a broken set link is refused with the field that is wrong', broken, ([text, problem]) => {
  assert.deepEqual(setInFragment(`#domaci=${text}`), { problem }, text);
}, 1000);

// A valid set's link with one field replaced, or one character put in, taken out or changed.
const fieldText = fc.oneof(fc.stringMatching(/^-?\d{1,4}$/), fc.stringMatching(/^[\w-]{0,12}$/),
  fc.constantFrom('', '0', '00', '-0', '+1', '1e1', ' 1', 'eHh4'));
const edited = fc.oneof(
  fc.tuple(anySet, fc.nat(8), fieldText).map(([set, field, text]) => {
    const fields = setText(set).split('.');
    fields[field] = text;
    return fields.join('.');
  }),
  fc.tuple(anySet, fc.nat(), fc.nat(2), fc.constantFrom(...'0123456789-._aA+= ')).map(([set, at, how, c]) => {
    const text = setText(set);
    const i = at % (text.length + 1);
    return text.slice(0, i) + ['', c, c][how] + text.slice(i + (how === 1 ? 0 : 1));
  }),
);

property('a link\'s text reads as the set whose text it is, or is refused', fc.oneof(fc.string(), edited), (text) => {
  const read = setOfText(text);
  if (read.problem) {
    assert.ok(['form', 'title', 'count', 'step', 'range', 'cubes', 'vertices', 'passMark'].includes(read.problem), read.problem);
  } else {
    assert.equal(setText(read), text);
  }
  assert.equal(setInFragment(`#zadatak=${text}`), null, 'another link\'s key taken for a set');
}, 3000);

test('a set is refused for the field that is wrong', () => {
  const fine = defaultSet('Domaći');
  const cases = [
    [{ title: ' ' }, 'title'], [{ title: 'x'.repeat(titleLimit + 1) }, 'title'], [{ title: 'a\nb' }, 'title'],
    [{ title: '\ud800' }, 'title'], [{ title: 'a\uffff' }, 'title'], [{ title: 7 }, 'title'],
    [{ count: 0 }, 'count'], [{ count: 2.5 }, 'count'], [{ angles: { step: 20, min: 0, max: 40 } }, 'step'],
    [{ angles: { step: 15, min: 30, max: 0 } }, 'range'], [{ angles: { step: 1, min: -361, max: 0 } }, 'range'],
    [{ cubes: [] }, 'cubes'], [{ cubes: [3, 1] }, 'cubes'], [{ cubes: [0, 3] }, 'cubes'], [{ vertices: [2, 2] }, 'vertices'],
    [{ vertices: [8] }, 'vertices'], [{ passMark: 100.5 }, 'passMark'], [{ passMark: -1 }, 'passMark'],
  ];
  for (const [change, problem] of cases) {
    assert.equal(setProblem({ ...fine, ...change }), problem, JSON.stringify(change));
  }
  assert.equal(setProblem({ ...fine, title: 'x'.repeat(titleLimit - 1) + '😀' }), null);
});

property('a pasted list gives each id once, in its order, whatever separates them',
  fc.array(fc.stringMatching(/^[\w.@ čćđšž-]{1,12}$/).filter((id) => id.trim() !== ''), { minLength: 1, maxLength: 20 })
    .chain((ids) => fc.tuple(fc.constant(ids), fc.array(fc.constantFrom('\n', '\r\n', ',', ';', '\t', '\n\n'),
      { minLength: ids.length, maxLength: ids.length }))), ([ids, separators]) => {
    const pasted = [...ids, ...ids].map((id, i) => `${id}${separators[i % ids.length]}`).join('');
    const expected = [];
    ids.map((id) => id.trim()).forEach((id) => expected.includes(id) || expected.push(id));
    assert.deepEqual(studentIds(pasted), expected);
  }, 500);

// V0..V7 of the starting cube, by hand.
const startingCube = [[0, 0, 5], [5, 5, 5], [0, 0, 0], [5, 5, 0], [5, 0, 5], [0, 5, 0], [5, 0, 0], [0, 5, 5]];

property('no task of the default set is free: its vertex always ends more than 0.5 from where it starts (quaternions)',
  anyId, (id) => {
    for (const { vertex, cube, answers } of tasksFor(defaultSet('Domaći zadatak: rotacije kocke'), id)) {
      const start = startingCube[vertex];
      const turns = answers.slice(0, cube).map((a, axis) => [axis, Number(a)]);
      assert.ok(turned(start, turns).some((x, i) => Math.abs(x - start[i]) > 0.5), `V${vertex} cube ${cube} ${answers}`);
    }
  }, 1000);

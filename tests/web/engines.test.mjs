// The page in one browser engine (ENGINE: chromium, firefox or webkit) against the native
// program, driven the same way in each. For every input of the shared table, given in the
// page's link, typed or pasted into its console pane, or typed into the single file opened
// from the disk, and ended with Ctrl-D: the program writes in the page the bytes that the
// native program writes, markup stays text, the tables under the picture show the native
// program's numbers bit for bit, the corners are where the native camera puts them, and the
// canvas differs from the native window (Xvfb) in at most 0.1% of its pixels, the corner
// labels being drawn over it, never into it. A prediction is graded against the program
// and named after the usual mistake it matches; a task link keeps the answer from view
// until the first check. And where the program cannot run, the page says so in words.
// Needs PAGE_DIR, SINGLE_PAGE, NATIVE_BUILD and an X display (testkit/xvfb.sh).

import { test, before as beforeAll, after as afterAll } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import {
  consoleInputs, differingOutside, differingPixels, floatOfBits, nativeCorners, nativeNumbers, numbersDiffering,
  pageTestEnvironment, pageUrl, rgbPixels, runNative, servePage, shownNumbers,
} from '../../testkit/browser.mjs';
import { launch, waitTimeout } from '../../testkit/engines.mjs';
import { mistakeAnswers } from '../../testkit/rotations.mjs';

const engine = process.env.ENGINE ?? 'chromium';
const { pageDir, singlePage, nativeBuild } = pageTestEnvironment();
const maxDifferingShare = 0.001;
const viewport = { width: 1100, height: 1000 };
const work = mkdtempSync(join(tmpdir(), `cube-${engine}-`));

// The starting cube by hand: V0..V7.
const startingCube = [[0, 0, 5], [5, 5, 5], [0, 0, 0], [5, 5, 0], [5, 0, 5], [0, 5, 0], [5, 0, 0], [0, 5, 5]];
// The cubes' colours as the canvas shows them: red, blue, green, yellow.
const cubeColours = [[255, 0, 0], [0, 0, 255], [0, 255, 0], [255, 255, 0]];

let server;
let browser;

beforeAll(async () => {
  server = await servePage(pageDir);
  browser = await launch(engine);
});

afterAll(async () => {
  await browser?.close();
  await new Promise((resolve) => { server?.close(resolve); });
  rmSync(work, { recursive: true, force: true });
});

// What a person does with an input: each complete line typed and sent with Enter, the rest
// left on the line; or the whole of it pasted.
async function typeInput(page, input) {
  const lines = input.split('\n');
  const last = lines.pop();
  for (const line of lines) {
    await page.insertText(line);
    await page.press('Enter');
  }
  await page.insertText(last);
}

// A paste event carrying `input`. Firefox gives a constructed paste event an empty
// clipboard of its own, so the data is set on the event itself.
function pasteInput(page, input) {
  return page.evaluate((text) => {
    const data = new DataTransfer();
    data.setData('text/plain', text);
    const paste = new ClipboardEvent('paste', { bubbles: true, cancelable: true });
    Object.defineProperty(paste, 'clipboardData', { value: data });
    document.getElementById('line').dispatchEvent(paste);
  }, input);
}

// The link that types `input` for the user: its complete lines, one per comma.
function linkTyping(input) {
  const lines = input.split('\n');
  return { url: `${pageUrl(server)}#${lines.slice(0, -1).map(encodeURIComponent).join(',')}`, rest: lines.at(-1) };
}

// Two animation frames: the one being prepared and the one after it are on the screen.
const twoFrames = () => new Promise((resolve) => { requestAnimationFrame(() => requestAnimationFrame(() => resolve(true))); });

// The boxes of what the overlay draws, in canvas pixels, widened by the labels' halo.
const overlayBoxes = () => [...document.querySelectorAll('#overlay > *')].map((e) => {
  const box = e.getBBox();
  return { x: box.x - 3, y: box.y - 3, width: box.width + 6, height: box.height + 6 };
});

test(`${engine}: the page writes the native bytes and draws the native picture for every input`, async (t) => {
  const inputs = consoleInputs();
  assert.ok(inputs.length >= 8);
  for (const [index, { name, text: input }] of inputs.entries()) {
    // Rows take turns: answers in the link, typed or pasted, the single file from the disk.
    const inLink = index % 3 === 0;
    const fromDisk = index % 3 === 2;
    const pasted = index % 2 === 1;
    const how = inLink ? 'given in the link' : `${pasted ? 'pasted' : 'typed'}${fromDisk ? ' into the single file from the disk' : ''}`;
    await t.test(`${how}: ${name}`, async (st) => {
      const nativeShot = join(work, `native-${index}.ppm`);
      const nativeBytes = runNative(nativeBuild, input, nativeShot);

      const link = linkTyping(input);
      const url = inLink ? link.url : fromDisk ? pathToFileURL(singlePage).href : pageUrl(server);
      const page = await browser.open(url, viewport);
      try {
        await page.waitFor(() => document.getElementById('transcript').textContent.includes('po X osi?'));
        await page.evaluate(() => document.getElementById('line').focus());
        if (inLink) {
          // The user carries on once the link's lines are typed, or once the program has
          // stopped asking (a read that stopped at text that is no number never asks again).
          await page.waitFor(() => (cubeRotation.queued === 0 && cubeRotation.reading) || cubeRotation.windowOpen);
          await typeInput(page, link.rest);
        } else if (pasted) {
          await pasteInput(page, input);
        } else {
          await typeInput(page, input);
        }
        // Ctrl-D sends what is left on the line, then ends the input.
        await page.press('Control+D');
        await page.press('Control+D');

        await page.waitFor(() => cubeRotation.ready);
        const written = Buffer.from(await page.evaluate(() => cubeRotation.written.flatMap((c) => [...c])));
        assert.deepEqual(written, nativeBytes);
        // Shown as text only: whatever was typed, the transcript holds no element.
        const transcript = await page.evaluate(() => {
          const e = document.getElementById('transcript');
          return { text: e.textContent, elements: e.children.length };
        });
        assert.equal(transcript.elements, 0);
        assert.ok(transcript.text.endsWith('Kocka rotirana oko Z-ose: zuta'));
        assert.equal(await page.evaluate(() => document.getElementById('line').disabled), true);

        // The numbers under the picture are the native program's, read back from the text.
        assert.deepEqual(numbersDiffering(await page.evaluate(shownNumbers), nativeNumbers(nativeBuild, input)), []);

        // The corners are where the native camera puts the native scene, within a pixel.
        const corners = await page.evaluate(() => cubeRotation.corners.map((c) => [c.cube, c.vertex,
          Number.isFinite(c.x) ? c.x : null, Number.isFinite(c.y) ? c.y : null]));
        const native = nativeCorners(nativeBuild, input);
        assert.deepEqual(corners.map(([cube, vertex]) => 8 * cube + vertex).sort((a, b) => a - b), [...Array(32).keys()]);
        for (const [cube, vertex, x, y] of corners) {
          const [nx, ny] = native[cube][vertex];
          const where = `cube ${cube} V${vertex}: page (${x}, ${y}), native (${nx}, ${ny})`;
          assert.ok(nx === null ? x === null : Math.abs(x - nx) <= 1 && Math.abs(y - ny) <= 1, where);
        }

        // The frame after the legend, shown with the corners' labels over it, and again
        // without them.
        await page.waitFor(() => document.querySelector('#overlay text') !== null || cubeRotation.corners.every((c) => !Number.isFinite(c.x)));
        await page.evaluate(twoFrames);
        const labelled = join(work, `labelled-${index}.png`);
        await page.canvasPicture(labelled);
        const boxes = await page.evaluate(overlayBoxes);
        await page.evaluate(() => document.getElementById('labels').click());
        await page.waitFor(() => document.getElementById('overlay').childElementCount === 0);
        await page.evaluate(twoFrames);
        const png = join(work, `canvas-${index}.png`);
        const box = await page.canvasPicture(png);
        assert.deepEqual([box.x % 1, box.y % 1, box.width, box.height, box.inView], [0, 0, 1024, 700, true]);
        const differing = differingPixels(png, nativeShot);
        st.diagnostic(`${differing} of ${1024 * 700} pixels differ from the native window`);
        assert.ok(differing <= maxDifferingShare * 1024 * 700, `${differing} pixels differ`);
        // The labels changed the screen only where they are drawn.
        assert.equal(differingOutside(labelled, png, boxes, work), 0, 'the labels changed the picture outside their marks');
        if (boxes.length > 0) {
          assert.ok(differingPixels(labelled, png) > 0, 'no label was visible');
        }

        // At each corner's spot the canvas shows its cube's colour, or a later cube's,
        // drawn over it.
        const pixels = rgbPixels(png);
        for (const [cube, vertex, x, y] of corners) {
          if (x === null || x < 0 || y < 0 || x >= 1024 || y >= 700) {
            continue;
          }
          const seen = pixels.at(Math.floor(x), Math.floor(y));
          assert.ok(cubeColours.slice(cube).some((colour) => colour.every((c, i) => c === seen[i])),
            `cube ${cube} V${vertex} at (${x}, ${y}) shows ${seen}`);
        }
        assert.equal(await page.evaluate(() => cubeRotation.failed), null);
        assert.deepEqual(page.problems, []);
      } finally {
        await page.close();
      }
    });
  }
});

// Fills the check form and sends it with Enter in the last field, as a person would.
async function checkPrediction(page, cube, vertex, [x, y, z]) {
  await page.evaluate(([c, v]) => {
    const form = document.getElementById('check-form');
    form.elements.namedItem('cube').value = String(c);
    form.elements.namedItem('vertex').value = String(v);
    window.checkBefore = cubeRotation.check;
  }, [cube, vertex]);
  for (const [name, text] of [['x', x], ['y', y], ['z', z]]) {
    await page.evaluate((field) => {
      const input = document.getElementById('check-form').elements.namedItem(field);
      input.value = '';
      input.focus();
    }, name);
    await page.insertText(text);
  }
  await page.press('Enter');
  await page.waitFor(() => cubeRotation.check !== window.checkBefore);
  return page.evaluate(() => ({
    ...cubeRotation.check,
    named: [...document.querySelectorAll('#verdict li')].map((li) => li.dataset.mistake),
    said: document.getElementById('verdict').textContent,
  }));
}

// A number as a person would type it, to three decimals, with a decimal comma or point.
const typed = (x, comma) => {
  const text = x.toFixed(3);
  return comma ? text.replace('.', ',') : text;
};

test(`${engine}: a prediction is graded against the program's float, and a wrong one names the usual mistake it matches`, async (t) => {
  // Angle triples and a vertex for which every mistake lands somewhere else.
  const rows = [
    { degrees: [30, 45, 60], vertex: 7 },
    { degrees: [20, 50, 70], vertex: 1 },
    { degrees: [-40, 25, 80], vertex: 7 },
    { degrees: [60, -30, 45], vertex: 1 },
    { degrees: [15, 75, -50], vertex: 7 },
  ];
  const ids = ['order', 'direction', 'radians', 'separate', 'centre'];
  for (const { degrees, vertex } of rows) {
    await t.test(`${degrees.join(', ')}: V${vertex}`, async () => {
      const native = nativeNumbers(nativeBuild, `${degrees.join('\n')}\n`);
      const page = await browser.open(`${pageUrl(server)}#${degrees.join(',')}`, viewport);
      try {
        await page.waitFor(() => cubeRotation.ready);
        // The yellow cube, and the green one between the turns.
        for (const cube of [3, 2]) {
          const program = native.cubes[cube][vertex].map(floatOfBits);
          const answers = mistakeAnswers(degrees, startingCube[vertex], cube);
          const all = [answers.right, ...ids.map((id) => answers[id])];
          const unrelated = answers.right.map((x) => -x + 3.5);
          all.forEach((a, i) => all.slice(i + 1).forEach((b) => {
            assert.ok(a.some((x, k) => Math.abs(x - b[k]) > 0.2), `two answers coincide for cube ${cube}: ${a} and ${b}`);
          }));
          assert.ok(all.every((a) => a.some((x, k) => Math.abs(x - unrelated[k]) > 0.2)));

          const right = await checkPrediction(page, cube, vertex, answers.right.map((x) => typed(x, true)));
          assert.equal(right.verdict, 'correct', right.said);
          assert.deepEqual(right.mistakes, []);
          assert.deepEqual(right.program, program, 'the program\'s float');
          assert.match(right.said, /^Tacno\./);
          for (const id of ids) {
            const wrong = await checkPrediction(page, cube, vertex, answers[id].map((x) => typed(x, id === 'order')));
            assert.equal(wrong.verdict, 'wrong', `${id}: ${wrong.said}`);
            assert.deepEqual(wrong.mistakes, [id], `${id}: ${wrong.said}`);
            assert.deepEqual(wrong.named, [id]);
          }
          const other = await checkPrediction(page, cube, vertex, unrelated.map((x) => typed(x, false).replace('-', '\u2212')));
          assert.equal(other.verdict, 'wrong');
          assert.deepEqual(other.mistakes, []);
          assert.match(other.said, /nijednoj od uobicajenih gresaka.*Temena cetiri kocke/s);
          assert.deepEqual(other.predicted, unrelated.map((x) => Number(x.toFixed(3))));
        }
        assert.deepEqual(page.problems, []);
      } finally {
        await page.close();
      }
    });
  }
});

test(`${engine}: a task link keeps the answer from view until the first check`, async () => {
  const native = nativeNumbers(nativeBuild, '30\n45\n60\n');
  const answer = native.cubes[3][7].map(floatOfBits);
  // The first four digits of each coordinate, however the page would write it.
  const digits = answer.map((x) => Math.abs(x).toPrecision(9).slice(0, 5));
  const page = await browser.open(`${pathToFileURL(singlePage).href}#zadatak=V7,30,45,60`, viewport);
  try {
    await page.waitFor(() => cubeRotation.ready);
    assert.deepEqual(await page.evaluate(() => cubeRotation.task), { vertex: 7, cube: 3, answers: ['30', '45', '60'] });
    const before = await page.evaluate(() => document.body.innerText);
    assert.match(before, /Zadatak: gde je teme V7 zute kocke posle rotacija oko X ose za 30°, oko Y ose za 45°, oko Z ose za 60°\?/);
    for (const shown of digits) {
      assert.ok(!before.includes(shown), `${shown} is in view before the check`);
    }
    assert.ok(!before.includes('Pocetna kocka: crvena'), 'the program\'s run is in view');
    assert.equal(await page.evaluate(() => document.getElementById('canvas').getBoundingClientRect().height), 0);

    const first = await checkPrediction(page, 3, 7, ['0', '5', '5']);
    assert.equal(first.verdict, 'wrong');
    const after = await page.evaluate(() => document.body.innerText);
    for (const shown of digits) {
      assert.ok(after.includes(shown), `${shown} is not in view after the check`);
    }
    assert.ok(after.includes('Pocetna kocka: crvena'));
    assert.ok(await page.evaluate(() => document.getElementById('canvas').getBoundingClientRect().height) > 0);
    // Further checks work as on any page.
    const again = await checkPrediction(page, 3, 7, answer.map((x) => typed(x, true)));
    assert.equal(again.verdict, 'correct');
    assert.deepEqual(page.problems, []);
  } finally {
    await page.close();
  }
});

// What each engine does with the folder's page opened from the disk, which fetches its
// .wasm as a file beside it. Each refuses a page from the disk that fetch, as its users have
// it (Chromium: "Failed to fetch"; Firefox, whose rule puppeteer would turn off: a
// NetworkError; WebKitGTK: "Load failed"), and the page points to the single file. An
// engine that let it run would run the program instead, and this test would say so.
const folderFromDisk = { chromium: 'refused', firefox: 'refused', webkit: 'refused' };

test(`${engine}: the page says in words why the program cannot run: from the disk without the single file, without WebGL`, async () => {
  const fromDisk = await browser.open(pathToFileURL(join(pageDir, 'index.html')).href, viewport);
  try {
    await fromDisk.waitFor(() => !document.getElementById('failure').hidden || cubeRotation.reading);
    const failure = await fromDisk.evaluate(() => (document.getElementById('failure').hidden ? null
      : document.getElementById('failure').textContent));
    assert.equal(failure === null ? 'runs' : 'refused', folderFromDisk[engine], `${browser.version}: ${failure}`);
    if (failure === null) {
      assert.equal(await fromDisk.evaluate(() => cubeRotation.failed), null);
    } else {
      assert.match(failure, /cube-rotation\.html.*Tehnicki razlog: cube-rotation\.wasm/s);
      assert.equal(await fromDisk.evaluate(() => document.getElementById('line').disabled), true);
    }
  } finally {
    await fromDisk.close();
  }

  const withoutWebGL = await launch(engine, { webgl: false });
  try {
    const page = await withoutWebGL.open(pageUrl(server), viewport);
    await page.waitFor(() => !document.getElementById('failure').hidden, null, waitTimeout);
    assert.match(await page.evaluate(() => document.getElementById('failure').textContent), /WebGL/);
    assert.equal(await page.evaluate(() => document.getElementById('line').disabled), true);
    assert.equal(await page.evaluate(() => document.getElementById('transcript').textContent), '',
      'the questions were asked anyway');
    await page.close();
  } finally {
    await withoutWebGL.close();
  }
});

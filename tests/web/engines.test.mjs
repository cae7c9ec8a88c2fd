// The page in one browser engine (ENGINE: chromium, firefox or webkit) against the native
// program, driven the same way in each. For every input of the shared table, given in the
// page's link, typed or pasted into its console pane, or typed into the single file opened
// from the disk, and ended with Ctrl-D: the program writes in the page the bytes that the
// native program writes, markup stays text, the tables under the picture show the native
// program's numbers bit for bit, the corners are where the native camera puts them, and the
// canvas differs from the native window (Xvfb) in at most 0.1% of its pixels, the corner
// labels being drawn over it, never into it. Task links from the disk, of every cube a task
// can ask, several vertices and three widths, each grade their own vertex and keep the
// answer unrendered until the first check (the grading itself is tested over its whole
// input space under node). And where the program cannot run, the page says so in words.
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
import { byHand, mistakenTurns } from '../../testkit/rotations.mjs';

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

// Fills the check form's coordinates and sends them with Enter in the last field, as a
// person would; `choice` picks the cube and vertex first, where the form lets one.
async function checkPrediction(page, [x, y, z], choice) {
  await page.evaluate((c) => {
    const form = document.getElementById('check-form');
    if (c) {
      form.elements.namedItem('cube').value = String(c.cube);
      form.elements.namedItem('vertex').value = String(c.vertex);
    }
    window.checkBefore = cubeRotation.check;
  }, choice ?? null);
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

// A number as a person writes it, to `decimals` places, with a decimal comma.
const typed = (x, decimals = 3) => x.toFixed(decimals).replace('.', ',');

// What of the page is rendered at all: boxes, not text.
const renderedParts = () => Object.fromEntries(['console', 'picture', 'canvas', 'overlay', 'numbers', 'tables']
  .map((id) => [id, document.getElementById(id).getClientRects().length > 0]));

test(`${engine}: task links from the disk each grade their own vertex and cube, the answer not rendered before the first check`, async (t) => {
  // One made with "Napravi zadatak" from a page given its answers in the link.
  const maker = await browser.open(`${pathToFileURL(singlePage).href}#15,75,-50`, viewport);
  let made;
  try {
    await maker.waitFor(() => cubeRotation.ready);
    await maker.evaluate(() => {
      const form = document.getElementById('check-form');
      form.elements.namedItem('cube').value = '2';
      form.elements.namedItem('vertex').value = '6';
      document.getElementById('make-task').click();
    });
    made = await maker.waitFor(() => document.querySelector('#task-link .link').textContent || null);
  } finally {
    await maker.close();
  }
  assert.equal(made, '#zadatak=V6,15,75,-50,zelena');
  // Every cube a task can ask, several vertices, each width; the answers typed as a student
  // would: to three decimals, to two (the lessons' own by hand), or with a usual mistake.
  const rows = [
    { fragment: '#zadatak=V7,30,45,60', width: 1366, answer: () => ['0,822', '5,156', '4,863'], verdict: 'correct' },
    { fragment: '#zadatak=V3,30,45,60', width: 390, answer: (exact) => exact.map((x) => typed(x)), verdict: 'correct' },
    { fragment: '#zadatak=V0,-40,25,80,plava', width: 1920, answer: (exact) => exact.map((x) => typed(x)), verdict: 'correct' },
    { fragment: '#zadatak=V4,200,-30,45,plava', width: 390, answer: (exact) => exact.map((x) => typed(x, 2)), verdict: 'correct' },
    { fragment: '#zadatak=V5,20,50,70,zelena', width: 1366, mistake: 'sine-y', verdict: 'wrong' },
    { fragment: made, width: 1920, answer: (exact) => exact.map((x) => typed(x)), verdict: 'correct' },
  ];
  for (const { fragment, width, answer, mistake, verdict } of rows) {
    await t.test(`${fragment} at ${width} px`, async () => {
      const task = /^#zadatak=V(\d),([^,]+),([^,]+),([^,]+)(?:,(\w+))?$/.exec(fragment);
      const [vertex, degrees, cube] = [Number(task[1]), task.slice(2, 5).map(Number), { plava: 1, zelena: 2 }[task[5]] ?? 3];
      const native = nativeNumbers(nativeBuild, `${degrees.join('\n')}\n`);
      const exact = native.cubes[cube][vertex].map(floatOfBits);
      const page = await browser.open(`${pathToFileURL(singlePage).href}${fragment}`, { width, height: 900 });
      try {
        await page.waitFor(() => cubeRotation.ready);
        assert.deepEqual(await page.evaluate(renderedParts),
          { console: false, picture: false, canvas: false, overlay: false, numbers: false, tables: false });
        assert.deepEqual(await page.evaluate(() => [cubeRotation.task.cube, cubeRotation.task.vertex]), [cube, vertex]);
        const typedAnswer = mistake ? byHand(startingCube[vertex], mistakenTurns(degrees, cube)[mistake].turns).map((x) => typed(x, 2))
          : answer(exact);
        const result = await checkPrediction(page, typedAnswer);
        assert.deepEqual([result.cube, result.vertex, result.verdict], [cube, vertex, verdict], result.said);
        assert.deepEqual(result.program, exact);
        if (mistake) {
          assert.ok(result.named.includes(mistake), result.said);
        }
        assert.deepEqual(await page.evaluate(renderedParts),
          { console: true, picture: true, canvas: true, overlay: true, numbers: true, tables: true });
        assert.deepEqual(page.problems, []);
      } finally {
        await page.close();
      }
    });
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

// What a person meets around the program in the page, checked in Chromium (the rows of the
// shared table, the corners, the checks, the task links and the failures are checked in
// every engine by engines.test.mjs): the share link and the saved picture, markup in a link,
// the picture in view, the input closing when nothing more is read, the labels over the
// picture, the check form by keyboard, the task a teacher makes, and the accessibility of
// it all. Needs PAGE_DIR (the built page),
// SINGLE_PAGE (the single file), NATIVE_BUILD (the native test build) and an X display for
// the native program (testkit/xvfb.sh).

import { test, before as beforeAll, after as afterAll } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import {
  AxeBuilder, answerPrompts, collectProblems, differingOutside, differingPixels, floatOfHex, launchChromium,
  nativeNumbers, numbersDiffering, pageUrl, pageTestEnvironment, runNative as nativeRun, servePage,
} from '../../testkit/browser.mjs';
import { waitTimeout } from '../../testkit/engines.mjs';
import { pageWords } from '../../testkit/page_words.mjs';
import { turned, turnsMatrix } from '../../testkit/rotations.mjs';

const { pageDir, singlePage, nativeBuild } = pageTestEnvironment();
const title = 'Geometrija - prikaz zadatka';
// The page's language for this run (PAGE_LANGUAGE, one of its three), which the browser's
// languages choose, and its words.
const language = process.env.PAGE_LANGUAGE ?? 'sr-Latn';
const { say, words } = pageWords(language);
const locale = { 'sr-Latn': 'sr-Latn-RS', 'sr-Cyrl': 'sr-RS', en: 'en-US' }[language];
const maxDifferingShare = 0.001;
const work = mkdtempSync(join(tmpdir(), 'cube-web-'));

// The native program's bytes for `input`, and its window's first frame in `picture`.
const runNative = (input, picture) => nativeRun(nativeBuild, input, picture);

let server;
let browser;

beforeAll(async () => {
  server = await servePage(pageDir);
  browser = await launchChromium();
});

afterAll(async () => {
  await browser?.close();
  await new Promise((resolve) => { server?.close(resolve); });
  rmSync(work, { recursive: true, force: true });
});

// A page with every page error, console error and dialog collected, in a context of its own
// (as axe-core wants); `close` closes both, and is awaited, so that nothing of the page
// outlives its test.
async function openPage(viewport = { width: 1100, height: 1500 }, url = pageUrl(server), from = browser) {
  const context = await from.newContext({ viewport, deviceScaleFactor: 1, locale });
  context.setDefaultTimeout(waitTimeout);
  const page = await context.newPage();
  const problems = collectProblems(page);
  await page.goto(url);
  return { page, problems, close: () => context.close() };
}

// `locator` wholly within the window as first shown, the page not scrolled.
async function assertOnScreen(page, locator) {
  const box = await locator.boundingBox();
  const { width, height } = page.viewportSize();
  assert.ok(box && box.y >= 0 && box.y + box.height <= height && box.x + box.width <= width,
    `${JSON.stringify(box)} not within ${width}×${height}`);
}

// The transcript's text as the program wrote it, and the elements between it (none but the
// page's translations: it is only ever text).
function transcriptOf(page) {
  return page.locator('#transcript').evaluate((e) => ({
    text: [...e.childNodes].filter((n) => n.nodeType === Node.TEXT_NODE).map((n) => n.data).join(''),
    elements: [...e.children].filter((c) => !c.classList.contains('gloss')).length,
  }));
}

// Two animation frames: the one being prepared and the one after it are on the screen.
const twoFrames = (page) => page.evaluate(() => new Promise((resolve) => {
  requestAnimationFrame(() => requestAnimationFrame(resolve));
}));

// Shows or hides the corners' labels with their control, and waits until the overlay
// shows it.
async function showLabels(page, shown) {
  await page.getByRole('checkbox', { name: say('labelsShown') }).setChecked(shown);
  await page.waitForFunction((want) => (document.querySelectorAll('#overlay text').length > 0) === want, shown);
  await twoFrames(page);
}

// The canvas as a PNG, once the frame after the legend is shown, without the labels over
// it. The canvas is shown at its own size on whole pixels, so the screenshot is its image.
async function canvasPng(page, path) {
  await page.waitForFunction(() => cubeRotation.ready);
  await showLabels(page, false);
  const box = await page.locator('canvas').boundingBox();
  assert.deepEqual(box, { x: Math.round(box.x), y: Math.round(box.y), width: 1024, height: 700 });
  await page.screenshot({ path, clip: box });
}

function assertNativePicture(st, png, nativeShot) {
  const differing = differingPixels(png, nativeShot);
  st.diagnostic(`${differing} of ${1024 * 700} pixels differ from the native window`);
  assert.ok(differing <= maxDifferingShare * 1024 * 700, `${differing} pixels differ`);
}


test('the share link opens on the same session, and the saved picture is the canvas', async (t) => {
  const nativeShot = join(work, 'native-share.ppm');
  runNative('30\n45 60\n', nativeShot);
  for (const fromDisk of [false, true]) {
    await t.test(fromDisk ? 'the single file from the disk' : 'the served page', async (st) => {
      const { page, problems, close } = await openPage(undefined, fromDisk ? pathToFileURL(singlePage).href : undefined);
      await page.locator('#line').focus();
      await answerPrompts(page, ['30', '45 60']);
      const firstPng = join(work, `first-${fromDisk}.png`);
      await canvasPng(page, firstPng);
      assertNativePicture(st, firstPng, nativeShot);

      // From the disk the page offers the part after #, saying why: a link to a file on
      // this computer works only on it.
      await page.getByRole('button', { name: say('share') }).click();
      await page.locator('#shared').waitFor({ state: 'visible' });
      const shared = await page.locator('#shared .link').textContent();
      if (fromDisk) {
        assert.equal(shared, `#jezik=${language}&30,45%2060`);
        assert.ok([say('fromDisk'), say('fromDiskCopied')].includes((await page.locator('#shared').textContent()).slice(0, -shared.length)));
      } else {
        assert.ok(shared.endsWith(`#jezik=${language}&30,45%2060`), shared);
      }
      const link = fromDisk ? pathToFileURL(singlePage).href + shared : shared;

      const [download] = await Promise.all([page.waitForEvent('download'),
        page.getByRole('button', { name: say('save') }).click()]);
      assert.equal(download.suggestedFilename(), 'kocka-30-45-60.png');
      const savedPng = join(work, `saved-${fromDisk}.png`);
      await download.saveAs(savedPng);
      assert.equal(execFileSync('identify', ['-format', '%wx%h', savedPng], { encoding: 'utf8' }), '1024x700');
      assertNativePicture(st, savedPng, nativeShot);

      const again = await openPage(undefined, link);
      await again.page.waitForFunction(() => cubeRotation.ready);
      assert.equal((await transcriptOf(again.page)).text, (await transcriptOf(page)).text);
      const againPng = join(work, `again-${fromDisk}.png`);
      await canvasPng(again.page, againPng);
      assert.equal(differingPixels(againPng, firstPng), 0);
      assert.deepEqual([...problems, ...again.problems], []);
      await again.close();
      await close();
    });
  }
});

test('a link cannot put markup in the page, a long one types like a paste, and one without answers changes nothing', async () => {
  const markup = '<img src=x onerror="window.injected=1">';
  const { page, problems, close } = await openPage(undefined, `${pageUrl(server)}#30,45,${encodeURIComponent(markup)}`);
  await page.waitForFunction(() => cubeRotation.ready);
  const transcript = await transcriptOf(page);
  assert.equal(transcript.elements, 0);
  assert.ok(transcript.text.includes(`po Z osi?\n${markup}\n`), transcript.text);
  assert.equal(await page.evaluate(() => window.injected), undefined);
  assert.equal(await page.locator('img').count(), 0);
  assert.deepEqual(problems, []);
  await close();

  // A long answer in the link is typed like a long paste.
  const long = '7'.repeat(200000);
  const longLink = await openPage(undefined, `${pageUrl(server)}#${long},45,60`);
  await longLink.page.waitForFunction(() => cubeRotation.ready, null, { timeout: 60000 });
  assert.ok((await transcriptOf(longLink.page)).text.includes(`po X osi?\n${long}\n`));
  assert.equal(await longLink.page.evaluate(() => cubeRotation.sentLines.length), 3);
  assert.deepEqual(longLink.problems, []);
  await longLink.close();

  for (const empty of ['', '#']) {
    const plain = await openPage(undefined, `${pageUrl(server)}${empty}`);
    await plain.page.waitForFunction(() => cubeRotation.reading);
    assert.equal((await transcriptOf(plain.page)).text, '\n\nZa koliko stepeni zelite da rotirate kvadar po X osi?\n');
    await plain.close();
  }
});

test('a task link the page cannot ask says so at once, with what a task link looks like, and the page runs as without one', async (t) => {
  const broken = [
    ['V7,30,,60', 'badMissing', 'Y'], ['V7,30,45', 'badMissing', 'Z'], ['V7,abc,45,60', 'badNumber', 'abc'],
    ['V9,30,45,60', 'badVertex', 'V9'], ['V7,30,45,60,ljubicasta', 'badCube', 'ljubicasta'], ['V3,30,45,60,crvena', 'badRed', 'crvena'],
    ['V7,30,45,60,zuta,1', 'badExtra', '1'], ['V7,1e39,45,60', 'badInfinite', '1e39'],
  ];
  for (const [items, why, item] of broken) {
    await t.test(items, async () => {
      const { page, problems, close } = await openPage({ width: 1366, height: 768 }, `${pageUrl(server)}#zadatak=${items}`);
      // Said by the time the page has loaded, before the program has even started, where
      // it is seen without scrolling.
      const statement = page.locator('#link-problem');
      assert.equal(await statement.textContent(),
        say('badTask', { why: say(why, { item }), example: '#zadatak=V7,30,45,60', names: 'plava, zelena, zuta' }));
      assert.equal(await statement.getAttribute('role'), 'alert');
      await assertOnScreen(page, statement);
      await page.waitForFunction(() => cubeRotation.reading);
      assert.ok(await page.locator('#console').isVisible());
      assert.equal((await transcriptOf(page)).text, '\n\nZa koliko stepeni zelite da rotirate kvadar po X osi?\n');
      assert.deepEqual(problems, []);
      await close();
    });
  }
});

test('a link pasted over the open page\'s address opens what it links to', async () => {
  const { page, problems, close } = await openPage({ width: 1366, height: 768 }, `${pageUrl(server)}#zadatak=V9,30,45,60`);
  await page.waitForFunction(() => cubeRotation.reading);
  // Only the part after "#" differs: to the browser a move within the page.
  const loaded = page.waitForEvent('load');
  await page.evaluate(() => { location.hash = '#zadatak=V3,30,45,60,plava'; });
  await loaded;
  assert.deepEqual(await page.evaluate(() => [cubeRotation.taskProblem, cubeRotation.task.vertex, cubeRotation.task.cube]), [null, 3, 1]);
  assert.ok(await page.locator('#link-problem').isHidden());
  assert.deepEqual(problems, []);
  await close();
});

test('a broken homework link says so, types nothing, and the page runs as without it', async () => {
  const { page, problems, close } = await openPage({ width: 1366, height: 768 }, `${pageUrl(server)}#domaci=2.5.15.0.345.123.01234567.60.Um90YWNpamU`);
  assert.equal(await page.locator('#link-problem').textContent(), say('badSet', { why: say('badSetForm') }));
  await assertOnScreen(page, page.locator('#link-problem'));
  await page.waitForFunction(() => cubeRotation.reading);
  assert.equal((await transcriptOf(page)).text, '\n\nZa koliko stepeni zelite da rotirate kvadar po X osi?\n');
  assert.ok(await page.locator('#homework').isHidden());
  assert.deepEqual(problems, []);
  await close();
});

// Where the legend's last line is on the screen.
function legendLastLine(page) {
  return page.evaluate(() => {
    const transcript = document.getElementById('transcript');
    transcript.normalize(); // one text node for each run of the program's text
    const text = [...transcript.childNodes].filter((n) => n.nodeType === Node.TEXT_NODE).at(-1);
    const range = document.createRange();
    range.setStart(text, text.length - 'Kocka rotirana oko Z-ose: zuta'.length);
    range.setEnd(text, text.length);
    return range.getBoundingClientRect().toJSON();
  });
}

const inView = (box, viewport) => box.top >= 0 && box.left >= 0 && box.bottom <= viewport.height && box.right <= viewport.width;

test('when the window opens, the whole canvas and the legend are in view and the input is closed', async (t) => {
  for (const viewport of [{ width: 1366, height: 768 }, { width: 1920, height: 1080 }, { width: 390, height: 844 }]) {
    await t.test(`${viewport.width}x${viewport.height}`, async () => {
      const { page, problems, close } = await openPage(viewport);
      await page.locator('#line').focus();
      await answerPrompts(page, ['30', '45', '60']);
      await page.waitForFunction(() => cubeRotation.ready);
      await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
      const canvas = await page.locator('canvas').evaluate((c) => c.getBoundingClientRect().toJSON());
      assert.ok(inView(canvas, viewport), `canvas at ${JSON.stringify(canvas)}`);
      const legend = await legendLastLine(page);
      assert.ok(inView(legend, viewport), `legend's last line at ${JSON.stringify(legend)}`);
      if (viewport.width >= 1366) {
        // The key, with the angles read, beside the picture.
        const key = await page.locator('#key').evaluate((e) => e.getBoundingClientRect().toJSON());
        assert.ok(inView(key, viewport), `key at ${JSON.stringify(key)}`);
        assert.equal(await page.locator('#key li:nth-child(4)').textContent(), `${say('keyYellow')}Z 60°`);
        assert.ok((await page.locator('#key').textContent()).includes(say('keyAxes')));
      }
      const pane = await page.locator('.terminal').evaluate((e) => e.getBoundingClientRect().toJSON());
      assert.ok(legend.top >= pane.top && legend.bottom <= pane.bottom, 'the legend is scrolled out of its pane');
      assert.ok(await page.evaluate(() => document.documentElement.scrollWidth) <= viewport.width, 'the page overflows sideways');

      // Nothing typed now reaches the transcript: no program would read it.
      const before = await page.locator('#transcript').textContent();
      assert.equal(await page.locator('#line').isDisabled(), true);
      await page.locator('.terminal').click();
      await page.keyboard.type('99');
      await page.keyboard.press('Enter');
      assert.equal(await page.locator('#transcript').textContent(), before);
      assert.equal(await page.locator('#line').inputValue(), '');
      assert.deepEqual(problems, []);
      await close();
    });
  }
});

test('the page is accessible: named controls and canvas, a visible focus, the input outside the log, no axe-core violation', async () => {
  const { page, problems, close } = await openPage({ width: 1366, height: 768 });
  await page.waitForFunction(() => window.cubeRotation?.reading);
  const axe = async () => (await new AxeBuilder({ page }).withTags(['wcag2a', 'wcag2aa']).analyze()).violations
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(', ')}`);
  assert.deepEqual(await axe(), []);

  const line = page.getByRole('textbox', { name: say('answer') });
  assert.equal(await line.evaluate((e) => e.closest('[role=log]')), null);
  assert.match(await page.locator('#hint').textContent(), /Enter.*Ctrl-D/);
  assert.ok(await page.locator('#hint').isVisible());
  const outline = () => line.evaluate((e) => `${getComputedStyle(e).outlineStyle} ${getComputedStyle(e).outlineWidth}`);
  await line.evaluate((e) => e.blur());
  const blurred = await outline();
  await line.focus();
  const focused = await outline();
  assert.notEqual(focused, blurred);
  assert.match(focused, /^solid [1-9]/);

  const picture = page.getByRole('img', { name: say('canvas') });
  assert.equal(await picture.evaluate((e) => e.tagName), 'CANVAS');
  assert.equal(await picture.evaluate((e) => document.getElementById(e.getAttribute('aria-describedby')).textContent),
    say('canvasNote').replace('{link}', say('numbersTitle')));

  await answerPrompts(page, ['30', '45', '60']);
  await page.waitForFunction(() => cubeRotation.ready);
  // With the key and the numbers shown, and the numbers reached from the keyboard.
  assert.ok(await page.locator('#numbers').isVisible());
  assert.deepEqual(await axe(), []);
  // The table that scrolls on its own is a region a reader can find by name.
  assert.ok(await page.getByRole('region', { name: say('verticesRegion'), exact: true }).isVisible());
  await page.getByRole('button', { name: say('restart') }).focus();
  let reached = false;
  for (let tab = 0; tab < 20 && !reached; ++tab) {
    await page.keyboard.press('Tab');
    reached = await page.evaluate(() => document.activeElement.closest('#numbers') !== null);
  }
  assert.ok(reached, 'Tab does not reach the numbers');
  // The page's own link to its tables moves there, and the address keeps what it held.
  const address = await page.evaluate(() => location.href);
  await page.locator('#canvas-note a').click();
  assert.equal(await page.evaluate(() => location.href), address);
  assert.deepEqual(problems, []);
  await close();
});

// A figure as the page writes it, back to a number.
const numberOf = (text) => Number(text.replace(/\u2212/g, '-'));

test('the numbers: the product of the three turns and how far the yellow cube is from it, copied as text that reads back to the same floats', async () => {
  const { page, problems, close } = await openPage(undefined, `${pageUrl(server)}#30,45,60`);
  await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
  await page.waitForFunction(() => cubeRotation.ready);

  // The product of the turns worked out from the angles, with quaternions in double. The
  // page multiplies the program's float matrices, whose entries are each within half a
  // float step (3e-8) of the exact ones; over the three products of sums of three that
  // stays under 2e-7 an entry (4.8e-8 when this was written).
  const native = nativeNumbers(nativeBuild, '30\n45\n60\n');
  const product = turnsMatrix([[0, 30], [1, 45], [2, 60]]);
  const shownProduct = await page.locator('#matrix-product tbody td').allTextContents();
  shownProduct.forEach((text, k) => assert.ok(Math.abs(numberOf(text) - product[k]) <= 2e-7, `entry ${k}: ${text}, ${product[k]}`));
  // The yellow cube is that product applied to the red one up to the program's rounding in
  // each step; the page says by how much at most, to two digits. Worked out here by turning
  // each red vertex with the program's three float matrices one after another, in double.
  const [rx, ry, rz] = native.turns.map((turn) => turn.slice(2).map(floatOfHex));
  const apply = (m, v) => [0, 1, 2].map((i) => m[3 * i] * v[0] + m[3 * i + 1] * v[1] + m[3 * i + 2] * v[2]);
  const [red, yellow] = [native.cubes[0], native.cubes[3]].map((cube) => cube.map((v) => v.map(floatOfHex)));
  const largest = Math.max(...red.flatMap((v, label) => apply(rz, apply(ry, apply(rx, v))).map((x, i) => Math.abs(x - yellow[label][i]))));
  assert.ok(largest > 0 && largest < 1e-6, `${largest}`);
  // And the turns worked out from the angles put the yellow cube within a few float steps.
  const corner = [[0, 0, 5], [5, 5, 5], [0, 0, 0], [5, 5, 0], [5, 0, 5], [0, 5, 0], [5, 0, 0], [0, 5, 5]];
  corner.forEach((v, label) => turned(v, [[0, 30], [1, 45], [2, 60]]).forEach((x, i) => {
    assert.ok(Math.abs(x - yellow[label][i]) < 2e-6, `V${label}`);
  }));
  const note = await page.locator('#product-note').textContent();
  const [head, tail] = say('productNote').split('{largest}');
  assert.ok(note.startsWith(head) && note.endsWith(tail), note);
  assert.equal(numberOf(note.slice(head.length, -tail.length)), Number(largest.toPrecision(2)));

  // Copied, the tables paste as tab-separated text with the same floats.
  await page.getByRole('button', { name: say('copy') }).click();
  await page.locator('#copied').filter({ hasText: say('copied') }).waitFor();
  const copied = await page.evaluate(() => navigator.clipboard.readText());
  const rows = copied.split('\n').map((line) => line.split('\t'));
  const after = (name, count) => rows.slice(rows.findIndex((row) => row[0] === name) + 1).slice(0, count);
  const fromCopy = {
    angles: after(words('copyHeads')[0], 3).flatMap((row) => row.slice(1)),
    x: after('Rx', 3).flat(),
    y: after('Ry', 3).flat(),
    z: after('Rz', 3).flat(),
    vertices: after(words('copyHeads')[3], 8).flatMap((row) => row.slice(1)),
  };
  assert.deepEqual(numbersDiffering(fromCopy, native), []);
  assert.deepEqual(after('Rz*Ry*Rx', 3).flat(), shownProduct.map((text) => text.replace(/\u2212/g, '-')));
  assert.deepEqual(problems, []);
  await close();
});

// The labels' rendered font size in CSS pixels, and whether any two of them overlap.
const labelsAsSeen = (page) => page.evaluate(() => {
  const svg = document.getElementById('overlay');
  const scale = svg.getBoundingClientRect().width / 1024;
  const texts = [...svg.querySelectorAll('text')];
  const boxes = texts.map((t) => t.getBoundingClientRect());
  const overlapping = boxes.some((a, i) => boxes.slice(i + 1).some((b) =>
    a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom));
  return { count: texts.length, smallest: Math.min(...texts.map((t) => parseFloat(getComputedStyle(t).fontSize) * scale)), overlapping };
});

test('full screen fills the screen beside or above the key, at its aspect, with readable labels; Esc returns', async (t) => {
  const screens = [{ width: 1366, height: 768 }, { width: 1920, height: 1080 }, { width: 844, height: 390 }, { width: 390, height: 844 }];
  for (const screen of screens) {
    await t.test(`${screen.width}x${screen.height}`, async () => {
      const { page, problems, close } = await openPage(screen, `${pageUrl(server)}#30,45,60`);
      await page.waitForFunction(() => document.querySelectorAll('#overlay text').length > 0);
      await page.getByRole('button', { name: say('fullscreen') }).click();
      await page.waitForFunction(() => document.fullscreenElement?.id === 'picture');
      await twoFrames(page);
      const shown = await page.evaluate(() => {
        const box = (id) => document.getElementById(id).getBoundingClientRect().toJSON();
        const style = getComputedStyle(document.getElementById('picture'));
        return { canvas: box('canvas'), overlay: box('overlay'), key: box('key'), labels: document.querySelector('.labels').getBoundingClientRect().toJSON(),
          padding: parseFloat(style.paddingLeft), gap: parseFloat(style.columnGap), screen: [innerWidth, innerHeight] };
      });
      const [width, height] = shown.screen;
      assert.deepEqual([width, height], [screen.width, screen.height]);
      assert.deepEqual(shown.overlay, shown.canvas);
      assert.ok(Math.abs(shown.canvas.height / shown.canvas.width - 700 / 1024) < 0.01, JSON.stringify(shown.canvas));

      // The room the picture can take: the screen less its padding and, beside it, the column
      // of its key and controls; on a narrow screen, the whole width (the rest is under it).
      const beside = shown.key.left >= shown.canvas.right;
      const roomWidth = width - 2 * shown.padding - (beside ? shown.key.width + shown.gap : 0);
      const roomHeight = beside ? height - 2 * shown.padding : Infinity;
      assert.ok(beside || (shown.key.top >= shown.canvas.bottom && shown.labels.top >= shown.canvas.bottom), 'under the picture');
      // On a phone the column beside the picture may scroll; on a laptop or a desktop it is in view.
      assert.ok(inView(shown.canvas, { width, height }) && (height < 700 || !beside || inView(shown.key, { width, height })),
        JSON.stringify(shown));
      assert.ok(shown.canvas.width >= 0.9 * roomWidth || shown.canvas.height >= 0.9 * roomHeight,
        `${shown.canvas.width}x${shown.canvas.height} in a room of ${roomWidth}x${roomHeight}`);
      const labels = await labelsAsSeen(page);
      assert.ok(labels.count > 0 && labels.smallest >= 11 && !labels.overlapping, JSON.stringify(labels));
      await page.keyboard.press('Escape');
      await page.waitForFunction(() => document.fullscreenElement === null);
      assert.deepEqual(problems, []);
      await close();
    });
  }
});

test('on a phone the labels are readable and never cover one another', async () => {
  const { page, problems, close } = await openPage({ width: 390, height: 844 }, `${pageUrl(server)}#30,45,60`);
  await page.waitForFunction(() => document.querySelectorAll('#overlay text').length > 0);
  await twoFrames(page);
  const labels = await labelsAsSeen(page);
  assert.ok(labels.count >= 4 && labels.smallest >= 11 && !labels.overlapping, JSON.stringify(labels));
  assert.deepEqual(problems, []);
  await close();
});

test('a fresh run from a link with answers starts empty; a decimal comma gets a note saying what was read', async () => {
  const { page, problems, close } = await openPage(undefined, `${pageUrl(server)}#30,45,60`);
  await page.waitForFunction(() => cubeRotation.ready);
  await page.getByRole('button', { name: say('restart') }).click();
  await page.waitForFunction(() => window.cubeRotation?.reading);
  assert.equal((await transcriptOf(page)).text, '\n\nZa koliko stepeni zelite da rotirate kvadar po X osi?\n');
  assert.equal(await page.evaluate(() => location.hash), '');
  assert.ok(await page.locator('#comma-note').isHidden());

  await page.locator('#line').focus();
  await page.keyboard.insertText('12,5');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => cubeRotation.ready);
  assert.equal(await page.locator('#comma-note').textContent(), say('commaNote', { read: 'X 12°, Y 12°, Z 12°' }));
  assert.deepEqual(problems, []);
  await close();
});

test('the page carries the title, a 1024x700 canvas that scales down with its aspect, and a fresh run', async () => {
  const { page, problems, close } = await openPage({ width: 480, height: 900 });
  assert.equal(await page.title(), title);
  assert.equal(await page.locator('h1').textContent(), title);
  const canvas = await page.locator('canvas').evaluate((c) => ({ width: c.width, height: c.height, box: c.getBoundingClientRect().toJSON() }));
  assert.deepEqual([canvas.width, canvas.height], [1024, 700]);
  assert.ok(canvas.box.width <= 480);
  assert.ok(Math.abs(canvas.box.height / canvas.box.width - 700 / 1024) < 0.01);

  // A read that waits leaves the page responsive; a fresh run starts from the first prompt.
  await page.locator('#line').fill('12');
  assert.equal(await page.locator('#line').inputValue(), '12');
  await page.getByRole('button', { name: say('restart') }).click();
  await page.waitForFunction(() => document.getElementById('transcript').textContent.includes('po X osi?'));
  assert.equal(await page.locator('#line').inputValue(), '');
  assert.deepEqual(problems, []);
  await close();
});

// The labels the overlay shows, as text.
const labelTexts = (page) => page.locator('#overlay text').allTextContents();

test('the corners are named over the picture: one cube\'s eight, or one vertex on all four cubes, one label where they meet', async () => {
  const { page, problems, close } = await openPage({ width: 1366, height: 768 }, `${pageUrl(server)}#30,45,60`);
  await page.waitForFunction(() => document.querySelectorAll('#overlay text').length > 0);
  // By default the starting cube's eight corners.
  assert.deepEqual((await labelTexts(page)).sort(), ['V0', 'V1', 'V2', 'V3', 'V4', 'V5', 'V6', 'V7']);
  // V2 is the origin in all four cubes: one label that says so.
  await page.getByLabel(say('labelsWhich')).selectOption('vertex-2');
  assert.deepEqual(await labelTexts(page), [`V2 ${say('allFour')}`]);
  // The vertex's button in the table follows it through the turns.
  await page.getByRole('button', { name: 'V7', exact: true }).click();
  assert.deepEqual((await labelTexts(page)).sort(), words('cubeNames').map((name) => `V7 ${name}`).sort());
  assert.equal(await page.locator('#overlay .path').count(), 1);
  await page.getByLabel(say('labelsWhich')).selectOption('cube-3');
  assert.equal((await labelTexts(page)).length, 8);
  // Each label sits beside its corner as the program's camera placed it.
  const placed = await page.evaluate(() => [...document.querySelectorAll('#overlay .ring')].map((ring) => {
    const box = ring.getBBox();
    return [box.x + box.width / 2, box.y + box.height / 2];
  }));
  const yellow = await page.evaluate(() => cubeRotation.corners.filter((c) => c.cube === 3).map((c) => [c.x, c.y]));
  const byX = (a, b) => a[0] - b[0];
  assert.equal(placed.length, 8);
  placed.sort(byX).forEach(([x, y], i) => {
    const [cx, cy] = yellow.sort(byX)[i];
    assert.ok(Math.abs(x - cx) < 0.01 && Math.abs(y - cy) < 0.01, `a ring at (${x}, ${y}), a corner at (${cx}, ${cy})`);
  });

  await showLabels(page, false);
  assert.equal(await page.locator('#overlay > *').count(), 0);
  assert.deepEqual(problems, []);
  await close();

  // All answers 0: the four cubes coincide, and each corner gets one label.
  const zero = await openPage({ width: 1366, height: 768 }, `${pageUrl(server)}#0,0,0`);
  await zero.page.waitForFunction(() => document.querySelectorAll('#overlay text').length > 0);
  await zero.page.getByLabel(say('labelsWhich')).selectOption('vertex-5');
  assert.deepEqual(await labelTexts(zero.page), [`V5 ${say('allFour')}`]);
  assert.deepEqual(zero.problems, []);
  await zero.close();
});

test('the labels are saved in the PNG, over the unchanged canvas', async () => {
  const { page, problems, close } = await openPage({ width: 1366, height: 768 }, `${pageUrl(server)}#30,45,60`);
  await page.waitForFunction(() => document.querySelectorAll('#overlay text').length > 0);
  const nativeShot = join(work, 'native-labels.ppm');
  runNative('30\n45\n60\n', nativeShot);

  // Saved with the labels: the canvas's own picture under them, changed only where they are.
  const [labelled] = await Promise.all([page.waitForEvent('download'), page.getByRole('button', { name: say('save') }).click()]);
  const labelledPng = join(work, 'saved-labelled.png');
  await labelled.saveAs(labelledPng);
  const boxes = await page.evaluate(() => [...document.querySelectorAll('#overlay > *')].map((e) => {
    const box = e.getBBox();
    return { x: box.x - 3, y: box.y - 3, width: box.width + 6, height: box.height + 6 };
  }));
  assert.ok(differingPixels(labelledPng, nativeShot) > 100, 'the labels are not in the saved picture');
  assert.ok(differingOutside(labelledPng, nativeShot, boxes, work) <= maxDifferingShare * 1024 * 700,
    'the saved picture differs from the native window outside the labels');
  await showLabels(page, false);
  const [plain] = await Promise.all([page.waitForEvent('download'), page.getByRole('button', { name: say('save') }).click()]);
  const plainPng = join(work, 'saved-plain.png');
  await plain.saveAs(plainPng);
  assert.ok(differingPixels(plainPng, nativeShot) <= maxDifferingShare * 1024 * 700);

  assert.deepEqual(problems, []);
  await close();
});

test('the check works by keyboard alone, announces its verdict, and a teacher makes a task link from it', async () => {
  const { page, problems, close } = await openPage({ width: 1366, height: 768 }, `${pageUrl(server)}#30,45,60`);
  await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
  await page.waitForFunction(() => cubeRotation.ready);
  const verdict = page.locator('#verdict');
  assert.equal(await verdict.getAttribute('role'), 'status');
  // Mid-motion: a check is about the still cubes all the same.
  await page.locator('#motion-slider').evaluate((slider) => {
    slider.value = '1.5';
    slider.dispatchEvent(new Event('input', { bubbles: true }));
  });
  await page.waitForFunction(() => cubeRotation.motion?.position === 1.5);

  // Tab from the cube's choice through the form; arrows choose, Enter checks.
  await page.getByRole('combobox', { name: say('cube') }).focus();
  await page.keyboard.press('ArrowUp'); // zuta -> zelena
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.name), 'vertex');
  await page.keyboard.press('Tab');
  // V7 of the green cube after X 30, Y 45: worked out here, to three decimals.
  const green = turned([0, 5, 5], [[0, 30], [1, 45]]);
  for (const [i, axis] of ['x', 'y', 'z'].entries()) {
    assert.equal(await page.evaluate(() => document.activeElement.name), axis);
    await page.keyboard.type(green[i].toFixed(3).replace('.', ','));
    await page.keyboard.press(axis === 'z' ? 'Enter' : 'Tab');
  }
  await page.waitForFunction(() => cubeRotation.check !== null);
  assert.deepEqual(await page.evaluate(() => [cubeRotation.check.cube, cubeRotation.check.vertex, cubeRotation.check.verdict]),
    [2, 7, 'correct']);
  assert.ok((await verdict.textContent()).startsWith(`${say('right')} ${say('facts', { what: `V7 ${words('ofCube')[2]}` }).split(':')[0]}`));
  // The student's point is drawn beside the program's corner.
  await page.waitForFunction(() => document.querySelector('#overlay .cross') !== null);
  assert.equal(await page.locator('#overlay text', { hasText: say('predictedMark') }).count(), 1);

  // A wrong one, off by more than the tolerance, after the right one (the grading's rule
  // itself is tested over its whole input space under node).
  const program = await page.evaluate(() => cubeRotation.check.program);
  const form = page.locator('#check-form');
  for (const [i, axis] of ['x', 'y', 'z'].entries()) {
    await form.getByRole('textbox', { name: axis, exact: true }).fill(String(program[i] + (i === 1 ? 0.25 : 0)));
  }
  await form.getByRole('button', { name: say('check') }).click();
  await page.waitForFunction(() => cubeRotation.check.verdict === 'wrong');
  // Not a number: said, and nothing is graded.
  await form.getByRole('textbox', { name: 'y', exact: true }).fill('pet');
  await form.getByRole('button', { name: say('check') }).click();
  await page.waitForFunction((said) => document.getElementById('verdict').textContent === said, say('typeNumber', { axis: 'y' }));
  assert.equal(await form.getByRole('textbox', { name: 'y', exact: true }).getAttribute('aria-invalid'), 'true');

  // With the labels, the form and a verdict shown: no axe-core violation.
  const violations = (await new AxeBuilder({ page }).withTags(['wcag2a', 'wcag2aa']).analyze()).violations
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(', ')}`);
  assert.deepEqual(violations, []);

  // The teacher's link: the answers the program read and the vertex and cube chosen.
  await page.getByRole('button', { name: say('makeTask') }).click();
  await page.locator('#task-link').waitFor({ state: 'visible' });
  const link = await page.locator('#task-link .link').textContent();
  assert.ok(link.endsWith(`#jezik=${language}&zadatak=V7,30,45,60,zelena`), link);
  const task = await openPage({ width: 1366, height: 768 }, link);
  await task.page.waitForFunction(() => cubeRotation.ready);
  const turns = [['X', 30], ['Y', 45]].map(([axis, degrees]) => say('turn', { axis, degrees })).join(', ');
  assert.ok((await task.page.locator('#task').textContent()).startsWith(say('task', {
    vertex: 'V7', cube: words('ofCube')[2], turns, check: say('check') })), 'the task as it asks');
  assert.deepEqual([...problems, ...task.problems], []);
  await task.close();
  await close();
});

test('a homework\'s next task starts clean: nothing said of the last one\'s check or copy, no field marked', async () => {
  const { page, problems, close } = await openPage({ width: 1366, height: 768 },
    `${pageUrl(server)}#domaci=1.5.15.0.345.123.01234567.60.Um90YWNpamU`);
  await page.locator('#homework input[name=id]').fill('ana.petrovic');
  await page.locator('#homework button[type=submit]').click();
  await page.waitForFunction(() => cubeRotation.ready);
  const form = page.locator('#check-form');
  const field = (axis) => form.getByRole('textbox', { name: axis, exact: true });
  for (const axis of ['x', 'y', 'z']) {
    await field(axis).fill('1');
  }
  await form.getByRole('button', { name: say('check') }).click();
  await page.waitForFunction(() => cubeRotation.check);
  await page.getByRole('button', { name: say('copy') }).click();
  await page.locator('#copied').filter({ hasText: say('copied') }).waitFor();
  // A practice try with a word for a number, left as it is.
  await field('y').fill('pet');
  await form.getByRole('button', { name: say('check') }).click();
  await page.waitForFunction(() => document.querySelector('#check-form [name=y]').getAttribute('aria-invalid') === 'true');

  await page.locator('#homework [data-part=next]').click();
  await page.waitForFunction(() => cubeRotation.ready && cubeRotation.check === null);
  assert.deepEqual(await page.evaluate(() => ['copied', 'verdict'].map((id) => document.getElementById(id).textContent)), ['', '']);
  assert.ok(await page.locator('#copy-text').isHidden());
  assert.equal(await field('y').getAttribute('aria-invalid'), null);
  assert.deepEqual(problems, []);
  await close();
});

// A PDF's text, page by page (poppler's pdftotext).
function pdfPages(path) {
  const count = Number(/Pages:\s+(\d+)/.exec(execFileSync('pdfinfo', [path], { encoding: 'utf8' }))[1]);
  return Array.from({ length: count }, (_, i) =>
    execFileSync('pdftotext', ['-f', String(i + 1), '-l', String(i + 1), '-layout', path, '-'], { encoding: 'utf8' }));
}

test('homework on paper: a student\'s sheet and a teacher\'s key, no button or console in them, no task split across pages', async () => {
  const flat = (text) => text.replace(/\s+/g, ' ').trim();
  // What a printed page must not show: the page's controls and the program's console.
  const unprinted = [say('check'), say('share'), say('print'), say('homeworkNext'), 'Za koliko stepeni'];
  const tasksOn = (pages) => pages.flatMap((text, page) => [...flat(text).matchAll(/(\d+)\. /g)].map((m) => ({ n: m[1], page })));
  const defaultSetLink = `${pageUrl(server)}#domaci=1.5.15.0.345.123.01234567.60.Um90YWNpamU`;

  const sheet = await openPage({ width: 1366, height: 768 }, defaultSetLink);
  await sheet.page.locator('#homework input[name=id]').fill('ana.petrovic');
  await sheet.page.locator('#homework button[type=submit]').click();
  await sheet.page.waitForFunction(() => cubeRotation.ready);
  await sheet.page.evaluate(() => { window.print = () => {}; });
  await sheet.page.locator('#homework [data-part=print]').click();
  const sheetPdf = join(work, 'sheet.pdf');
  await sheet.page.pdf({ path: sheetPdf, format: 'A4' });
  const sheetPages = pdfPages(sheetPdf);
  const tasks = await sheet.page.evaluate(() => cubeRotation.homework.tasks.length);
  assert.deepEqual(sheetPages.flatMap((text) => unprinted.filter((t) => flat(text).includes(t))), []);
  // Each task whole on one page: its statement and its blanks for x, y and z.
  for (const text of sheetPages) {
    const statements = (flat(text).match(/\d+\. /g) ?? []).length;
    assert.equal((flat(text).match(/x = _+ y = _+ z = _+/g) ?? []).length, statements, text);
  }
  assert.equal(tasksOn(sheetPages).length, tasks);
  assert.ok(flat(sheetPages[0]).includes(say('homeworkStudent', { student: 'ana.petrovic' })));
  await sheet.close();

  const key = await openPage({ width: 1366, height: 768 });
  await key.page.waitForFunction(() => cubeRotation.reading);
  await key.page.locator('#teacher summary').click();
  await key.page.locator('#teacher [data-part=ids]').fill('ana.petrovic\n2024/0117\nmarko');
  // The set's link, said again in another language with the rest of the page.
  await key.page.locator('#teacher [data-part=link]').click();
  const linkSaid = key.page.locator('#teacher [data-part=linkBox] > :first-child');
  await linkSaid.waitFor({ state: 'visible' });
  const other = language === 'en' ? 'sr-Latn' : 'en';
  await key.page.selectOption('#language', other);
  assert.ok([pageWords(other).say('linkCopied'), pageWords(other).say('copyLink')].includes(await linkSaid.textContent()));
  await key.page.selectOption('#language', language);
  await key.page.evaluate(() => { window.print = () => {}; });
  await key.page.locator('#teacher [data-part=printKey]').click();
  const keyPdf = join(work, 'key.pdf');
  await key.page.pdf({ path: keyPdf, format: 'A4' });
  const keyPages = pdfPages(keyPdf);
  assert.deepEqual(keyPages.flatMap((text) => unprinted.filter((t) => flat(text).includes(t))), []);
  // A student to a page at least, each task with the program's answer beside it.
  for (const text of keyPages) {
    const statements = (flat(text).match(/\d+\. /g) ?? []).length;
    const answers = flat(text).split(say('homeworkProgramAnswer', { point: '' }).trim()).length - 1;
    assert.equal(answers, statements, text);
  }
  assert.equal(tasksOn(keyPages).length, 3 * 5);
  assert.deepEqual([...sheet.problems, ...key.problems], []);
  await key.close();
});

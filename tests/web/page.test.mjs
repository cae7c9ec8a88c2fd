// What a person meets around the program in the page, checked in Chromium (the rows of the
// shared table and the failures are checked in every engine by engines.test.mjs): the share
// link and the saved picture, markup in a link, the picture in view, the input closing when
// nothing more is read, and the accessibility of it all. Needs PAGE_DIR (the built page),
// SINGLE_PAGE (the single file), NATIVE_BUILD (the native test build) and an X display for
// the native program (testkit/xvfb.sh).

import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import {
  AxeBuilder, answerPrompts, collectProblems, differingPixels, launchChromium, nativeNumbers, numbersDiffering, pageUrl,
  pageTestEnvironment, runNative as nativeRun, servePage,
} from '../../testkit/browser.mjs';

const { pageDir, singlePage, nativeBuild } = pageTestEnvironment();
const title = 'Geometrija - prikaz zadatka';
const maxDifferingShare = 0.001;
const work = mkdtempSync(join(tmpdir(), 'cube-web-'));

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The native program's bytes for `input`, and its window's first frame in `picture`.
const runNative = (input, picture) => nativeRun(nativeBuild, input, picture);

let server;
let browser;

before(async () => {
  server = await servePage(pageDir);
  browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  server?.close();
  rmSync(work, { recursive: true, force: true });
});

// A page with every page error, console error and dialog collected.
async function openPage(viewport = { width: 1100, height: 1500 }, url = pageUrl(server), from = browser) {
  // A context of its own, as axe-core wants, closed with the page.
  const context = await from.newContext({ viewport, deviceScaleFactor: 1 });
  const page = await context.newPage();
  page.once('close', () => context.close());
  const problems = collectProblems(page);
  await page.goto(url);
  return { page, problems };
}



// The transcript's text, and how many elements it holds (none: it is only ever text).
function transcriptOf(page) {
  return page.locator('#transcript').evaluate((e) => ({ text: e.textContent, elements: e.children.length }));
}

// The canvas as a PNG, once the frame after the legend is shown. The canvas is shown at its
// own size on whole pixels, so the screenshot is its image.
async function canvasPng(page, path) {
  await page.waitForFunction(() => cubeRotation.windowOpen);
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  await sleep(300);
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
      const { page, problems } = await openPage(undefined, fromDisk ? pathToFileURL(singlePage).href : undefined);
      await page.locator('#line').focus();
      await answerPrompts(page, ['30', '45 60']);
      const firstPng = join(work, `first-${fromDisk}.png`);
      await canvasPng(page, firstPng);
      assertNativePicture(st, firstPng, nativeShot);

      // From the disk the page offers the part after #, saying why: a link to a file on
      // this computer works only on it.
      await page.getByRole('button', { name: 'Podeli vezu' }).click();
      await page.locator('#shared').waitFor({ state: 'visible' });
      const shared = await page.locator('#shared .link').textContent();
      if (fromDisk) {
        assert.equal(shared, '#30,45%2060');
        assert.match(await page.locator('#shared').textContent(), /samo na njemu.*adresi/);
      } else {
        assert.ok(shared.endsWith('#30,45%2060'), shared);
      }
      const link = fromDisk ? pathToFileURL(singlePage).href + shared : shared;

      const [download] = await Promise.all([page.waitForEvent('download'),
        page.getByRole('button', { name: 'Sacuvaj sliku' }).click()]);
      assert.equal(download.suggestedFilename(), 'kocka-30-45-60.png');
      const savedPng = join(work, `saved-${fromDisk}.png`);
      await download.saveAs(savedPng);
      assert.equal(execFileSync('identify', ['-format', '%wx%h', savedPng], { encoding: 'utf8' }), '1024x700');
      assertNativePicture(st, savedPng, nativeShot);

      const again = await openPage(undefined, link);
      await again.page.waitForFunction(() => cubeRotation.windowOpen);
      assert.equal(await again.page.locator('#transcript').textContent(), await page.locator('#transcript').textContent());
      const againPng = join(work, `again-${fromDisk}.png`);
      await canvasPng(again.page, againPng);
      assert.equal(differingPixels(againPng, firstPng), 0);
      assert.deepEqual([...problems, ...again.problems], []);
      await again.page.close();
      await page.close();
    });
  }
});

test('a link cannot put markup in the page, a long one types like a paste, and one without answers changes nothing', async () => {
  const markup = '<img src=x onerror="window.injected=1">';
  const { page, problems } = await openPage(undefined, `${pageUrl(server)}#30,45,${encodeURIComponent(markup)}`);
  await page.waitForFunction(() => cubeRotation.windowOpen);
  const transcript = await transcriptOf(page);
  assert.equal(transcript.elements, 0);
  assert.ok(transcript.text.includes(`po Z osi?\n${markup}\n`), transcript.text);
  assert.equal(await page.evaluate(() => window.injected), undefined);
  assert.equal(await page.locator('img').count(), 0);
  assert.deepEqual(problems, []);
  await page.close();

  // A long answer in the link is typed like a long paste.
  const long = '7'.repeat(200000);
  const longLink = await openPage(undefined, `${pageUrl(server)}#${long},45,60`);
  await longLink.page.waitForFunction(() => cubeRotation.windowOpen, null, { timeout: 60000 });
  assert.ok((await longLink.page.locator('#transcript').textContent()).includes(`po X osi?\n${long}\n`));
  assert.equal(await longLink.page.evaluate(() => cubeRotation.sentLines.length), 3);
  assert.deepEqual(longLink.problems, []);
  await longLink.page.close();

  for (const empty of ['', '#']) {
    const plain = await openPage(undefined, `${pageUrl(server)}${empty}`);
    await plain.page.waitForFunction(() => cubeRotation.reading);
    assert.equal(await plain.page.locator('#transcript').textContent(), '\n\nZa koliko stepeni zelite da rotirate kvadar po X osi?\n');
    await plain.page.close();
  }
});

// Where the legend's last line is on the screen.
function legendLastLine(page) {
  return page.evaluate(() => {
    const transcript = document.getElementById('transcript');
    transcript.normalize(); // one text node, not one per write
    const text = transcript.lastChild;
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
      const { page, problems } = await openPage(viewport);
      await page.locator('#line').focus();
      await answerPrompts(page, ['30', '45', '60']);
      await page.waitForFunction(() => cubeRotation.windowOpen);
      await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
      const canvas = await page.locator('canvas').evaluate((c) => c.getBoundingClientRect().toJSON());
      assert.ok(inView(canvas, viewport), `canvas at ${JSON.stringify(canvas)}`);
      const legend = await legendLastLine(page);
      assert.ok(inView(legend, viewport), `legend's last line at ${JSON.stringify(legend)}`);
      if (viewport.width >= 1366) {
        // The key, with the angles read, beside the picture.
        const key = await page.locator('#key').evaluate((e) => e.getBoundingClientRect().toJSON());
        assert.ok(inView(key, viewport), `key at ${JSON.stringify(key)}`);
        assert.match(await page.locator('#key').textContent(), /plava: X 30°.*zelena: Y 45°.*zuta: Z 60°.*X desno, Y gore, Z ka vama/s);
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
      await page.close();
    });
  }
});

test('the page is accessible: named controls and canvas, a visible focus, the input outside the log, no axe-core violation', async () => {
  const { page, problems } = await openPage({ width: 1366, height: 768 });
  await page.waitForFunction(() => window.cubeRotation?.reading);
  const axe = async () => (await new AxeBuilder({ page }).withTags(['wcag2a', 'wcag2aa']).analyze()).violations
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(', ')}`);
  assert.deepEqual(await axe(), []);

  const line = page.getByRole('textbox', { name: 'Odgovor' });
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

  const picture = page.getByRole('img', { name: 'Slika: pocetna kocka i tri rotirane kocke' });
  assert.equal(await picture.evaluate((e) => e.tagName), 'CANVAS');
  assert.match(await picture.evaluate((e) => document.getElementById(e.getAttribute('aria-describedby')).textContent),
    /kljuc.*Brojevi iza slike/);

  await answerPrompts(page, ['30', '45', '60']);
  await page.waitForFunction(() => cubeRotation.windowOpen);
  // With the key and the numbers shown, and the numbers reached from the keyboard.
  assert.ok(await page.locator('#numbers').isVisible());
  assert.deepEqual(await axe(), []);
  await page.getByRole('button', { name: 'Pokreni ponovo' }).focus();
  let reached = false;
  for (let tab = 0; tab < 8 && !reached; ++tab) {
    await page.keyboard.press('Tab');
    reached = await page.evaluate(() => document.activeElement.closest('#numbers') !== null);
  }
  assert.ok(reached, 'Tab does not reach the numbers');
  assert.deepEqual(problems, []);
  await page.close();
});

// A figure as the page writes it, back to a number.
const numberOf = (text) => Number(text.replace(/\u2212/g, '-'));

test('the numbers: the product of the three turns and how far the yellow cube is from it, copied as text that reads back to the same floats', async () => {
  const { page, problems } = await openPage(undefined, `${pageUrl(server)}#30,45,60`);
  await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
  await page.waitForFunction(() => cubeRotation.windowOpen);

  // The product and the largest distance, worked out here from the native program's floats.
  const native = nativeNumbers(nativeBuild, '30\n45\n60\n');
  const float = (hex) => new DataView(Uint32Array.of(parseInt(hex, 16)).buffer).getFloat32(0, true);
  const [rx, ry, rz] = native.turns.map((turn) => turn.slice(2).map(float));
  const times = (a, b) => Array.from({ length: 9 }, (_, k) => [0, 1, 2]
    .reduce((sum, m) => sum + a[3 * Math.floor(k / 3) + m] * b[3 * m + (k % 3)], 0));
  const product = times(rz, times(ry, rx));
  const [red, yellow] = [native.cubes[0], native.cubes[3]].map((cube) => cube.map((v) => v.map(float)));
  let largest = 0;
  red.forEach((v, label) => [0, 1, 2].forEach((i) => {
    const exact = product[3 * i] * v[0] + product[3 * i + 1] * v[1] + product[3 * i + 2] * v[2];
    largest = Math.max(largest, Math.abs(exact - yellow[label][i]));
  }));
  assert.ok(largest > 0 && largest < 1e-6, `${largest}`);
  const shownProduct = await page.locator('#matrix-product tbody td').allTextContents();
  assert.deepEqual(shownProduct.map((text) => Math.fround(numberOf(text))), product.map((x) => Math.fround(x)));
  const note = await page.locator('#product-note').textContent();
  assert.match(note, /Zuta kocka je ova matrica primenjena na crvenu kocku/);
  assert.equal(numberOf(/najvise za (\S+)\.$/.exec(note)[1]), Number(largest.toPrecision(2)));

  // Copied, the tables paste as tab-separated text with the same floats.
  await page.getByRole('button', { name: 'Kopiraj tabele' }).click();
  await page.locator('#copied').filter({ hasText: 'kopirane' }).waitFor();
  const copied = await page.evaluate(() => navigator.clipboard.readText());
  const rows = copied.split('\n').map((line) => line.split('\t'));
  const after = (name, count) => rows.slice(rows.findIndex((row) => row[0] === name) + 1).slice(0, count);
  const fromCopy = {
    angles: after('korak', 3).flatMap((row) => row.slice(1)),
    x: after('Rx', 3).flat(),
    y: after('Ry', 3).flat(),
    z: after('Rz', 3).flat(),
    vertices: after('teme', 8).flatMap((row) => row.slice(1)),
  };
  assert.deepEqual(numbersDiffering(fromCopy, native), []);
  assert.deepEqual(after('Rz*Ry*Rx', 3).flat(), shownProduct.map((text) => text.replace(/\u2212/g, '-')));
  assert.deepEqual(problems, []);
  await page.close();
});

test('full screen shows the picture with its key at its aspect; Esc returns', async () => {
  const { page, problems } = await openPage({ width: 1366, height: 768 }, `${pageUrl(server)}#30,45,60`);
  await page.waitForFunction(() => cubeRotation.windowOpen);
  await page.getByRole('button', { name: 'Ceo ekran' }).click();
  await page.waitForFunction(() => document.fullscreenElement?.id === 'picture');
  const shown = await page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    const box = canvas.getBoundingClientRect();
    const key = document.getElementById('key').getBoundingClientRect();
    return { width: canvas.width, height: canvas.height, box: box.toJSON(), key: key.toJSON(), screen: [innerWidth, innerHeight] };
  });
  assert.deepEqual([shown.width, shown.height], [1024, 700]);
  assert.ok(Math.abs(shown.box.height / shown.box.width - 700 / 1024) < 0.01, JSON.stringify(shown.box));
  const [width, height] = shown.screen;
  assert.ok(inView(shown.box, { width, height }) && inView(shown.key, { width, height }), JSON.stringify(shown));
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => document.fullscreenElement === null);
  assert.deepEqual(problems, []);
  await page.close();
});

test('a fresh run from a link with answers starts empty; a decimal comma gets a note saying what was read', async () => {
  const { page, problems } = await openPage(undefined, `${pageUrl(server)}#30,45,60`);
  await page.waitForFunction(() => cubeRotation.windowOpen);
  await page.getByRole('button', { name: 'Pokreni ponovo' }).click();
  await page.waitForFunction(() => window.cubeRotation?.reading);
  assert.equal(await page.locator('#transcript').textContent(), '\n\nZa koliko stepeni zelite da rotirate kvadar po X osi?\n');
  assert.equal(await page.evaluate(() => location.hash), '');
  assert.ok(await page.locator('#comma-note').isHidden());

  await page.locator('#line').focus();
  await page.keyboard.insertText('12,5');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => cubeRotation.windowOpen);
  assert.match(await page.locator('#comma-note').textContent(), /tacka, ne zarez.*X 12°, Y 12°, Z 12°/);
  assert.deepEqual(problems, []);
  await page.close();
});

test('the page carries the title, a 1024x700 canvas that scales down with its aspect, and a fresh run', async () => {
  const { page, problems } = await openPage({ width: 480, height: 900 });
  assert.equal(await page.title(), title);
  assert.equal(await page.locator('h1').textContent(), title);
  const canvas = await page.locator('canvas').evaluate((c) => ({ width: c.width, height: c.height, box: c.getBoundingClientRect().toJSON() }));
  assert.deepEqual([canvas.width, canvas.height], [1024, 700]);
  assert.ok(canvas.box.width <= 480);
  assert.ok(Math.abs(canvas.box.height / canvas.box.width - 700 / 1024) < 0.01);

  // A read that waits leaves the page responsive; a fresh run starts from the first prompt.
  await page.locator('#line').fill('12');
  assert.equal(await page.locator('#line').inputValue(), '12');
  await page.getByRole('button', { name: 'Pokreni ponovo' }).click();
  await page.waitForFunction(() => document.getElementById('transcript').textContent.includes('po X osi?'));
  assert.equal(await page.locator('#line').inputValue(), '');
  assert.deepEqual(problems, []);
  await page.close();
});

// The page in one browser engine (ENGINE: chromium, firefox or webkit) against the native
// program, driven the same way in each. For every input of the shared table, given in the
// page's link, typed or pasted into its console pane, or typed into the single file opened
// from the disk, and ended with Ctrl-D: the program writes in the page the bytes that the
// native program writes, markup stays text, the tables under the picture show the native
// program's numbers bit for bit, and the canvas differs from the native window (Xvfb) in at
// most 0.1% of its pixels. And where the program cannot run, the page says so
// in words. Needs PAGE_DIR, SINGLE_PAGE, NATIVE_BUILD and an X display (testkit/xvfb.sh).

import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import {
  consoleInputs, differingPixels, nativeNumbers, numbersDiffering, pageTestEnvironment, pageUrl, runNative, servePage,
  shownNumbers,
} from '../../testkit/browser.mjs';
import { launch } from '../../testkit/engines.mjs';

const engine = process.env.ENGINE ?? 'chromium';
const { pageDir, singlePage, nativeBuild } = pageTestEnvironment();
const maxDifferingShare = 0.001;
const viewport = { width: 1100, height: 1000 };
const work = mkdtempSync(join(tmpdir(), `cube-${engine}-`));

let server;
let browser;

before(async () => {
  server = await servePage(pageDir);
  browser = await launch(engine);
});

after(async () => {
  await browser?.close();
  server?.close();
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

        await page.waitFor(() => cubeRotation.windowOpen, null, 60000);
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

        // The frame after the legend, shown.
        await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
        const png = join(work, `canvas-${index}.png`);
        const box = await page.canvasPicture(png);
        assert.deepEqual([box.x % 1, box.y % 1, box.width, box.height, box.inView], [0, 0, 1024, 700, true]);
        const differing = differingPixels(png, nativeShot);
        st.diagnostic(`${differing} of ${1024 * 700} pixels differ from the native window`);
        assert.ok(differing <= maxDifferingShare * 1024 * 700, `${differing} pixels differ`);
        assert.equal(await page.evaluate(() => cubeRotation.failed), null);
        assert.deepEqual(page.problems, []);
      } finally {
        await page.close();
      }
    });
  }
});

test(`${engine}: the page says in words why the program cannot run: from the disk without the single file, without WebGL`, async (t) => {
  // The folder's page from the disk: an engine that refuses it the .wasm gets a message that
  // points to the single file; one that allows it runs the program.
  const fromDisk = await browser.open(pathToFileURL(join(pageDir, 'index.html')).href, viewport);
  try {
    await fromDisk.waitFor(() => !document.getElementById('failure').hidden || cubeRotation.reading);
    const failure = await fromDisk.evaluate(() => (document.getElementById('failure').hidden ? null
      : document.getElementById('failure').textContent));
    if (failure === null) {
      t.diagnostic(`${engine} lets the folder's page load its .wasm from the disk`);
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
    await page.waitFor(() => !document.getElementById('failure').hidden);
    assert.match(await page.evaluate(() => document.getElementById('failure').textContent), /WebGL/);
    assert.equal(await page.evaluate(() => document.getElementById('line').disabled), true);
    assert.equal(await page.evaluate(() => document.getElementById('transcript').textContent), '',
      'the questions were asked anyway');
    await page.close();
  } finally {
    await withoutWebGL.close();
  }
});

// The web page in Chromium against the native program. For every input of the shared
// table, typed or pasted into the page's console pane and ended with Ctrl-D: the bytes the
// program writes in the page equal what the native program writes for the same input, and
// the canvas differs from the native window (Xvfb) in at most 0.1% of its pixels.
// Needs PAGE_DIR (the built page) and NATIVE_BUILD (the native test build).

import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, spawnSync, execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync, existsSync, openSync, closeSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import { launchChromium, pageUrl, servePage } from './browser.mjs';

const pageDir = process.env.PAGE_DIR;
const nativeProgram = join(process.env.NATIVE_BUILD ?? '', 'app', 'cube-rotation');
const title = 'Geometrija - prikaz zadatka';
const maxDifferingShare = 0.001;
const here = dirname(fileURLToPath(import.meta.url));
const work = mkdtempSync(join(tmpdir(), 'cube-web-'));

// The shared console inputs: printf %b escapes, "repeat N C REST" for long ones.
function consoleInputs() {
  const unescape = (text) => text.replace(/\\(.)/g, (_, c) => ({ n: '\n', r: '\r', t: '\t', '\\': '\\' })[c] ?? c);
  return readFileSync(join(here, '..', 'inputs', 'console.txt'), 'utf8')
    .replace(/\n$/, '')
    .split('\n')
    .filter((line) => !line.startsWith('#'))
    .map((line) => {
      const repeat = /^repeat (\d+) (.) (.*)$/.exec(line);
      return repeat ? repeat[2].repeat(Number(repeat[1])) + unescape(repeat[3]) : unescape(line);
    });
}

// -noreset: without it the server resets each time its last client leaves, and the next
// program that connects during the reset fails to open the display.
function startXvfb() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp', '-noreset'], {
    stdio: ['ignore', 'ignore', 'ignore', 'pipe'],
  });
  return new Promise((resolve, reject) => {
    xvfb.stdio[3].once('data', (data) => resolve({ xvfb, display: `:${String(data).trim()}` }));
    xvfb.once('exit', () => reject(new Error('Xvfb did not start')));
  });
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The native program answered with `input` on a virtual display: what it wrote, and a PNG
// of its window once the first frame is there.
async function runNative(input, display, png) {
  const inputPath = join(work, 'input');
  writeFileSync(inputPath, input);
  const env = { ...process.env, DISPLAY: display };
  const inputFd = openSync(inputPath, 'r');
  const program = spawn(nativeProgram, [], { env, stdio: [inputFd, 'pipe', 'inherit'] });
  closeSync(inputFd);
  const chunks = [];
  program.stdout.on('data', (chunk) => chunks.push(chunk));
  let ended = null;
  program.once('exit', (code, signal) => { ended = signal ?? code; });
  try {
    let id = '';
    for (let i = 0; i < 200 && !id && ended === null; ++i) {
      const info = spawnSync('xwininfo', ['-name', title], { env, encoding: 'utf8' });
      id = /Window id: (0x[0-9a-f]+)/.exec(info.stdout)?.[1] ?? '';
      if (!id) await sleep(100);
    }
    assert.ok(id, ended === null ? 'the native window did not open' : `the native program ended (${ended}) before its window opened`);
    await sleep(1000); // its first frame
    execFileSync('import', ['-window', id, png], { env });
  } finally {
    program.kill();
  }
  return Buffer.concat(chunks);
}

function differingPixels(a, b) {
  // compare prints the count on stderr and exits 1 when any pixel differs.
  const result = spawnSync('compare', ['-metric', 'AE', a, b, 'null:'], { encoding: 'utf8' });
  assert.ok(result.status === 0 || result.status === 1, result.stderr);
  return Number(result.stderr.trim());
}

let server;
let browser;
let x;

before(async () => {
  assert.ok(pageDir && existsSync(join(pageDir, 'index.html')), 'PAGE_DIR must hold the built page');
  assert.ok(existsSync(nativeProgram), 'NATIVE_BUILD must hold the native program');
  server = await servePage(pageDir);
  x = await startXvfb();
  browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  server?.close();
  x?.xvfb.kill();
  rmSync(work, { recursive: true, force: true });
});

// A page with every page error, console error and dialog collected.
async function openPage(viewport = { width: 1100, height: 1500 }) {
  const page = await browser.newPage({ viewport, deviceScaleFactor: 1 });
  const problems = [];
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('console', (message) => message.type() === 'error' && problems.push(`console error: ${message.text()}`));
  page.on('dialog', (dialog) => { problems.push(`dialog: ${dialog.message()}`); dialog.dismiss(); });
  await page.goto(pageUrl(server));
  return { page, problems };
}

async function typeInput(page, input) {
  const lines = input.split('\n');
  const last = lines.pop();
  for (const line of lines) {
    await page.keyboard.insertText(line);
    await page.keyboard.press('Enter');
  }
  await page.keyboard.insertText(last);
}

async function pasteInput(page, input) {
  await page.locator('#line').evaluate((line, text) => {
    const data = new DataTransfer();
    data.setData('text/plain', text);
    line.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true, cancelable: true }));
  }, input);
}

test('the page writes the native bytes and draws the native picture for every input', async (t) => {
  const inputs = consoleInputs();
  assert.ok(inputs.length >= 8);
  for (const [index, input] of inputs.entries()) {
    const pasted = index % 2 === 1;
    await t.test(`${pasted ? 'pasted' : 'typed'} ${JSON.stringify(input.slice(0, 40))}`, async (st) => {
      const nativePng = join(work, `native-${index}.png`);
      const nativeBytes = await runNative(input, x.display, nativePng);

      const { page, problems } = await openPage();
      await page.waitForFunction(() => document.getElementById('transcript').textContent.includes('po X osi?'));
      await page.locator('#line').focus();
      await (pasted ? pasteInput(page, input) : typeInput(page, input));
      // Ctrl-D sends what is left on the line, then ends the input.
      await page.keyboard.press('Control+D');
      await page.keyboard.press('Control+D');

      await page.waitForFunction((size) => Module.terminal.written.reduce((n, c) => n + c.length, 0) >= size,
        nativeBytes.length, { timeout: 60000 });
      const written = Buffer.from(await page.evaluate(() => Module.terminal.written.flatMap((c) => [...c])));
      assert.deepEqual(written, nativeBytes);

      // Shown as text only, and the legend's last line is there although no newline ends it.
      const transcript = await page.locator('#transcript').evaluate((e) => ({ text: e.textContent, elements: e.children.length }));
      assert.equal(transcript.elements, 0);
      assert.ok(transcript.text.endsWith('Kocka rotirana oko Z-ose: zuta'));

      await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
      await sleep(300);
      // The canvas is shown at its own size on whole pixels, so the screenshot is its image.
      const box = await page.locator('canvas').boundingBox();
      assert.deepEqual(box, { x: Math.round(box.x), y: Math.round(box.y), width: 1024, height: 700 });
      const canvasPng = join(work, `canvas-${index}.png`);
      await page.screenshot({ path: canvasPng, clip: box });
      const differing = differingPixels(canvasPng, nativePng);
      st.diagnostic(`${differing} of ${1024 * 700} pixels differ from the native window`);
      assert.ok(differing <= maxDifferingShare * 1024 * 700, `${differing} pixels differ`);
      assert.deepEqual(problems, []);
      await page.close();
    });
  }
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
  await page.getByRole('button').click();
  await page.waitForFunction(() => document.getElementById('transcript').textContent.includes('po X osi?'));
  assert.equal(await page.locator('#line').inputValue(), '');
  assert.deepEqual(problems, []);
  await page.close();
});

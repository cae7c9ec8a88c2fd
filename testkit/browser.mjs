// What the browser tests, the page screenshot and the web benchmark share: the built page
// served over HTTP on 127.0.0.1 (as any static file server would), Debian's Chromium,
// headless, drawing WebGL with SwiftShader, the page's prompts answered as a person would,
// the shared console inputs, and the native program's window as a picture.

import { execFileSync, spawnSync } from 'node:child_process';
import { createReadStream, existsSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { dirname, extname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { floatBits, floatOfBits } from './floats.mjs';

export { default as AxeBuilder } from '@axe-core/playwright';

const root = join(dirname(fileURLToPath(import.meta.url)), '..');

export function servePage(folder) {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
  const server = createServer((request, response) => {
    const path = join(folder, new URL(request.url, 'http://localhost').pathname.replace(/\/$/, '/index.html'));
    if (!path.startsWith(folder) || !existsSync(path)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[extname(path)] ?? 'application/octet-stream' });
    createReadStream(path).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

export function pageUrl(server) {
  return `http://127.0.0.1:${server.address().port}/`;
}

export function launchChromium(extraArgs = []) {
  return chromium.launch({
    executablePath: '/usr/bin/chromium',
    // No sandbox as root; no network but the page's own.
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-gpu-vsync',
      '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
      '--disable-quic', ...extraArgs],
  });
}

// Types each answer and presses Enter once the program waits for it, as a person would.
export async function answerPrompts(page, answers) {
  for (const answer of answers) {
    await page.waitForFunction(() => window.cubeRotation?.reading);
    await page.keyboard.type(answer);
    await page.keyboard.press('Enter');
  }
}

// The inputs every build is checked on: each file of tests/inputs/console, byte for byte,
// in the order of the names.
export function consoleInputs() {
  const dir = join(root, 'tests', 'inputs', 'console');
  return readdirSync(dir).sort().map((name) => ({ name, text: readFileSync(join(dir, name), 'utf8') }));
}

// The native program answered with `input` on the display in DISPLAY: what it wrote, with
// a picture of its window's first frame in `picture` (PPM), by the native test build's
// window-shot.
export function runNative(nativeBuild, input, picture) {
  const inputPath = `${picture}.input`;
  writeFileSync(inputPath, input);
  const shot = spawnSync(join(nativeBuild, 'testkit', 'window-shot'),
    [picture, inputPath, join(nativeBuild, 'app', 'cube-rotation')], { maxBuffer: 1 << 26 });
  if (shot.status !== 0) {
    throw new Error(`window-shot failed (${shot.status ?? shot.signal}): ${shot.stderr}`);
  }
  return shot.stdout;
}

// How many pixels of two pictures of the same size differ (ImageMagick's count).
export function differingPixels(a, b) {
  // compare prints the count on stderr and exits 1 when any pixel differs.
  const result = spawnSync('compare', ['-metric', 'AE', a, b, 'null:'], { encoding: 'utf8' });
  if (result.status !== 0 && result.status !== 1) {
    throw new Error(`compare failed: ${result.stderr}`);
  }
  return Number(result.stderr.trim());
}

// The numbers the page shows for `input`, as the native test build computes them: bit
// patterns in hex of each turn (degrees, radians, nine matrix entries) and of V0..V7 of
// each cube (scene_dump --numbers).
export function nativeNumbers(nativeBuild, input) {
  const dump = spawnSync(join(nativeBuild, 'tests', 'scene_dump'), ['--numbers'], { input, maxBuffer: 1 << 26 });
  if (dump.status !== 0) {
    throw new Error(`scene_dump failed (${dump.status ?? dump.signal}): ${dump.stderr}`);
  }
  return JSON.parse(dump.stdout);
}

// Where the native program's camera puts V0..V7 of each cube for `input`, in pixels from the
// window's top-left corner: [cube][vertex] = [x, y], by the native test build's camera_dump
// (Mesa's gluProject on the viewer's own matrices; needs DISPLAY).
export function nativeCorners(nativeBuild, input) {
  const dump = spawnSync(join(nativeBuild, 'tests', 'camera_dump'), [], { input, maxBuffer: 1 << 26 });
  if (dump.status !== 0) {
    throw new Error(`camera_dump failed (${dump.status ?? dump.signal}): ${dump.stderr}`);
  }
  return JSON.parse(dump.stdout.toString().replace(/-?nan/g, 'null'));
}

// The 32-bit float of a bit pattern in hex.
export const floatOfHex = (hex) => floatOfBits(parseInt(hex, 16));

// A picture's pixels as 8-bit RGB, row by row from the top left (ImageMagick's reading):
// { width, height, at(x, y) => [r, g, b] }.
export function rgbPixels(picture) {
  const [width, height] = execFileSync('identify', ['-format', '%w %h', picture], { encoding: 'utf8' }).split(' ').map(Number);
  const bytes = execFileSync('convert', [picture, '-depth', '8', 'rgb:-'], { maxBuffer: 1 << 26 });
  return { width, height, at: (x, y) => [...bytes.subarray(3 * (y * width + x), 3 * (y * width + x) + 3)] };
}

// How many pixels of two pictures differ outside the boxes ({ x, y, width, height }), which
// are painted over in both before they are compared.
export function differingOutside(a, b, boxes, work) {
  const draw = boxes.flatMap((box) => ['-draw',
    `rectangle ${Math.floor(box.x)},${Math.floor(box.y)} ${Math.ceil(box.x + box.width)},${Math.ceil(box.y + box.height)}`]);
  const masked = [a, b].map((picture, i) => {
    const out = join(work, `masked-${i}.png`);
    execFileSync('convert', [picture, '-fill', 'black', ...draw, out]);
    return out;
  });
  return differingPixels(...masked);
}

// A number as the page writes it (U+2212 for minus, U+221E for infinity) to the bits of the
// 32-bit float it reads back as, in hex; 'nan' for any NaN.
function hexOfShown(text) {
  const value = Math.fround(Number(text.replace(/\u2212/g, '-').replace('\u221e', 'Infinity')));
  return Number.isNaN(value) ? 'nan' : floatBits(value).toString(16).padStart(8, '0');
}

// What the page's tables show, cell by cell (run in the page).
export const shownNumbers = () => {
  const cells = (id) => [...document.querySelectorAll(`#${id} tbody td`)].map((td) => td.textContent);
  return { angles: cells('angles'), x: cells('matrix-x'), y: cells('matrix-y'), z: cells('matrix-z'), vertices: cells('vertices') };
};

// The page's tables against the native numbers: a list of the cells that differ.
export function numbersDiffering(shown, native) {
  const nanOr = (hex) => (/^7f[89a-f]|^ff[89a-f]/.test(hex) && hex.slice(2) !== '800000' ? 'nan' : hex);
  const differing = [];
  const check = (where, text, hex) => {
    if (hexOfShown(text ?? '') !== nanOr(hex)) {
      differing.push(`${where}: shown ${text}, native ${hex}`);
    }
  };
  native.turns.forEach((turn, step) => {
    check(`step ${step} degrees`, shown.angles[2 * step], turn[0]);
    check(`step ${step} radians`, shown.angles[2 * step + 1], turn[1]);
    const matrix = shown[['x', 'y', 'z'][step]];
    turn.slice(2).forEach((hex, k) => check(`step ${step} entry ${k}`, matrix[k], hex));
  });
  native.cubes.forEach((cube, c) => cube.forEach((vertex, label) => vertex.forEach((hex, axis) =>
    check(`cube ${c} V${label} ${'xyz'[axis]}`, shown.vertices[12 * label + 3 * c + axis], hex))));
  return differing;
}

// Every page error, console error and dialog of a Playwright or puppeteer page, as they
// come; a dialog is dismissed.
export function collectProblems(page) {
  const problems = [];
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('console', (message) => message.type() === 'error' && problems.push(`console error: ${message.text()}`));
  page.on('dialog', (dialog) => { problems.push(`dialog: ${dialog.message()}`); dialog.dismiss(); });
  return problems;
}

// What the browser tests need from their environment, checked: the built page's folder
// (PAGE_DIR), the single file (SINGLE_PAGE), the native test build (NATIVE_BUILD) and an X
// display for the native program and the browsers.
export function pageTestEnvironment() {
  const { PAGE_DIR: pageDir, SINGLE_PAGE: singlePage, NATIVE_BUILD: nativeBuild = '', DISPLAY: display } = process.env;
  const need = (ok, what) => { if (!ok) throw new Error(what); };
  need(pageDir && existsSync(join(pageDir, 'index.html')), 'PAGE_DIR must hold the built page');
  need(singlePage && existsSync(singlePage), 'SINGLE_PAGE must name the single-file page');
  need(existsSync(join(nativeBuild, 'testkit', 'window-shot')), 'NATIVE_BUILD must hold the native test build');
  need(display, 'the browsers and the native program need an X display');
  return { pageDir, singlePage, nativeBuild };
}

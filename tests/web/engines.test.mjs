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
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import {
  consoleInputs, differingOutside, differingPixels, floatOfHex, nativeCorners, nativeNumbers, numbersDiffering,
  pageTestEnvironment, pageUrl, rgbPixels, runNative, servePage, shownNumbers,
} from '../../testkit/browser.mjs';
import { launch, waitTimeout } from '../../testkit/engines.mjs';
import { languages } from '../../web/language.js';
import { messages } from '../../web/messages.js';
import { splitLanguage, withLanguage } from '../../web/task_link.js';
import { pageWords } from '../../testkit/page_words.mjs';
import { lmsState, serveLms } from '../../testkit/lms.mjs';
import { byHand, mistakeAnswers, mistakenTurns } from '../../testkit/rotations.mjs';

const engine = process.env.ENGINE ?? 'chromium';
const { pageDir, singlePage, nativeBuild } = pageTestEnvironment();
const lmsPackage = process.env.LMS_PACKAGE;
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

// The link that types `input` for the user in the page's `language`: its complete lines, one
// per comma.
function linkTyping(input, language) {
  const lines = input.split('\n');
  return { fragment: `#jezik=${language}&${lines.slice(0, -1).map(encodeURIComponent).join(',')}`, rest: lines.at(-1) };
}


// Two animation frames: the one being prepared and the one after it are on the screen.
const twoFrames = () => new Promise((resolve) => { requestAnimationFrame(() => requestAnimationFrame(() => resolve(true))); });

// The boxes of what the overlay draws, in canvas pixels, widened by the labels' halo.
const overlayBoxes = () => [...document.querySelectorAll('#overlay > *')].map((e) => {
  const box = e.getBBox();
  return { x: box.x - 3, y: box.y - 3, width: box.width + 6, height: box.height + 6 };
});

test(`${engine}: the page writes the native bytes and draws the native picture for every input, in each language`, async (t) => {
  const inputs = consoleInputs();
  assert.ok(inputs.length >= 8);
  for (const [index, { name, text: input }] of inputs.entries()) {
    // Rows take turns: answers in the link, typed or pasted, the single file from the disk,
    // and the page's three languages.
    const inLink = index % 3 === 0;
    const fromDisk = index % 3 === 2;
    const pasted = index % 2 === 1;
    const language = languages[index % languages.length];
    const how = inLink ? 'given in the link' : `${pasted ? 'pasted' : 'typed'}${fromDisk ? ' into the single file from the disk' : ''}`;
    await t.test(`${how}, ${language}: ${name}`, async (st) => {
      const nativeShot = join(work, `native-${index}.ppm`);
      const nativeBytes = runNative(nativeBuild, input, nativeShot);

      const link = linkTyping(input, language);
      const url = `${fromDisk ? pathToFileURL(singlePage).href : pageUrl(server)}${inLink ? link.fragment : `#jezik=${language}`}`;
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
        // Shown as text only: whatever was typed, the transcript holds no element but the
        // page's translations, in English, one under each question and under the legend.
        const transcript = await page.evaluate(() => {
          const e = document.getElementById('transcript');
          return { text: [...e.childNodes].filter((n) => n.nodeType === Node.TEXT_NODE).map((n) => n.data).join(''),
            elements: [...e.children].map((c) => c.className) };
        });
        assert.deepEqual(transcript.elements, language === 'en' ? ['gloss', 'gloss', 'gloss', 'gloss'] : []);
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

// What of the page is rendered at all: boxes, not text; with the buttons that would save or
// share the picture.
const renderedParts = () => Object.fromEntries(['console', 'picture', 'canvas', 'overlay', 'numbers', 'tables', 'save', 'share']
  .map((id) => [id, document.getElementById(id).getClientRects().length > 0]));

test(`${engine}: task links from the disk each grade their own vertex and cube, the answer not rendered before the first check`, async (t) => {
  // One made with "Napravi zadatak" from a page given its answers in the link.
  const maker = await browser.open(`${pathToFileURL(singlePage).href}#jezik=sr-Cyrl&15,75,-50`, viewport);
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
  assert.equal(made, '#jezik=sr-Cyrl&zadatak=V6,15,75,-50,zelena');
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
  for (const [index, { fragment: link, width, answer, mistake, verdict }] of rows.entries()) {
    const { language: asked, rest: fragment } = splitLanguage(link);
    const language = asked ?? languages[index % languages.length];
    await t.test(`${fragment} at ${width} px, ${language}`, async () => {
      const task = /^#zadatak=V(\d),([^,]+),([^,]+),([^,]+)(?:,(\w+))?$/.exec(fragment);
      const [vertex, degrees, cube] = [Number(task[1]), task.slice(2, 5).map(Number), { plava: 1, zelena: 2 }[task[5]] ?? 3];
      const native = nativeNumbers(nativeBuild, `${degrees.join('\n')}\n`);
      const exact = native.cubes[cube][vertex].map(floatOfHex);
      const page = await browser.open(`${pathToFileURL(singlePage).href}${withLanguage(language, fragment)}`, { width, height: 900 });
      try {
        await page.waitFor(() => cubeRotation.ready);
        assert.deepEqual(await page.evaluate(renderedParts),
          { console: false, picture: false, canvas: false, overlay: false, numbers: false, tables: false, save: false, share: false });
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
          { console: true, picture: true, canvas: true, overlay: true, numbers: true, tables: true, save: true, share: true });
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
      const { say } = pageWords(await fromDisk.evaluate(() => document.documentElement.lang));
      assert.ok(failure.startsWith(say('diskFolder') + say('technicalReason', { reason: 'cube-rotation.wasm: ' })), failure);
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

// What a page shows as its own text: every rendered text, accessible name and tooltip, but
// the program's own texts (its output and its window's title) and the languages' names.
const ownTexts = () => {
  const rendered = (e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility !== 'hidden';
  const texts = [];
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    const element = node.parentElement;
    const own = element.classList.contains('gloss') || !element.closest('[data-program], script, style, #language');
    if (node.data.trim() && rendered(element) && own) {
      texts.push(node.data.trim());
    }
  }
  for (const e of document.querySelectorAll('[aria-label], [title]')) {
    texts.push(...[e.getAttribute('aria-label'), e.getAttribute('title')].filter(Boolean));
  }
  return texts;
};

// The words of `texts` that the message table of `language` does not have: numbers, vertices,
// axes and names from the code aside.
function foreignWords(texts, language) {
  const { words } = pageWords(language);
  const vocabulary = new Set(Object.keys(messages[language]).flatMap((key) => [words(key)].flat())
    .flatMap((text) => text.match(/\p{L}+/gu) ?? []));
  return texts.flatMap((text) => text.match(/\p{L}+/gu) ?? [])
    .filter((word) => !vocabulary.has(word) && !/^(V|X|Y|Z|x|y|z|e|NaN|Infinity|jezik|zadatak)$/.test(word));
}

test(`${engine}: the page in each language, chosen from the browser's languages, kept, carried by links; under its policy`, async (t) => {
  for (const language of languages) {
    await t.test(`${language}, from the disk and served`, async () => {
      const { say } = pageWords(language);
      for (const base of [pathToFileURL(singlePage).href, pageUrl(server)]) {
        const page = await browser.open(`${base}#jezik=${language}&zadatak=V7,30,45,60`, viewport);
        try {
          await page.waitFor(() => cubeRotation.ready);
          assert.equal(await page.evaluate(() => document.documentElement.lang), language);
          await page.evaluate(() => document.getElementById('labels-which').focus());
          const result = await checkPrediction(page, ['0,822', '5,156', '4,863']);
          assert.equal(result.verdict, 'correct');
          assert.ok(result.said.startsWith(say('right')), result.said);
          const texts = await page.evaluate(ownTexts);
          assert.deepEqual(foreignWords(texts, language), [], base);
          if (language === 'sr-Latn') {
            assert.deepEqual([...'čćđšž'].filter((letter) => !texts.join(' ').includes(letter)), []);
          }
          assert.deepEqual(page.problems, []);
        } finally {
          await page.close();
        }
      }
    });
  }

  // What each engine's browser languages give. WebKitGTK takes them from the POSIX locale,
  // which cannot ask for Serbian in Latin letters (sr_RS@latin reads as sr-RS).
  const chosen = { 'sr-RS': 'sr-Cyrl', 'sr-Latn-RS': engine === 'webkit' ? 'sr-Cyrl' : 'sr-Latn', hr: 'sr-Latn', 'en-US': 'en', de: 'en' };
  for (const [locale, language] of Object.entries(chosen)) {
    await t.test(`the browser's languages ${locale}: ${language}`, async () => {
      const localised = await launch(engine, { locale });
      try {
        const page = await localised.open(pathToFileURL(singlePage).href, viewport);
        await page.waitFor(() => cubeRotation.reading);
        assert.equal(await page.evaluate(() => document.documentElement.lang), language, localised.version);
        await page.close();
      } finally {
        await localised.close();
      }
    });
  }

  await t.test('a choice made on the page is kept across a reload and carried by the share link', async () => {
    const page = await browser.open(`${pageUrl(server)}#30,45,60`, viewport);
    try {
      await page.waitFor(() => cubeRotation.ready);
      await page.evaluate(() => {
        const choice = document.getElementById('language');
        choice.value = 'sr-Cyrl';
        choice.dispatchEvent(new Event('change'));
        document.getElementById('share').click();
      });
      const link = await page.waitFor(() => document.querySelector('#shared .link').textContent || null);
      assert.ok(link.endsWith('#jezik=sr-Cyrl&30,45,60'), link);
      // Reloaded after this call has returned, without the link's answers.
      await page.evaluate(() => { setTimeout(() => location.replace(location.href.replace(/#.*$/, ''))); });
      await page.waitFor(() => window.cubeRotation?.reading && !location.hash);
      assert.equal(await page.evaluate(() => document.documentElement.lang), 'sr-Cyrl');
    } finally {
      await page.close();
    }
  });

  await t.test('no injected inline script or handler runs; the page runs fully and saves its picture', async () => {
    const html = readFileSync(singlePage, 'utf8');
    const policy = /<meta http-equiv="Content-Security-Policy" content="([^"]*)">/.exec(html)?.[1] ?? '';
    assert.match(policy, /^default-src 'none'; script-src ('sha256-[^']+' )+'wasm-unsafe-eval';/);
    assert.doesNotMatch(policy, /'unsafe-inline'|'unsafe-eval'/);
    const page = await browser.open(`${pathToFileURL(singlePage).href}#30,45,60`, viewport);
    try {
      await page.waitFor(() => cubeRotation.ready);
      await page.evaluate(() => {
        window.violations = [];
        document.addEventListener('securitypolicyviolation', (event) => window.violations.push(event.effectiveDirective));
        const script = document.createElement('script');
        script.textContent = 'window.injected = "script";';
        document.body.append(script);
        const image = document.createElement('img');
        image.setAttribute('onerror', 'window.injected = "handler";');
        image.src = 'no-such-picture.png';
        document.body.append(image);
        // The saved picture, taken where the page hands it to the browser's download.
        const objectUrl = URL.createObjectURL;
        URL.createObjectURL = (blob) => {
          window.saved = blob.size;
          return objectUrl(blob);
        };
        HTMLAnchorElement.prototype.click = () => {};
        document.getElementById('save').click();
      });
      const seen = await page.waitFor(() => window.violations.length >= 2 && window.saved > 0
        && { violations: [...new Set(window.violations)].sort(), injected: window.injected ?? null, saved: window.saved });
      assert.equal(seen.injected, null);
      assert.ok(seen.violations.some((v) => v.startsWith('script-src')), seen.violations.join(' '));
      assert.ok(seen.saved > 10000, `${seen.saved} bytes saved`);
    } finally {
      await page.close();
    }
  });
});

// Moves the motion's slider as a person's drag ends, and waits for the frame that shows it.
async function slideTo(page, position) {
  await page.evaluate((at) => {
    const slider = document.getElementById('motion-slider');
    slider.value = String(at);
    slider.dispatchEvent(new Event('input', { bubbles: true }));
  }, position);
  await page.waitFor((at) => cubeRotation.motion?.position === at, position);
  await page.evaluate(twoFrames);
}

test(`${engine}: the turns in motion are drawn by the program: the moving cube at its corners, by keyboard, in steps for reduced motion, the picture at rest unchanged`, async (t) => {
  const magenta = [255, 0, 255];
  await t.test('the moving cube at 1.5 turns, either reading, and the picture at rest again at the end', async () => {
    const page = await browser.open(`${pageUrl(server)}#jezik=en&30,45,60`, viewport);
    try {
      await page.waitFor(() => cubeRotation.ready);
      await page.evaluate(() => document.getElementById('labels').click()); // the canvas alone
      await page.evaluate(twoFrames);
      const atRest = join(work, 'rest.png');
      await page.canvasPicture(atRest);
      for (const reading of ['sveta', 'kocke']) {
        await page.evaluate((value) => document.querySelector(`input[name=reading][value=${value}]`).click(), reading);
        await slideTo(page, 1.5);
        const moving = await page.evaluate(() => cubeRotation.motion);
        assert.equal(moving.reading, reading);
        assert.equal(moving.turn, 1);
        assert.equal(moving.degrees, 22.5); // half of the 45° Y answer, in either reading
        const shot = join(work, `moving-${reading}.png`);
        await page.canvasPicture(shot);
        const pixels = rgbPixels(shot);
        for (const [x, y] of moving.corners.filter(([cx, cy]) => cx >= 0 && cy >= 0 && cx < 1024 && cy < 700)) {
          assert.deepEqual(pixels.at(Math.floor(x), Math.floor(y)), magenta, `${reading}: the corner at (${x}, ${y})`);
        }
      }
      await slideTo(page, 3);
      const again = join(work, 'rest-again.png');
      await page.canvasPicture(again);
      assert.equal(differingPixels(again, atRest), 0, 'the picture at the end is not the picture at rest');
      assert.deepEqual(page.problems, []);
    } finally {
      await page.close();
    }
  });

  await t.test('by keyboard alone: play, pause, step and slide', async () => {
    const page = await browser.open(`${pageUrl(server)}#jezik=en&30,45,60`, viewport);
    try {
      await page.waitFor(() => cubeRotation.ready);
      await page.evaluate(() => document.getElementById('motion-next').focus());
      await page.press('Enter'); // the next turn's end, from the end: none further
      await page.evaluate(() => document.getElementById('motion-previous').focus());
      await page.press('Enter');
      await page.waitFor(() => cubeRotation.motion?.position === 2);
      await page.evaluate(() => document.getElementById('motion-play').focus());
      await page.press('Enter');
      await page.waitFor(() => cubeRotation.motion.position > 2);
      await page.press('Enter');
      const paused = await page.evaluate(() => cubeRotation.motion.position);
      assert.ok(paused > 2 && paused < 3, `paused at ${paused}`);
      await page.evaluate(twoFrames);
      assert.equal(await page.evaluate(() => cubeRotation.motion.position), paused, 'it moved on while paused');
      await page.evaluate(() => document.getElementById('motion-slider').focus());
      await page.press('Home');
      await page.waitFor(() => cubeRotation.motion.position === 0);
      await page.press('ArrowRight');
      await page.waitFor(() => cubeRotation.motion.position > 0 && cubeRotation.motion.position < 1);
      assert.deepEqual(page.problems, []);
    } finally {
      await page.close();
    }
  });

  await t.test('with reduced motion, playing moves a whole turn at a time', async () => {
    const still = await launch(engine, { reducedMotion: true });
    try {
      const page = await still.open(`${pageUrl(server)}#jezik=en&30,45,60`, viewport);
      await page.waitFor(() => cubeRotation.ready && matchMedia('(prefers-reduced-motion: reduce)').matches);
      // Every position the page shows from Play to the end, frame by frame.
      const seen = await page.evaluate(() => new Promise((resolve) => {
        const positions = [];
        const look = () => {
          const position = cubeRotation.motion?.position;
          if (position !== undefined && positions.at(-1) !== position) {
            positions.push(position);
          }
          if (position === 3 && positions.length > 1) {
            resolve(positions);
          } else {
            requestAnimationFrame(look);
          }
        };
        document.getElementById('motion-play').click();
        look();
      }));
      assert.deepEqual(seen, [0, 1, 2, 3]);
      await page.close();
    } finally {
      await still.close();
    }
  });
});

// In the LMS's frame: the page's status, and its form filled and sent.
const frameStatus = () => {
  const sco = document.getElementById('sco').contentWindow;
  return sco.cubeRotation?.ready ? JSON.parse(JSON.stringify({ ...sco.cubeRotation.homework,
    lms: sco.document.querySelector('#homework [data-part=lms]').hidden ? null
      : sco.document.querySelector('#homework [data-part=lms]').textContent })) : null;
};
const checkInFrame = ([x, y, z]) => {
  const sco = document.getElementById('sco').contentWindow;
  const form = sco.document.getElementById('check-form');
  Object.entries({ x, y, z }).forEach(([name, value]) => { form.elements.namedItem(name).value = value; });
  form.requestSubmit();
};

test(`${engine}: homework in an LMS (scorm-again): each student's own tasks as the teacher's key has them, the checks, score, status and mistakes sent, the work back after a reload, LMSFinish on leaving, and a failing LMS said without losing work`, async (t) => {
  const { say } = pageWords('en');
  const packageDir = mkdtempSync(join(work, 'package-'));
  execFileSync('unzip', ['-q', lmsPackage, '-d', packageDir]);
  const students = [{ id: 'ana.petrovic', name: 'Petrović, Ana' }, { id: '2024/0117', name: 'Jovanović, Marko' }];

  // The teacher's key for both, from the single file's panel, for the package's set.
  const keyPage = await browser.open(`${pathToFileURL(singlePage).href}#jezik=en`, viewport);
  let key;
  try {
    await keyPage.waitFor(() => cubeRotation.reading);
    key = await keyPage.evaluate(([ids, title]) => {
      const panel = document.getElementById('teacher');
      panel.open = true;
      panel.querySelector('[name=title]').value = title;
      panel.querySelector('[data-part=ids]').value = ids.join('\n');
      panel.querySelector('[data-part=showKey]').click();
      return [...panel.querySelectorAll('[data-student]')].map((sheet) => [...sheet.querySelectorAll('li')].map((li) => ({
        vertex: Number(li.dataset.vertex), cube: Number(li.dataset.cube), answers: li.dataset.answers.split(','),
        program: li.dataset.program.split(',').map(Number) })));
    }, [students.map((s) => s.id), messages['sr-Latn'].homeworkDefaultTitle]);
  } finally {
    await keyPage.close();
  }
  assert.equal(key.length, 2);
  const asked = (tasks) => tasks.map(({ vertex, cube, answers }) => ({ vertex, cube, answers }));
  assert.notDeepEqual(asked(key[0]), asked(key[1]));

  // The first student works every task: right answers worked out with quaternions, typed to
  // three decimals, and a usual mistake on two of them.
  const [ana, marko] = students;
  let saved;
  await t.test(`${ana.id}: five tasks checked, three right`, async () => {
    const lms = await serveLms(packageDir, 'cube-rotation.html', { student: ana });
    const page = await browser.open(pageUrl(lms), viewport);
    try {
      const first = await page.waitFor(frameStatus);
      assert.deepEqual(first.tasks, asked(key[0]));
      assert.equal(first.student, ana.id);
      for (const [i, task] of first.tasks.entries()) {
        if (i > 0) {
          await page.evaluate(() => document.getElementById('sco').contentDocument.querySelector('[data-part=next]').click());
          await page.waitFor((n) => { const s = document.getElementById('sco').contentWindow.cubeRotation; return s.ready && s.homework.results.length === n; }, i);
        }
        const degrees = task.answers.map(Number);
        const answers = mistakeAnswers(degrees, startingCube[task.vertex], task.cube);
        const mistake = [1, 4].includes(i) ? Object.keys(answers).find((id) => id !== 'right'
          && answers[id].some((x, k) => Math.abs(x - answers.right[k]) > 0.5)) : null;
        await page.evaluate(checkInFrame, (mistake ? answers[mistake] : answers.right).map((x) => typed(x)));
        const after = await page.waitFor((n) => { const s = document.getElementById('sco').contentWindow.cubeRotation; return s.homework.results.length === n && s.homework; }, i + 1);
        assert.equal(after.results[i].verdict, mistake ? 'wrong' : 'correct');
        if (mistake) {
          assert.ok(after.results[i].mistakes.includes(mistake), `${mistake}: ${after.results[i].mistakes}`);
        }
        assert.equal(after.status, i < 4 ? 'incomplete' : 'passed');
      }
      const { cmi } = await lmsState(page);
      assert.equal(cmi.core.score.raw, '60');
      assert.equal(cmi.core.lesson_status, 'passed');
      const sent = Object.values(cmi.interactions);
      assert.deepEqual(sent.map((n) => n.result), ['correct', 'wrong', 'correct', 'correct', 'wrong']);
      assert.match(sent[1].student_response, /\| mistakes: /);
      saved = { suspend_data: cmi.suspend_data, core: { lesson_status: cmi.core.lesson_status } };
      // Leaving the page finishes the session.
      await page.evaluate(() => { document.getElementById('sco').src = 'about:blank'; });
      await page.waitFor(() => window.lmsEvents.LMSFinish === 1);
    } finally {
      await page.close();
      lms.close();
    }
  });

  await t.test(`${ana.id} again: the work back; an LMS that refuses or throws is said, and nothing is lost`, async () => {
    const lms = await serveLms(packageDir, 'cube-rotation.html', { student: ana, saved });
    const page = await browser.open(pageUrl(lms), viewport);
    try {
      const back = await page.waitFor(frameStatus);
      assert.equal(back.results.length, 5);
      assert.equal(back.score, 60);
      const task = back.tasks[0]; // checked again: practice
      const right = mistakeAnswers(task.answers.map(Number), startingCube[task.vertex], task.cube).right.map((x) => typed(x));
      // A commit that returns "false", then a set that throws.
      for (const failing of ['LMSCommit', 'LMSSetValue']) {
        await page.evaluate((name) => {
          window.API[`kept${name}`] = window.API[name];
          window.API[name] = name === 'LMSCommit' ? () => 'false' : () => { throw new Error('down'); };
        }, failing);
        const count = await page.evaluate(() => document.getElementById('sco').contentWindow.cubeRotation.homework.results.length);
        await page.evaluate(checkInFrame, right);
        const told = await page.waitFor((n) => { const s = document.getElementById('sco').contentWindow; return s.cubeRotation.homework.results.length === n && s.document.querySelector('#homework [data-part=lms]').textContent; }, count + 1);
        assert.equal(told, say('lmsNotSaved', { unsent: count + 1 - 5 }));
        await page.evaluate((name) => { window.API[name] = window.API[`kept${name}`]; }, failing);
      }
      // The next check sends everything kept.
      await page.evaluate(checkInFrame, right);
      await page.waitFor(() => document.getElementById('sco').contentWindow.cubeRotation.homework.results.length === 8);
      await page.waitFor(() => { const s = document.getElementById('sco').contentWindow; return s.cubeRotation.homework.results.length === 8 && s.document.querySelector('#homework [data-part=lms]').hidden; });
      const { cmi } = await lmsState(page);
      // This LMS kept the suspend data and the status of the last session, not its interactions:
      // the three new checks follow, practice on task 1.
      assert.deepEqual(Object.values(cmi.interactions).map((n) => n.id), [6, 7, 8].map((n) => `task1-check${n}-practice`));
      assert.equal(cmi.core.score.raw, '60');
    } finally {
      await page.close();
      lms.close();
    }
  });

  await t.test(`${marko.id}: tasks of his own`, async () => {
    const lms = await serveLms(packageDir, 'cube-rotation.html', { student: marko });
    const page = await browser.open(pageUrl(lms), viewport);
    try {
      const first = await page.waitFor(frameStatus);
      assert.deepEqual(first.tasks, asked(key[1]));
      assert.equal(await page.evaluate(() => document.getElementById('sco').contentDocument.querySelector('#homework [data-part=student]').textContent),
        say('homeworkStudent', { student: marko.name }));
    } finally {
      await page.close();
      lms.close();
    }
  });
});

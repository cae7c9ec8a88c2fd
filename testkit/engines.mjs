// The page in each of the three browser engines that people use, driven the same way:
// Chromium through Playwright, Firefox ESR through puppeteer-core over WebDriver BiDi, and
// WebKitGTK (Safari's engine) through WebKitWebDriver, plain W3C WebDriver over HTTP. All
// three are Debian's own and draw WebGL in software on the X display in DISPLAY, in a real
// window (headless Firefox refuses software WebGL).
//
//   const browser = await launch('firefox');          // { webgl: false } for one without
//   const page = await browser.open(url, { width, height });
//   await page.waitFor(() => window.cubeRotation?.reading);
//   await page.insertText('30'); await page.press('Enter');
//   await page.canvasPicture('canvas.png');            // the canvas as the screen shows it
//   page.problems                                      // page errors and console errors seen
//   await page.close(); await browser.close();

import { execFileSync, spawn } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import puppeteer from 'puppeteer-core';
import { collectProblems, launchChromium } from './browser.mjs';

export const engineNames = ['chromium', 'firefox', 'webkit'];

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls `predicate` in the page until it returns something true.
async function poll(evaluate, predicate, arg, timeout) {
  const deadline = Date.now() + timeout;
  for (;;) {
    const value = await evaluate(predicate, arg);
    if (value) {
      return value;
    }
    if (Date.now() > deadline) {
      throw new Error(`timed out after ${timeout} ms waiting for ${predicate}`);
    }
    await sleep(50);
  }
}

// The canvas's box in the viewport, whether it is all in view, and how far the page is
// scrolled.
const canvasBox = () => {
  const box = document.getElementById('canvas').getBoundingClientRect();
  return {
    x: box.x, y: box.y, width: box.width, height: box.height, inView: box.top >= 0 && box.bottom <= innerHeight,
    scrollX, scrollY,
  };
};

// Text put in at the caret as a paste or an input method would, in one go.
const insertAtCaret = (text) => { document.execCommand('insertText', false, text); };

function cropTo(png, box, out) {
  execFileSync('convert', [png, '-crop', `${box.width}x${box.height}+${box.x}+${box.y}`, '+repage', out]);
}

// A Playwright or puppeteer page, which share what the harness needs of them, with the
// engine's own ways to type, to press a key, to place a screenshot and to close.
async function drivenPage(page, url, { insertText, press, documentClip, close }) {
  const problems = collectProblems(page);
  await page.goto(url);
  const evaluate = (fn, arg) => page.evaluate(fn, arg);
  return {
    problems,
    evaluate,
    waitFor: (fn, arg, timeout = 30000) => poll(evaluate, fn, arg, timeout),
    insertText: insertText ?? ((text) => evaluate(insertAtCaret, text)),
    press,
    async canvasPicture(path) {
      const box = await evaluate(canvasBox);
      // puppeteer's clip is in the document's coordinates, Playwright's in the viewport's.
      const [dx, dy] = documentClip ? [box.scrollX, box.scrollY] : [0, 0];
      await page.screenshot({ path, clip: { x: box.x + dx, y: box.y + dy, width: box.width, height: box.height } });
      return box;
    },
    close,
  };
}

// --- Chromium, through Playwright -----------------------------------------------------

async function launchChromiumEngine({ webgl }) {
  const browser = await launchChromium(webgl ? [] : ['--disable-webgl', '--disable-3d-apis']);
  return {
    name: 'chromium',
    async open(url, viewport) {
      const context = await browser.newContext({ viewport, deviceScaleFactor: 1 });
      const page = await context.newPage();
      return drivenPage(page, url, {
        insertText: (text) => page.keyboard.insertText(text),
        press: (key) => page.keyboard.press(key),
        close: () => context.close(),
      });
    },
    close: () => browser.close(),
  };
}

// --- Firefox ESR, through puppeteer-core over WebDriver BiDi --------------------------

async function launchFirefox({ webgl }) {
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: false,
    extraPrefsFirefox: webgl ? { 'webgl.force-enabled': true } : { 'webgl.disabled': true },
  });
  return {
    name: 'firefox',
    async open(url, viewport) {
      const page = await browser.newPage();
      await page.setViewport({ ...viewport, deviceScaleFactor: 1 });
      return drivenPage(page, url, {
        press: (key) => pressWithPuppeteer(page, key),
        documentClip: true,
        close: () => page.close(),
      });
    },
    close: () => browser.close(),
  };
}

async function pressWithPuppeteer(page, key) {
  const keys = key.split('+');
  for (const k of keys.slice(0, -1)) {
    await page.keyboard.down(k);
  }
  await page.keyboard.press(keys.at(-1).length === 1 ? keys.at(-1).toLowerCase() : keys.at(-1));
  for (const k of keys.slice(0, -1).reverse()) {
    await page.keyboard.up(k);
  }
}

// --- WebKitGTK, through WebKitWebDriver -----------------------------------------------

function freePort() {
  return new Promise((resolve) => {
    const server = createServer();
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

const webDriverKeys = { Enter: '\uE007', Control: '\uE009' };

async function launchWebKit({ webgl }) {
  const port = await freePort();
  const driver = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore' });
  const base = `http://127.0.0.1:${port}`;
  async function call(method, path, body) {
    const response = await fetch(base + path, {
      method,
      headers: { 'Content-Type': 'application/json' },
      body: body === undefined ? undefined : JSON.stringify(body),
    });
    const { value } = await response.json();
    if (value?.error) {
      throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
    }
    return value;
  }
  for (let tries = 0; ; ++tries) {
    try {
      await call('GET', '/status');
      break;
    } catch (error) {
      if (tries > 100) throw error;
      await sleep(50);
    }
  }
  // The MiniBrowser that comes with the driver, started for automation.
  const binary = execFileSync('sh', ['-c', 'ls /usr/lib/*/webkit2gtk-4.*/MiniBrowser | head -n 1'], { encoding: 'utf8' }).trim();
  const sessions = new Set();
  return {
    name: 'webkit',
    async open(url, viewport) {
      const { sessionId } = await call('POST', '/session', {
        capabilities: {
          alwaysMatch: {
            'webkitgtk:browserOptions': { binary, args: ['--automation', `--enable-webgl=${webgl}`] },
          },
        },
      });
      sessions.add(sessionId);
      const session = `/session/${sessionId}`;
      // The window's size less its own frame is the viewport's: make the viewport the one asked.
      await call('POST', `${session}/window/rect`, viewport);
      const inner = await call('POST', `${session}/execute/sync`, { script: 'return [innerWidth, innerHeight]', args: [] });
      await call('POST', `${session}/window/rect`, {
        width: 2 * viewport.width - inner[0], height: 2 * viewport.height - inner[1],
      });
      await call('POST', `${session}/url`, { url });
      const evaluate = (fn, arg) => call('POST', `${session}/execute/async`, {
        script: `const done = arguments[arguments.length - 1];
          Promise.resolve((${fn})(arguments[0])).then((value) => done(value === undefined ? null : value));`,
        args: [arg ?? null],
      });
      const activeElement = async () => Object.values(await call('GET', `${session}/element/active`))[0];
      return {
        problems: [],
        evaluate,
        waitFor: (fn, arg, timeout = 30000) => poll(evaluate, fn, arg, timeout),
        insertText: (text) => evaluate(insertAtCaret, text),
        async press(key) {
          const keys = key.split('+').map((k) => webDriverKeys[k] ?? k.toLowerCase());
          if (keys.length === 1) {
            await call('POST', `${session}/element/${await activeElement()}/value`, { text: keys[0] });
            return;
          }
          const actions = [...keys.map((value) => ({ type: 'keyDown', value })),
            ...[...keys].reverse().map((value) => ({ type: 'keyUp', value }))];
          await call('POST', `${session}/actions`, { actions: [{ type: 'key', id: 'keyboard', actions }] });
          await call('DELETE', `${session}/actions`);
        },
        // The driver's element screenshot cuts the element short, so the viewport's is cut
        // at the canvas's box instead.
        async canvasPicture(path) {
          const box = await evaluate(canvasBox);
          const whole = `${path}.viewport.png`;
          writeFileSync(whole, Buffer.from(await call('GET', `${session}/screenshot`), 'base64'));
          cropTo(whole, box, path);
          return box;
        },
        async close() {
          sessions.delete(sessionId);
          await call('DELETE', session);
        },
      };
    },
    async close() {
      for (const sessionId of sessions) {
        await call('DELETE', `/session/${sessionId}`).catch(() => {});
      }
      driver.kill();
    },
  };
}

const launchers = { chromium: launchChromiumEngine, firefox: launchFirefox, webkit: launchWebKit };

export function launch(engine, { webgl = true } = {}) {
  const launcher = launchers[engine];
  if (!launcher) {
    throw new Error(`no engine ${engine}; there are ${engineNames.join(', ')}`);
  }
  return launcher({ webgl });
}

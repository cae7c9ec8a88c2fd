// The page in each of the three browser engines that people use, driven the same way:
// Chromium through Playwright, Firefox ESR through puppeteer-core over WebDriver BiDi, and
// WebKitGTK (Safari's engine) through WebKitWebDriver, plain W3C WebDriver over HTTP. All
// three are Debian's own and draw WebGL in software on the X display in DISPLAY, in a real
// window (headless Firefox refuses software WebGL). FIREFOX names another Firefox to drive
// (an older ESR unpacked beside the installed one, say).
//
// The harness asks each browser only for what every version that Debian 12 and 13 ship
// has (Firefox ESR 140 and later, Chromium 150 and later, WebKitGTK 2.4x and 2.5x): it sizes
// the browsing context or the window, never emulates a screen, and a command a browser
// lacks is reported with the browser's name and version.
//
//   const browser = await launch('firefox');          // { webgl: false } for one without
//   const page = await browser.open(url, { width, height });
//   await page.waitFor(() => window.cubeRotation?.reading);
//   await page.insertText('30'); await page.press('Enter');
//   await page.canvasPicture('canvas.png');            // the canvas as the screen shows it
//   page.problems                                      // page errors and console errors seen
//   await page.close(); await browser.close();

import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdirSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { collectProblems, launchChromium } from './browser.mjs';

export const engineNames = ['chromium', 'firefox', 'webkit'];

// Generous for a machine under load: a browser's start and a page's first frame take a few
// seconds when the machine is idle.
export const startTimeout = 120000;
export const waitTimeout = 60000;

// Calls `check` until it gives something true or `timeout` ms have passed, then fails
// saying what did not happen. The pause between calls is only the poll's interval; the
// deadline alone decides.
export async function waitUntil(what, check, timeout = waitTimeout) {
  const deadline = Date.now() + timeout;
  for (;;) {
    const value = await check();
    if (value) {
      return value;
    }
    if (Date.now() > deadline) {
      throw new Error(`${what}: not within ${timeout} ms`);
    }
    await new Promise((resolve) => { setTimeout(resolve, 50); });
  }
}

// Polls `predicate` in the page until it returns something true; a page that is being
// replaced by another (a reload) is polled again once the new one is there.
function poll(evaluate, predicate, arg, timeout) {
  return waitUntil(`waiting in the page for ${predicate}`, () => evaluate(predicate, arg).catch((error) => {
    if (/context was destroyed|navigat|no such frame|unload/i.test(error.message)) {
      return false;
    }
    throw error;
  }), timeout);
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
    waitFor: (fn, arg, timeout = waitTimeout) => poll(evaluate, fn, arg, timeout),
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

async function launchChromiumEngine({ webgl, locale, reducedMotion }) {
  const browser = await launchChromium(webgl ? [] : ['--disable-webgl', '--disable-3d-apis']);
  return {
    name: 'chromium',
    version: `Chromium ${browser.version()}`,
    async open(url, viewport) {
      const context = await browser.newContext({
        viewport, deviceScaleFactor: 1, ...(locale ? { locale } : {}), ...(reducedMotion ? { reducedMotion: 'reduce' } : {}),
      });
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

async function launchFirefox({ webgl, locale, reducedMotion }) {
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
    headless: false,
    timeout: startTimeout,
    protocolTimeout: startTimeout,
    // puppeteer turns off Firefox's rule that a page from the disk may not read the files
    // beside it; a person's Firefox keeps it, and so does the harness.
    extraPrefsFirefox: {
      'security.fileuri.strict_origin_policy': true,
      ...(locale ? { 'intl.accept_languages': locale } : {}),
      ...(reducedMotion ? { 'ui.prefersReducedMotion': 1 } : {}),
      ...(webgl ? { 'webgl.force-enabled': true } : { 'webgl.disabled': true }),
    },
  });
  const version = await browser.version();
  // A WebDriver BiDi command sent as it is, so that the harness needs no more of the
  // browser than the command itself; one that this Firefox lacks is said so.
  async function send(method, params) {
    try {
      return await browser.connection.send(method, params);
    } catch (error) {
      if (/unknown command|not supported|unsupported operation/i.test(error.message)) {
        throw new Error(`${version} lacks the WebDriver BiDi command ${method} (${error.message})`);
      }
      throw error;
    }
  }
  return {
    name: 'firefox',
    version,
    async open(url, viewport) {
      const page = await browser.newPage();
      // The browsing context sized as asked, one CSS pixel to one device pixel.
      await send('browsingContext.setViewport', {
        context: page.mainFrame()._id, viewport: { width: viewport.width, height: viewport.height }, devicePixelRatio: 1,
      });
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

const webDriverKeys = { Enter: '\uE007', Control: '\uE009', Home: '\uE011', End: '\uE010', ArrowLeft: '\uE012', ArrowRight: '\uE014' };

// WebKitGTK takes the page's languages from the POSIX locale of its process, which needs the
// locale's data: made here from Debian's locale sources (the locales package) into a folder
// of the harness's own, so that nothing of the machine's set-up changes. A POSIX locale
// cannot ask for Serbian in Latin letters: sr_RS@latin reads as sr-RS.
const posixLocales = { sr: 'sr_RS', 'sr-rs': 'sr_RS', 'sr-latn-rs': 'sr_RS@latin', hr: 'hr_HR', en: 'en_US', 'en-us': 'en_US', de: 'de_DE' };
function localeEnvironment(locale) {
  const name = posixLocales[locale.toLowerCase()];
  if (!name) {
    throw new Error(`no POSIX locale for ${locale}`);
  }
  const folder = join(tmpdir(), 'cube-rotation-locales');
  const compiled = join(folder, `${name.replace(/@.*/, '')}.UTF-8${name.includes('@') ? name.replace(/^[^@]*/, '') : ''}`);
  if (!existsSync(compiled)) {
    mkdirSync(folder, { recursive: true });
    execFileSync('localedef', ['-i', name, '-f', 'UTF-8', compiled]);
  }
  return { LOCPATH: folder, LC_ALL: basename(compiled), LANG: basename(compiled) };
}

// WebKitGTK asks GTK whether to animate: a settings file of the harness's own says no.
function reducedMotionEnvironment() {
  const config = join(tmpdir(), 'cube-rotation-reduced-motion');
  mkdirSync(join(config, 'gtk-3.0'), { recursive: true });
  writeFileSync(join(config, 'gtk-3.0', 'settings.ini'), '[Settings]\ngtk-enable-animations=0\n');
  return { XDG_CONFIG_HOME: config };
}

async function launchWebKit({ webgl, locale, reducedMotion }) {
  const port = await freePort();
  const env = { ...process.env, ...(locale ? localeEnvironment(locale) : {}), ...(reducedMotion ? reducedMotionEnvironment() : {}) };
  const driver = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore', env });
  const exited = new Promise((resolve) => { driver.once('exit', (code, signal) => resolve(code ?? signal)); });
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
  // The driver answers its status once it listens; one that ended will never answer.
  let ended = null;
  exited.then((how) => { ended = how; });
  await waitUntil('WebKitWebDriver answering on its port', async () => {
    if (ended !== null) {
      throw new Error(`WebKitWebDriver ended (${ended}) before it answered`);
    }
    return call('GET', '/status').then((value) => value?.ready, () => false);
  }, startTimeout);
  // The MiniBrowser that comes with the driver, started for automation.
  const binary = execFileSync('sh', ['-c', 'ls /usr/lib/*/webkit2gtk-4.*/MiniBrowser | head -n 1'], { encoding: 'utf8' }).trim();
  const sessions = new Set();
  let version = 'WebKitGTK'; // and its version, once a session has said it
  return {
    name: 'webkit',
    get version() { return version; },
    async open(url, viewport) {
      const { sessionId, capabilities } = await call('POST', '/session', {
        capabilities: {
          alwaysMatch: {
            'webkitgtk:browserOptions': { binary, args: ['--automation', `--enable-webgl=${webgl}`] },
          },
        },
      });
      sessions.add(sessionId);
      version = `${capabilities.browserName} ${capabilities.browserVersion}`;
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
        waitFor: (fn, arg, timeout = waitTimeout) => poll(evaluate, fn, arg, timeout),
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
      await exited;
    },
  };
}

const launchers = { chromium: launchChromiumEngine, firefox: launchFirefox, webkit: launchWebKit };

// `locale`: the browser's languages, as a BCP 47 tag (sr-RS, hr, en-US...); `reducedMotion`:
// the reader asks for less motion.
export function launch(engine, { webgl = true, locale = null, reducedMotion = false } = {}) {
  const launcher = launchers[engine];
  if (!launcher) {
    throw new Error(`no engine ${engine}; there are ${engineNames.join(', ')}`);
  }
  return launcher({ webgl, locale, reducedMotion });
}

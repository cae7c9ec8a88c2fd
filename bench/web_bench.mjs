// The web page beside a bare Emscripten GLUT page built with the same toolchain, flags and
// console pane (bench/minimal_page.cpp): the time from the last Enter to the first frame on
// the canvas, the bytes a browser transfers (page, .js and .wasm, gzip -9), and the bytes
// of each as one file; and the frame intervals while the turns play in motion. Prints rows
// of the benchmark table.
//   node web_bench.mjs PAGE_DIR MINIMAL_PAGE_DIR SINGLE_FILE MINIMAL_SINGLE_FILE
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { answerPrompts, launchChromium, pageUrl, servePage } from '../testkit/browser.mjs';
import { engineNames, launch } from '../testkit/engines.mjs';

// Each page's time varies by a third from load to load (mostly WebGL context creation, then
// which display frame the draw lands in), and the two pages load independently, so the row
// compares each page's mean over many rounds, with the slowest and fastest tenth left out
// (a stalled load now and then); a per-round ratio would carry both pages' noise at once.
const rounds = Number(process.env.BENCH_ROUNDS || 61);
// The screens the page is laid out for: a common laptop's and a common desktop's.
const viewports = [{ width: 1366, height: 768 }, { width: 1920, height: 1080 }];
const settleMs = 1000;
const [pageDir, minimalDir, single, minimalSingle] = process.argv.slice(2);

// Marks the first WebGL clear after the last Enter (where GLUT starts to draw), and the
// frame that shows it: the start of the next animation frame, once that clear's frame and
// whatever the page did with it have been handed over.
function watchFirstFrame() {
  window.benchmark = { enter: 0, clear: 0, frame: 0 };
  addEventListener('keydown', (event) => {
    if (event.key === 'Enter') window.benchmark.enter = performance.now();
  }, true);
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (...args) {
    const context = getContext.apply(this, args);
    if (context && context.clear && !context.benchmarked) {
      context.benchmarked = true;
      const clear = context.clear;
      context.clear = function (...clearArgs) {
        if (window.benchmark.enter && !window.benchmark.clear) {
          window.benchmark.clear = performance.now();
          requestAnimationFrame(() => { window.benchmark.frame = window.benchmark.frame || performance.now(); });
        }
        return clear.apply(this, clearArgs);
      };
    }
    return context;
  };
}

async function enterToFrame(browser, server, leadingAnswers, viewport) {
  const page = await browser.newPage({ viewport, deviceScaleFactor: 1 });
  await page.addInitScript(watchFirstFrame);
  await page.goto(pageUrl(server));
  await page.locator('#line').focus();
  await answerPrompts(page, leadingAnswers);
  await page.waitForFunction(() => window.cubeRotation?.reading);
  // Both pages settle for the same time, so neither is timed while still warming up.
  await page.waitForTimeout(settleMs);
  await page.keyboard.type('60');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => window.benchmark.frame > 0, null, { timeout: 60000 });
  const times = await page.evaluate(() => ({
    frame: window.benchmark.frame - window.benchmark.enter, clear: window.benchmark.clear - window.benchmark.enter,
  }));
  await page.close();
  return times;
}

function trimmedMean(values) {
  const cut = Math.floor(values.length / 10);
  const kept = [...values].sort((a, b) => a - b).slice(cut, values.length - cut);
  return kept.reduce((sum, value) => sum + value, 0) / kept.length;
}
// The page, every script it loads (the program's among them) and the .wasm.
const scriptsOf = (dir) => [...readFileSync(join(dir, 'index.html'), 'utf8').matchAll(/<script src="([^"]+)"/g)].map((m) => m[1]);
const transferred = (dir) => ['index.html', ...scriptsOf(dir), 'cube-rotation.wasm']
  .reduce((sum, file) => sum + gzipSync(readFileSync(join(dir, file)), { level: 9 }).length, 0);

const server = await servePage(pageDir);
const minimalServer = await servePage(minimalDir);
const browser = await launchChromium();
try {
  for (const viewport of viewports) {
    const ours = [];
    const minimal = [];
    for (let round = 0; round < rounds; ++round) {
      ours.push(await enterToFrame(browser, server, ['30', '45'], viewport));
      minimal.push(await enterToFrame(browser, minimalServer, [], viewport));
    }
    const [oursMs, minimalMs] = [ours, minimal].map((times) => trimmedMean(times.map((t) => t.frame)));
    const [oursClear, minimalClear] = [ours, minimal].map((times) => trimmedMean(times.map((t) => t.clear)));
    console.log(`| web page at ${viewport.width}×${viewport.height}: last Enter to first frame on the canvas, page / bare GLUT page (${rounds} rounds, 10% trimmed means; to GLUT's first clear: ${oursClear.toFixed(1)} ms / ${minimalClear.toFixed(1)} ms) | ${(oursMs / minimalMs).toFixed(3)}× (${oursMs.toFixed(1)} ms / ${minimalMs.toFixed(1)} ms) | ≤ 1.10× |`);
  }
  // The turns in motion, played through at a laptop's size: every frame interval while they
  // play, each frame drawn by the program.
  const intervals = [];
  for (let round = 0; round < Math.max(3, Math.round(rounds / 10)); ++round) {
    const page = await browser.newPage({ viewport: viewports[0], deviceScaleFactor: 1 });
    await page.goto(`${pageUrl(server)}#30,45,60`);
    await page.waitForFunction(() => window.cubeRotation?.ready);
    intervals.push(...await page.evaluate(() => new Promise((resolve) => {
      const times = [];
      const frame = (now) => {
        times.push(now);
        if (cubeRotation.motion?.position === 3 && times.length > 2) {
          resolve(times.slice(1).map((t, i) => t - times[i]));
        } else {
          requestAnimationFrame(frame);
        }
      };
      document.getElementById('motion-play').click();
      requestAnimationFrame(frame);
    })));
    await page.close();
  }
  intervals.sort((a, b) => a - b);
  const p95 = intervals[Math.floor(0.95 * (intervals.length - 1))];
  console.log(`| web page at ${viewports[0].width}×${viewports[0].height}: the turns in motion, frame intervals while they play (95th percentile of ${intervals.length} frames; median ${intervals[Math.floor(intervals.length / 2)].toFixed(1)} ms) | ${p95.toFixed(1)} ms | ≤ 20 ms |`);

  const bytes = transferred(pageDir);
  const minimalBytes = transferred(minimalDir);
  console.log(`| web page: bytes transferred (page, its scripts, the program's .js and .wasm, gzip -9), page / bare GLUT page | ${(bytes / minimalBytes).toFixed(3)}× (${bytes} B / ${minimalBytes} B) | ≤ 1.15× |`);
  const [oneFile, minimalOneFile] = [single, minimalSingle].map((file) => gzipSync(readFileSync(file), { level: 9 }).length);
  console.log(`| web page as one file (gzip -9), cube-rotation.html / bare GLUT page as one file | ${(oneFile / minimalOneFile).toFixed(3)}× (${oneFile} B / ${minimalOneFile} B) | ≤ 1.25× |`);
} finally {
  await browser.close();
  server.close();
  minimalServer.close();
}

// Each engine on the virtual display, through the same harness: from the start of the page's
// load to its first frame, the answers given in the link.
const engineRounds = Number(process.env.BENCH_ROUNDS || 21);
const engineServer = await servePage(pageDir);
try {
  const cells = [];
  for (const engine of engineNames) {
    const engineBrowser = await launch(engine);
    try {
      const times = [];
      for (let round = 0; round < engineRounds; ++round) {
        const page = await engineBrowser.open(`${pageUrl(engineServer)}#30,45,60`, { width: 1100, height: 1000 });
        await page.waitFor(() => window.cubeRotation?.windowOpen, null, 60000);
        times.push(await page.evaluate(() => cubeRotation.firstFrameAt));
        await page.close();
      }
      cells.push(`${engine} ${trimmedMean(times).toFixed(0)} ms`);
    } finally {
      await engineBrowser.close();
    }
  }
  console.log(`| web page in each engine: start of the load to the first frame, answers in the link (${engineRounds} loads, 10% trimmed means) | ${cells.join(', ')} | |`);
} finally {
  engineServer.close();
}

// Makes a PNG of the whole page as a person sees it on a 1366-px-wide screen after answering
// 30, 45 and 60: V7 named on all four cubes, and a prediction of the yellow cube's V7 that
// turned the wrong way checked, with the mistake named; the numbers under it.
//   node page_screenshot.mjs PAGE_DIR OUTPUT.png
import { answerPrompts, launchChromium, pageUrl, servePage } from './browser.mjs';
import { pageWords } from './page_words.mjs';

const { say } = pageWords();

const [pageDir, output] = process.argv.slice(2);
const server = await servePage(pageDir);
const browser = await launchChromium();
try {
  // In Serbian, the program's own language, as a Serbian reader of Latin letters has it.
  const page = await browser.newPage({ viewport: { width: 1366, height: 768 }, deviceScaleFactor: 1, locale: 'sr-Latn-RS' });
  page.setDefaultTimeout(120000);
  await page.goto(pageUrl(server));
  await answerPrompts(page, ['30', '45', '60']);
  await page.waitForFunction(() => cubeRotation.ready);
  await page.getByLabel(say('labelsWhich')).selectOption('vertex-7');
  // Each turn the other way: V7 at about (5.27, 4.54, 1.29) instead of (0.83, 5.10, 4.83).
  const form = page.locator('#check-form');
  for (const [axis, value] of [['x', '5,27'], ['y', '4,54'], ['z', '1,29']]) {
    await form.getByRole('textbox', { name: axis, exact: true }).fill(value);
  }
  await form.getByRole('button', { name: say('check') }).click();
  await page.waitForFunction(() => cubeRotation.check?.mistakes.includes('direction'));
  await page.waitForFunction(() => document.querySelector('#overlay .cross') !== null);
  // Whatever the screenshot lays out and paints is ready: the fonts, then two frames.
  await page.evaluate(() => document.fonts.ready);
  await page.evaluate(() => new Promise((resolve) => { requestAnimationFrame(() => requestAnimationFrame(resolve)); }));
  await page.screenshot({ path: output, fullPage: true });
} finally {
  await browser.close();
  server.close();
}

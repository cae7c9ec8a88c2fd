// Makes a PNG of the whole page, the numbers under the picture included, as a person sees it
// on a 1366-px-wide screen after answering 30, 45 and 60:
//   node page_screenshot.mjs PAGE_DIR OUTPUT.png
import { answerPrompts, launchChromium, pageUrl, servePage } from './browser.mjs';

const [pageDir, output] = process.argv.slice(2);
const server = await servePage(pageDir);
const browser = await launchChromium();
try {
  const page = await browser.newPage({ viewport: { width: 1366, height: 768 }, deviceScaleFactor: 1 });
  await page.goto(pageUrl(server));
  await answerPrompts(page, ['30', '45', '60']);
  await page.waitForFunction(() => cubeRotation.windowOpen);
  await page.waitForTimeout(500);
  await page.screenshot({ path: output, fullPage: true });
} finally {
  await browser.close();
  server.close();
}

// Makes a PNG of the page as a person sees it after answering 30, 45 and 60:
//   node page_screenshot.mjs PAGE_DIR OUTPUT.png
import { answerPrompts, launchChromium, pageUrl, servePage } from './browser.mjs';

const [pageDir, output] = process.argv.slice(2);
const server = await servePage(pageDir);
const browser = await launchChromium();
try {
  const page = await browser.newPage({ viewport: { width: 1100, height: 1180 }, deviceScaleFactor: 1 });
  await page.goto(pageUrl(server));
  await answerPrompts(page, ['30', '45', '60']);
  await page.waitForFunction(() => document.getElementById('transcript').textContent.endsWith('zuta'));
  await page.waitForTimeout(500);
  await page.screenshot({ path: output });
} finally {
  await browser.close();
  server.close();
}

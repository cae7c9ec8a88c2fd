// What the browser tests and the page screenshot share: the built page served over HTTP on
// 127.0.0.1 (as any static file server would), and Debian's Chromium, headless, drawing
// WebGL with SwiftShader.

import { createReadStream, existsSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join } from 'node:path';
import { chromium } from 'playwright-core';

export function servePage(root) {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
  const server = createServer((request, response) => {
    const path = join(root, new URL(request.url, 'http://localhost').pathname.replace(/\/$/, '/index.html'));
    if (!path.startsWith(root) || !existsSync(path)) {
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
    await page.waitForFunction(() => Module.terminal?.reading);
    await page.keyboard.type(answer);
    await page.keyboard.press('Enter');
  }
}

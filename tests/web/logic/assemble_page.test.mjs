// The page put together under its Content-Security-Policy (web/assemble_page.mjs): each
// inline script and style is allowed by its own hash and nothing else is, so that a script
// changed or added after the hashes were taken, or a policy that allows inline code, fails
// the build.
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, test } from 'node:test';

const web = new URL('../../../web/', import.meta.url).pathname;
const work = mkdtempSync(join(tmpdir(), 'cube-policy-'));
after(() => rmSync(work, { recursive: true, force: true }));

// The page's own markup, with stand-ins for the program and the bundle.
const files = {
  program: ['program.js', 'var createCubeRotation = function (o) { return Promise.resolve(o); };'],
  wasm: ['program.wasm', Buffer.from([0, 97, 115, 109, 1, 0, 0, 0])],
  bundle: ['bundle.js', '(() => { document.title += ""; })();'],
};
for (const [name, content] of Object.values(files)) {
  writeFileSync(join(work, name), content);
}
const folderPage = join(work, 'index.html');
const single = join(work, 'single.html');
execFileSync('node', [join(web, 'assemble_page.mjs'), join(web, 'index.html'), ...Object.values(files).map(([n]) => join(work, n)),
  folderPage, single]);
const verify = (html) => {
  const file = join(work, 'candidate.html');
  writeFileSync(file, html);
  return spawnSync('node', [join(web, 'assemble_page.mjs'), '--verify', file], { encoding: 'utf8' });
};
const sha = (text) => `'sha256-${createHash('sha256').update(text).digest('base64')}'`;
const policyOf = (html) => /<meta http-equiv="Content-Security-Policy" content="([^"]*)">/.exec(html)[1];

test('the single file allows exactly its own scripts and style, by hash, WebAssembly, and data and blob images; nothing inline or evaluated', () => {
  const html = readFileSync(single, 'utf8');
  const scripts = [...html.matchAll(/<script>([\s\S]*?)<\/script>/g)].map((m) => sha(m[1]));
  const style = sha(/<style>([\s\S]*?)<\/style>/.exec(html)[1]);
  assert.equal(policyOf(html), `default-src 'none'; script-src ${scripts.join(' ')} 'wasm-unsafe-eval'; style-src ${style}; ` +
    "img-src data: blob:; base-uri 'none'; form-action 'none'");
  assert.equal(scripts.length, 2);
  assert.equal(verify(html).status, 0);
  // The .wasm travels as data that no browser runs.
  assert.match(html, /<script type="application\/gzip" id="program-wasm">H4sI[A-Za-z0-9+/=]+<\/script>/);
});

test('the folder\'s page loads its scripts and .wasm from its own folder only', () => {
  const html = readFileSync(folderPage, 'utf8');
  assert.match(policyOf(html), /^default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; style-src 'sha256-[^']+'; img-src data: blob:; connect-src 'self'; base-uri 'none'; form-action 'none'$/);
  assert.ok(html.includes('<script src="cube-rotation.js"></script>'));
});

test('a page whose inline code its policy does not allow fails: a script changed, one added, a style changed, inline code allowed', () => {
  const html = readFileSync(single, 'utf8');
  const broken = {
    'a script changed': html.replace('document.title += ""', 'document.title += "!"'),
    'a script added': html.replace('</body>', '<script>window.injected = 1;</script></body>'),
    'a script with attributes added': html.replace('</body>', '<script defer type="module">window.injected = 1;</script></body>'),
    'the style changed': html.replace('<style>', '<style>body { color: red; }'),
    'inline code allowed': html.replace("script-src ", "script-src 'unsafe-inline' "),
    'no policy': html.replace(/<meta http-equiv="Content-Security-Policy"[^>]*>/, ''),
  };
  for (const [what, page] of Object.entries(broken)) {
    const result = verify(page);
    assert.notEqual(result.status, 0, what);
    assert.match(result.stderr, /not allowed|unsafe|no Content-Security-Policy/, what);
  }
});

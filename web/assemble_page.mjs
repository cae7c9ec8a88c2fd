// Puts the page together under its Content-Security-Policy, a <meta> that every engine
// applies from the disk too: nothing runs but what the page carries, and WebAssembly.
//   node assemble_page.mjs PAGE PROGRAM WASM BUNDLE FOLDER_PAGE SINGLE_FILE
// writes FOLDER_PAGE, the page that loads its scripts and the .wasm from its folder
// ('self'), and SINGLE_FILE, the page with the program's script (minified) and the bundle
// inside, each allowed by its SHA-256 hash, computed here over the final text, and the .wasm
// gzipped in base64 in a data block (never run, so no hash), which page.js hands to the
// program;
// then reads SINGLE_FILE back and fails if any inline script or style is not allowed by its
// policy.
//   node assemble_page.mjs --verify FILE   only the last step
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { transformSync } from 'esbuild';

const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;
// The text of each inline script or style, whatever its attributes, but for a script that
// loads a file or is the .wasm's data block.
const inline = (html, tag) => [...html.matchAll(new RegExp(`<${tag}\\b([^>]*)>([\\s\\S]*?)</${tag}>`, 'g'))]
  .filter((m) => !/\bsrc=|type="application\/gzip"/.test(m[1])).map((m) => m[2]);
// The .wasm gzipped, then in base64: base64 would hide its repetitions from the gzip of the
// whole file, so it is packed first, and the page unpacks it with the browser's own gzip.
const wasmBlock = (wasm) => `<script type="application/gzip" id="program-wasm">${gzipSync(wasm, { level: 9 }).toString('base64')}</script>`;

function policy(scripts, styles) {
  return [`default-src 'none'`, `script-src ${scripts.join(' ')} 'wasm-unsafe-eval'`, `style-src ${styles.map(hash).join(' ')}`,
    `img-src data: blob:`, ...(scripts.includes(`'self'`) ? [`connect-src 'self'`] : []), `base-uri 'none'`, `form-action 'none'`]
    .join('; ');
}

const withPolicy = (html, content) => html.replace('<meta charset="utf-8">',
  `<meta charset="utf-8">\n<meta http-equiv="Content-Security-Policy" content="${content}">`);

// Each inline script and style of `file` against the policy the file itself carries.
function verify(file) {
  const html = readFileSync(file, 'utf8');
  const content = /<meta http-equiv="Content-Security-Policy" content="([^"]*)">/.exec(html)?.[1];
  if (!content) {
    throw new Error(`${file} has no Content-Security-Policy`);
  }
  const directive = (name) => content.split('; ').find((d) => d.startsWith(`${name} `)) ?? '';
  if (/'unsafe-(inline|eval)'/.test(content)) {
    throw new Error(`${file}: its policy allows unsafe code: ${content}`);
  }
  for (const [tag, name] of [['script', 'script-src'], ['style', 'style-src']]) {
    for (const text of inline(html, tag)) {
      if (!directive(name).split(' ').includes(hash(text))) {
        throw new Error(`${file}: an inline ${tag} (${text.length} characters, ${hash(text)}) is not allowed by its policy`);
      }
    }
  }
}

if (process.argv[2] === '--verify') {
  verify(process.argv[3]);
} else {
  const [pagePath, programPath, wasmPath, bundlePath, folderPage, singleFile] = process.argv.slice(2);
  // The page's style without its comments and spaces, which are for people reading it.
  const page = readFileSync(pagePath, 'utf8').replace(/<style>([\s\S]*?)<\/style>/,
    (whole, css) => `<style>${transformSync(css, { loader: 'css', minify: true }).code.trim()}</style>`);
  const styles = inline(page, 'style');
  writeFileSync(folderPage, withPolicy(page, policy([`'self'`], styles)));
  // Inside a script element the first "</script" would end it, whatever the JavaScript meant.
  const asScript = (code) => code.replace(/<\/script/gi, '<\\/script');
  const program = asScript(transformSync(readFileSync(programPath, 'utf8'), { minify: true, target: 'es2020' }).code);
  const bundle = asScript(readFileSync(bundlePath, 'utf8'));
  let single = page;
  for (const [name, code] of [['cube-rotation.js', program], ['page.js', bundle]]) {
    const tag = `<script src="${name}"></script>`;
    if (!single.includes(tag)) {
      throw new Error(`${pagePath} has no ${tag}`);
    }
    const data = name === 'cube-rotation.js' ? wasmBlock(readFileSync(wasmPath)) : '';
    single = single.replace(tag, () => `${data}<script>${code}</script>`);
  }
  writeFileSync(singleFile, withPolicy(single, policy(inline(single, 'script').map(hash), styles)));
  verify(singleFile);
}

// The default homework package beside the single-file page, for the build and the release:
//   node make_lms_package.mjs SINGLE_FILE OUT.zip
import { readFileSync, writeFileSync } from 'node:fs';
import { defaultSet } from './homework.js';
import { messages } from './messages.js';
import { lmsPackage } from './lms_package.js';

const [page, out] = process.argv.slice(2);
if (!page || !out) {
  console.error('usage: node make_lms_package.mjs SINGLE_FILE OUT.zip');
  process.exit(2);
}
const set = defaultSet(messages['sr-Latn'].homeworkDefaultTitle);
writeFileSync(out, lmsPackage(readFileSync(page, 'utf8'), set));

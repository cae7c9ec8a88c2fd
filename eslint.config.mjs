// ESLint's settings for our own JavaScript: the page's classic scripts (web/), and the
// modules of the test kit, the tests and the benchmark. ESLint and its rule sets come from
// the test kit's npm lock; scripts/lint.sh runs it.
import { createRequire } from 'node:module';

const fromTestkit = createRequire(new URL('./testkit/package.json', import.meta.url));
const js = fromTestkit('@eslint/js');
const globals = fromTestkit('globals');

export default [
  { ignores: ['build/**', 'dist/**', '**/node_modules/**'] },
  js.configs.recommended,
  {
    rules: {
      eqeqeq: 'error',
      'no-var': 'error',
      'prefer-const': 'error',
      'no-shadow': 'error',
      'no-unused-vars': ['error', { caughtErrors: 'none' }],
    },
  },
  {
    // Classic scripts, since a page opened from the disk may not load modules: each names
    // what it takes from the scripts before it (/* global */) and what it gives (/* exported */).
    files: ['web/**/*.js'],
    languageOptions: { sourceType: 'script', globals: globals.browser },
  },
  {
    // Node modules whose functions also run in the page (handed to the browser to evaluate).
    files: ['**/*.mjs'],
    languageOptions: { sourceType: 'module', globals: { ...globals.node, ...globals.browser, cubeRotation: 'readonly' } },
  },
];

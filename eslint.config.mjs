// ESLint's settings for our own JavaScript: the page's modules (web/), and those of the test
// kit, the tests and the benchmark. ESLint and its rule sets come from
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
    // Bundled into one classic script for the browser; the program's factory is global.
    files: ['web/**/*.js'],
    languageOptions: { sourceType: 'module', globals: globals.browser },
  },
  {
    // Node modules whose functions also run in the page (handed to the browser to evaluate).
    files: ['**/*.mjs'],
    languageOptions: { sourceType: 'module', globals: { ...globals.node, ...globals.browser, cubeRotation: 'readonly' } },
  },
];

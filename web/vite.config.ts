import { defineConfig } from 'vite';

// The page is served from any folder (build-web/site/ by the tool's web server, or a host's
// sub-path): every address in it is relative. The module and the shipped files are copied
// beside it by scripts/build-web.sh.
export default defineConfig({
  base: './',
  build: {
    outDir: '../build-web/site',
    emptyOutDir: false,
    target: 'es2022',
    assetsInlineLimit: 0,
  },
  worker: {
    // The module is a classic script the worker loads with importScripts.
    format: 'iife',
  },
});

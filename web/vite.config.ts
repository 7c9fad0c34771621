import { readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import { defineConfig, type Plugin } from 'vite';

const catalogue = fileURLToPath(new URL('../translations/trundlex_sv.ts', import.meta.url));
const texts = fileURLToPath(new URL('./src/texts.js', import.meta.url));

const entities: Record<string, string> = { amp: '&', lt: '<', gt: '>', quot: '"', apos: "'" };
function unescapeXml(text: string): string {
  return text.replace(/&(amp|lt|gt|quot|apos|#(\d+)|#x([0-9a-fA-F]+));/g, (_whole, name: string, dec?: string, hex?: string) =>
    dec ? String.fromCodePoint(Number(dec)) : hex ? String.fromCodePoint(parseInt(hex, 16)) : entities[name]);
}

// The Swedish of the page's texts (context "Page" of the game's catalogue), English to Swedish.
// A message still unfinished is left out, so the page shows its English rather than nothing.
function pageSwedish(ts: string): Record<string, string> {
  const out: Record<string, string> = {};
  const context = /<context>\s*<name>Page<\/name>([\s\S]*?)<\/context>/.exec(ts);
  if (!context) throw new Error(`no "Page" context in ${catalogue}`);
  for (const m of context[1].matchAll(/<message>\s*<source>([\s\S]*?)<\/source>\s*<translation( type="[^"]*")?>([\s\S]*?)<\/translation>/g)) {
    if (m[2] || m[3] === '') continue;
    out[unescapeXml(m[1])] = unescapeXml(m[3]);
  }
  return out;
}

// texts.js is a plain script so that lupdate reads it; the page gets it as a module whose
// qsTranslate hands back the English, and the Swedish as 'virtual:trundlex-sv'.
function gameCatalogue(): Plugin {
  const virtualId = 'virtual:trundlex-sv';
  return {
    name: 'trundlex-catalogue',
    resolveId(id) {
      return id === virtualId ? `\0${virtualId}` : null;
    },
    load(id) {
      if (id !== `\0${virtualId}`) return null;
      this.addWatchFile(catalogue);
      return `export default ${JSON.stringify(pageSwedish(readFileSync(catalogue, 'utf8')))};`;
    },
    transform(code, id) {
      if (id.split('?')[0] !== texts) return null;
      if (!/^var pageTexts = \{/m.test(code)) throw new Error(`${texts} no longer starts its table with "var pageTexts = {"`);
      return {
        code: `const qsTranslate = (_context, source) => source;\n${code.replace(/^var pageTexts = /m, 'globalThis.pageTexts = ')}`,
        map: null,
      };
    },
  };
}

// The page is served from any folder (build-web/site/ by the tool's web server, or a host's
// sub-path): every address in it is relative. The module and the shipped files are copied
// beside it by scripts/build-web.sh.
export default defineConfig({
  base: './',
  plugins: [gameCatalogue()],
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

// Writes the service worker into a built site: node write-sw.mjs SITE
// Every file of the site is listed for the cache; the version is a digest of their names and
// contents, so any changed file makes a new service worker (and with it a new cache).
import crypto from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const site = path.resolve(process.argv[2] ?? '');
const OUT = 'sw.js';

function walk(dir) {
  return fs.readdirSync(dir, { withFileTypes: true }).flatMap((e) => {
    const full = path.join(dir, e.name);
    return e.isDirectory() ? walk(full) : [path.relative(site, full).split(path.sep).join('/')];
  });
}

if (!fs.existsSync(path.join(site, 'index.html'))) {
  console.error(`write-sw: no index.html in ${site}`);
  process.exit(1);
}
// A gzipped copy is the same file as sent to a browser that takes gzip: never fetched by name.
const files = walk(site).filter((f) => f !== OUT && !f.endsWith('.gz')).sort();
const digest = crypto.createHash('sha256');
for (const f of files) {
  digest.update(f + '\0' + crypto.createHash('sha256').update(fs.readFileSync(path.join(site, f))).digest('hex') + '\n');
}
const version = digest.digest('hex').slice(0, 16);
const body = fs.readFileSync(path.join(here, 'service-worker.js'), 'utf8');
fs.writeFileSync(path.join(site, OUT),
  `const VERSION = ${JSON.stringify(version)};\nconst FILES = ${JSON.stringify(files, null, 0)};\n${body}`);
console.log(`write-sw: ${files.length} files, version ${version}`);

// Starts `flowform demo` on a fresh database at a port it picks and reads the pages it prints;
// launches Debian's Chromium headless.
'use strict';

const { spawn } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const kStartMs = 30000;

// The demo's printed pages: "  <what>: http://127.0.0.1:PORT/flow/...".
function parsePages(text) {
  const pages = [];
  for (const line of text.split('\n')) {
    const match = /^ {2}(.+): (http:\/\/127\.0\.0\.1:\d+(\/\S*))$/.exec(line);
    if (match) pages.push({ what: match[1], url: match[2], path: match[3] });
  }
  return pages;
}

// Resolves to { base, pages, output, stop() } once the demo has printed its pages; the demo's
// database lives in a temporary folder that stop() removes.
function startDemo(flowform, site) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'flowform-browser-'));
  const db = path.join(folder, 'demo.db');
  const child = spawn(flowform, ['demo', '--listen', '127.0.0.1:0', '--db', db, '--site', site], {
    stdio: ['ignore', 'pipe', 'pipe'],
  });
  let output = '';
  let errors = '';
  const stop = () => {
    if (child.exitCode === null) child.kill('SIGKILL');
    fs.rmSync(folder, { recursive: true, force: true });
  };
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => {
      stop();
      reject(new Error(`flowform demo printed no pages in ${kStartMs} ms:\n${output}${errors}`));
    }, kStartMs);
    let settle;
    child.stdout.on('data', (chunk) => {
      output += chunk;
      const base = /flowform: demo at (http:\/\/127\.0\.0\.1:\d+)/.exec(output);
      if (!base) return;
      // The page lines follow the address at once; wait for the output to rest.
      clearTimeout(settle);
      settle = setTimeout(() => {
        clearTimeout(timer);
        resolve({ base: base[1], pages: parsePages(output), output, stop });
      }, 300);
    });
    child.stderr.on('data', (chunk) => {
      errors += chunk;
    });
    child.on('exit', (code) => {
      clearTimeout(timer);
      fs.rmSync(folder, { recursive: true, force: true });
      reject(new Error(`flowform demo ended (${code}):\n${output}${errors}`));
    });
  });
}

function chromiumPath() {
  const candidates = [process.env.CHROMIUM, '/usr/lib/chromium/chromium', '/usr/bin/chromium'];
  const found = candidates.find((file) => file && fs.existsSync(file));
  if (!found) throw new Error('Chromium is not installed (scripts/test.sh installs it)');
  return found;
}

function launchBrowser() {
  return puppeteer.launch({
    executablePath: chromiumPath(),
    headless: true,
    // Root in CI has no user namespace for Chromium's sandbox.
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--lang=zh-CN'],
    defaultViewport: { width: 1280, height: 900 },
    protocolTimeout: 60000,
  });
}

module.exports = { startDemo, launchBrowser };

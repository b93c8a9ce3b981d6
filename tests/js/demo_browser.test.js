// The demo pages in headless Chromium: `flowform demo` on 127.0.0.1 with a port it picks, each
// page it prints opened in Debian's Chromium through puppeteer-core, with a screenshot of each
// kept in the output folder.
//
//   node demo_browser.test.js FLOWFORM SITE_FOLDER OUTPUT_FOLDER
//
// Everything stops within kDeadlineMs, whatever hangs.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { startDemo, launchBrowser } = require('./browser/demo_host');
const { openPage } = require('./browser/page_visit');

const kDeadlineMs = 240000;
const [flowform, site, output] = process.argv.slice(2);

let demo;
let browser;

const deadline = setTimeout(() => {
  console.error(`demo_browser: still running after ${kDeadlineMs / 1000} s; stopping`);
  if (demo) demo.stop();
  if (browser) browser.process()?.kill('SIGKILL');
  process.exit(1);
}, kDeadlineMs);

before(async () => {
  assert.ok(flowform && site && output, 'usage: demo_browser.test.js FLOWFORM SITE OUTPUT');
  fs.mkdirSync(output, { recursive: true });
  demo = await startDemo(flowform, site);
  browser = await launchBrowser();
});

after(async () => {
  if (browser) await browser.close();
  if (demo) demo.stop();
  clearTimeout(deadline);
});

// The printed page whose query ends with `query`.
function demoPage(query) {
  const page = demo.pages.find((p) => p.path.endsWith(`?${query}`));
  assert.ok(page, `the demo prints no page ${query}:\n${demo.output}`);
  return page;
}

const kToDo = 'BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2';
const kNewFlow = 'LiuChengID=1';

test('the demo prints its pages: to-do entries and new flows', () => {
  assert.equal(demoPage(kToDo).what, 'to-do 采购申请单 at 部门审核');
  assert.equal(demoPage(kNewFlow).what, 'new flow 采购申请流程');
});

test('every demo page loads every file it links, with no JavaScript error', async () => {
  const problems = [];
  for (const page of demo.pages) {
    const visit = await openPage(browser, demo.base, page, output);
    try {
      for (const failure of visit.failedRequests) problems.push(`${page.what}: request ${failure}`);
      for (const error of visit.scriptErrors()) problems.push(`${page.what}: script error ${error}`);
      assert.ok(fs.statSync(visit.screenshot).size > 0);
    } finally {
      await visit.close();
    }
  }
  assert.deepEqual(problems, []);
});


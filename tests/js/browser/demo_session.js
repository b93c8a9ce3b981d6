// The set-up that the browser test files share: `flowform demo` and headless Chromium started
// before the tests and stopped after them, everything stopped within a deadline whatever hangs,
// and a page of the demo opened by its query with its JavaScript errors checked.
'use strict';

const { before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { startDemo, launchBrowser } = require('./demo_host');
const { openPage } = require('./page_visit');

// Call at the top of a test file run as `node FILE FLOWFORM SITE_FOLDER OUTPUT_FOLDER`.
function demoSession(name, deadlineMs) {
  const [flowform, site, output] = process.argv.slice(2);
  const session = { demo: undefined, browser: undefined, output };

  const deadline = setTimeout(() => {
    console.error(`${name}: still running after ${deadlineMs / 1000} s; stopping`);
    if (session.demo) session.demo.stop();
    if (session.browser) session.browser.process()?.kill('SIGKILL');
    process.exit(1);
  }, deadlineMs);

  before(async () => {
    assert.ok(flowform && site && output, `usage: ${name} FLOWFORM SITE OUTPUT`);
    fs.mkdirSync(output, { recursive: true });
    session.demo = await startDemo(flowform, site);
    session.browser = await launchBrowser();
  });

  after(async () => {
    if (session.browser) await session.browser.close();
    if (session.demo) session.demo.stop();
    clearTimeout(deadline);
  });

  // The printed page whose query ends with `query`.
  session.demoPage = (query) => {
    const page = session.demo.pages.find((p) => p.path.endsWith(`?${query}`));
    assert.ok(page, `the demo prints no page ${query}:\n${session.demo.output}`);
    return page;
  };

  // Opens the page, runs check(visit), and fails on any JavaScript error on the way.
  session.onPage = async (query, check, answerPost) => {
    const visit = await openPage(session.browser, session.demo.base, session.demoPage(query),
      output, answerPost);
    try {
      await check(visit);
      assert.deepEqual(visit.scriptErrors(), []);
    } finally {
      await visit.close();
    }
  };

  return session;
}

module.exports = { demoSession };

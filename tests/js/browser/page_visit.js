// Opens one demo page in the browser and records what went wrong on the way: requests that
// failed or were answered with an error status, requests that left this machine (stopped), and
// JavaScript errors. Errors that only name a function or variable that the page defines in its
// VBScript blocks are the office system's browser's part (Chromium runs no VBScript) and are
// kept apart. Posts to the sibling pages that the page's scripts reach with $.post are answered
// by the caller's handler, so a test can see what the page posts. Once the page has loaded, the
// window's own navigations (a download link, say) are recorded and answered with no content, so
// the page stays for the next step.
'use strict';

const path = require('node:path');

// The names that the page's VBScript blocks define (Function, Sub, Dim).
async function vbscriptNames(page) {
  return page.evaluate(() => {
    const names = [];
    for (const script of document.querySelectorAll('script')) {
      if (!/vbscript/i.test(script.getAttribute('language') || '')) continue;
      const pattern = /^\s*(?:(?:Public|Private)\s+)?(?:Function|Sub|Dim)\s+(\w+)/gim;
      for (let m; (m = pattern.exec(script.text)); ) names.push(m[1].toLowerCase());
    }
    return names;
  });
}

function screenshotName(page) {
  const query = page.path.replace(/^[^?]*\?/, '');
  return `${query.replace(/[^A-Za-z0-9]+/g, '_')}.png`;
}

// Opens `demoPage` ({ what, url, path }); `answerPost(request)` may answer a post with
// { status, body } or leave it (undefined) to the host. Resolves to the visit: the page, its
// failedRequests (texts), scriptErrors() and vbscriptErrors() (the JavaScript errors so far),
// posts ({ url, body }), navigations (addresses), screenshot (file) and close().
async function openPage(browser, base, demoPage, folder, answerPost = () => undefined) {
  const page = await browser.newPage();
  const visit = {
    page,
    failedRequests: [],
    posts: [],
    navigations: [],
    screenshot: path.join(folder, screenshotName(demoPage)),
    close: () => page.close(),
  };
  const thrown = [];
  page.on('pageerror', (error) => thrown.push(error.message));
  const answered = new Set();  // requests answered with an error status
  // The browser asks for the site's icon by itself; the page links none.
  const linked = (url) => url.startsWith(base) && url !== `${base}/favicon.ico`;
  page.on('response', (response) => {
    if (response.status() < 400 || !linked(response.url())) return;
    answered.add(response.request());
    visit.failedRequests.push(`${response.url()}: ${response.status()}`);
  });
  page.on('requestfailed', (request) => {
    if (!linked(request.url()) || answered.has(request)) return;
    visit.failedRequests.push(`${request.url()}: ${request.failure()?.errorText}`);
  });
  let loaded = false;
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    const url = request.url();
    if (loaded && request.isNavigationRequest() && request.frame() === page.mainFrame()) {
      visit.navigations.push(url);
      return request.respond({ status: 204 });
    }
    if (!url.startsWith(base) && !url.startsWith('data:') && !url.startsWith('about:')) {
      visit.failedRequests.push(`${url}: leaves this machine`);
      return request.abort();
    }
    if (request.method() === 'POST' && request.resourceType() === 'xhr') {
      visit.posts.push({ url, body: request.postData() || '' });
      const answer = answerPost(request);
      if (answer) {
        return request.respond({ status: answer.status || 200, contentType: 'text/plain', body: answer.body });
      }
    }
    return request.continue();
  });
  // The page's load handler moves and resizes the window; the browser ignores it headless.
  await page.goto(demoPage.url, { waitUntil: 'load', timeout: 60000 });
  loaded = true;
  await new Promise((resolve) => setTimeout(resolve, 500));
  const vbscript = new Set(await vbscriptNames(page));
  const isVbscript = (message) => {
    const missing = /^(\w+) is not defined$/.exec(message);
    return Boolean(missing) && vbscript.has(missing[1].toLowerCase());
  };
  visit.scriptErrors = () => thrown.filter((message) => !isVbscript(message));
  visit.vbscriptErrors = () => thrown.filter(isVbscript);
  // The frame scrolls its content area inside the window: the window grows to show all of it.
  const height = await page.evaluate(() => {
    const area = document.getElementById('myIDWidth');
    const content = area ? area.getBoundingClientRect().top + area.scrollHeight + 40 : 0;
    return Math.ceil(Math.max(document.documentElement.scrollHeight, content));
  });
  await page.setViewport({ width: 1280, height: Math.min(Math.max(height, 900), 12000) });
  await page.screenshot({ path: visit.screenshot, fullPage: true });
  return visit;
}

module.exports = { openPage };

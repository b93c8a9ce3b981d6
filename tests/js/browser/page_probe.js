// Opens a page that a C++ test rendered in headless Chromium, as the host would serve it, and
// prints what the test asks of it: every call of window.mark (a stored text that runs) or of
// alert while it loads (its images fail, so their error handlers have run), then the value of each expression, one JSON text a line. Everything the page links
// is refused; the page stops within a deadline whatever hangs.
//
//   node page_probe.js PAGE_FILE EXPRESSIONS_FILE   (one expression a line)
'use strict';

const fs = require('node:fs');
const { launchBrowser } = require('./demo_host');

const kAddress = 'http://127.0.0.1/flow/BiaoDanTianXie.asp';

async function probe(file, expressions) {
  const browser = await launchBrowser();
  try {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(() => {
      window.marks = [];
      window.mark = (n) => window.marks.push(n);
      window.alert = (n) => window.marks.push(`alert ${n}`);
    });
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      if (request.url() !== kAddress) return request.abort();
      return request.respond({
        status: 200, contentType: 'text/html; charset=utf-8', body: fs.readFileSync(file),
      });
    });
    await page.goto(kAddress, { waitUntil: 'load', timeout: 30000 });
    console.log(JSON.stringify(await page.evaluate(() => window.marks)));
    for (const expression of expressions) {
      // eslint-disable-next-line no-eval
      console.log(JSON.stringify(await page.evaluate((e) => window.eval(e), expression)));
    }
  } finally {
    await browser.close();
  }
}

const deadline = setTimeout(() => {
  console.error('page_probe: still running after 60 s; stopping');
  process.exit(1);
}, 60000);
const [file, expressions] = process.argv.slice(2);
probe(file, fs.readFileSync(expressions, 'utf8').split('\n').filter((line) => line)).then(() => clearTimeout(deadline), (error) => {
  console.error(error);
  process.exit(1);
});

// The demo pages in headless Chromium: `flowform demo` on 127.0.0.1 with a port it picks, each
// page it prints opened in Debian's Chromium through puppeteer-core, with a screenshot of each
// kept in the output folder.
//
//   node demo_browser.test.js FLOWFORM SITE_FOLDER OUTPUT_FOLDER
//
// Everything stops within 240 s, whatever hangs (browser/demo_session.js).
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { openPage } = require('./browser/page_visit');
const { demoSession } = require('./browser/demo_session');

const session = demoSession('demo_browser', 240000);
const { demoPage, onPage } = session;

const kToDo = 'BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2';
const kNewFlow = 'LiuChengID=1';

test('every demo page loads every file it links, with no JavaScript error', async () => {
  assert.equal(demoPage(kToDo).what, 'to-do 采购申请单 at 部门审核');
  assert.equal(demoPage(kNewFlow).what, 'new flow 采购申请流程');
  const problems = [];
  const bodyKinds = new Set();
  for (const page of session.demo.pages) {
    const visit = await openPage(session.browser, session.demo.base, page, session.output);
    try {
      const bodyKind = await visit.page.$eval('input[name=ZhengWenType]', (input) => input.value);
      bodyKinds.add(bodyKind);
      for (const failure of visit.failedRequests) problems.push(`${page.what}: request ${failure}`);
      for (const error of visit.scriptErrors()) problems.push(`${page.what}: script error ${error}`);
      // The load handler of an office-document page starts the document control through the
      // VBScript Load(), which only the office system's browser runs.
      assert.deepEqual(visit.vbscriptErrors(), bodyKind === '1' ? ['Load is not defined'] : [],
        page.what);
      assert.ok(fs.statSync(visit.screenshot).size > 0);
    } finally {
      await visit.close();
    }
  }
  assert.deepEqual(problems, []);
  // Office document, HTML editor, none.
  assert.deepEqual([...bodyKinds].sort(), ['1', '2', '3']);
});

// The text of the filled form (the div JiBenXinXi) and the values of its controls by name, a
// checked box as 'checked', unchecked choices left out.
function filledForm(page) {
  return page.evaluate(() => {
    const form = document.getElementById('JiBenXinXi');
    const values = {};
    for (const c of form.querySelectorAll('input, select, textarea')) {
      if (!c.name || ((c.type === 'radio' || c.type === 'checkbox') && !c.checked)) continue;
      (values[c.name] = values[c.name] || []).push(c.type === 'checkbox' ? 'checked' : c.value);
    }
    return { text: form.innerText, html: form.innerHTML, values };
  });
}

test('a record with a field of every type shows each stored value in its control', async () => {
  await onPage('BiaoDanID=1&BiaoDanRecordID=2&JieDianID=11', async ({ page }) => {
    const { values: controls, text } = await filledForm(page);
    const stored = {
      zd_2: ['控件演示（李四, 2011-09-05 10:00）'], zd17: ['CG-2011-002'], zd9: ['财务部\\会计组'],
      zd3: ['办公设备'], zd6: ['特急'], zd2: ['checked'], zd4: ['否'], zd5: ['2011-9-20 9:30'],
      zd11: ['王五'], zd20: ['3180'], zd10value: ['18'], zd19: ['wangwu@example.com'],
      zd18: ['http://www.example.com/demo'], zd21: ['打印机', '墨盒,黑色', '纸张'],
      zd22: ['1', '4', '10'], zd23: ['2100', '120', '30'], zd8: ['zhangsan'],
    };
    for (const [name, values] of Object.entries(stored)) assert.deepEqual(controls[name], values, name);
    assert.match(controls.zd1[0], /富文本/);
    assert.match(controls.zd16[0], /^第一行/);
    for (const file of ['演示报价.xls', '演示清单.doc', '演示合同.pdf', '演示照片.jpg']) {
      assert.ok(text.includes(file), `the form does not show ${file}`);
    }
  });
});

// One visit to a page checks its values and works its controls in turn, each left as found.
test('the to-do page: values, workflow dialog, section, transfer picker, opinions', async () => {
  await onPage(kToDo, async ({ page }) => {
    const form = await filledForm(page);
    assert.doesNotMatch(form.html, /\{[-_]?\d+:[^}<]*\}/, 'a field placeholder is left');
    assert.deepEqual(form.values.zd_2, ['采购申请单（李四, 2011-09-02 09:30）']);
    for (const stored of ['CG-2011-001', '李四', '总公司\\技术部\\软件开发组', '电子产品', '紧急',
      '2011-9-15', '16600', '技术部\\软件开发组', '华信电子', 'lisi@example.com', '用于新项目开发。',
      '报价单.xls', '配置清单.doc', '笔记本电脑', '6500', '显示器', '1200']) {
      assert.ok(form.text.includes(stored), `the form does not show ${stored}`);
    }

    // The workflow-information button opens its page in a dialog that closes again.
    await page.click('td[onclick*="FlowGraphDis.asp"]');
    const dialog = await page.$eval('.lhgdialog', (box) => ({
      title: box.querySelector('.lhgdg_title').textContent,
      frame: box.querySelector('iframe').src,
      width: box.offsetWidth,
      bodyWidth: document.body.clientWidth,
      covered: Boolean(document.querySelector('.lhgdg_cover')),
    }));
    assert.equal(dialog.title, '流程信息×');
    assert.ok(dialog.frame.endsWith('/system/workflow/FlowGraphDis.asp'), dialog.frame);
    assert.ok(Math.abs(dialog.width - (dialog.bodyWidth - 50)) <= 2, JSON.stringify(dialog));
    assert.ok(dialog.covered);
    await page.click('.lhgdg_close');
    assert.equal(await page.$('.lhgdialog, .lhgdg_cover'), null);

    // A section header collapses its section and opens it again.
    const state = () => page.evaluate(() => [document.getElementById('Status1').style.display,
      document.getElementById('img1').getAttribute('src')]);
    await page.click('td[onclick="ChangeDis(\'1\')"]');
    assert.deepEqual(await state(), ['none', '../images/down.gif']);
    assert.equal(await page.$eval('#Status1', (e) => e.offsetHeight), 0);
    await page.click('td[onclick="ChangeDis(\'1\')"]');
    assert.deepEqual(await state(), ['', '../images/up.gif']);

    // Choosing transfer shows the transfer picker in DataDIV, another result hides it.
    const shown = () => page.$eval('#DataDIV', (div) => div.style.display !== 'none' && div.offsetHeight > 0);
    assert.equal(await shown(), false);
    await page.click('input[name=BanLiJieGuo][value="-3"]');
    assert.equal(await shown(), true);
    assert.ok(await page.$('#DataDIV textarea#ZhuanBanUserDis'));
    assert.ok(await page.$('#DataDIV input[name=ZhuanBanUser]'));
    await page.click('input[name=BanLiJieGuo][value="-4"]');
    assert.ok(await page.$('#DataDIV textarea#GouTongUserDis'));
    await page.click('input[name=BanLiJieGuo][value="-1"]');
    assert.equal(await shown(), false);

    // A common opinion chosen from the list is added to the opinion box. The page's VBScript
    // copies the common opinions into the list when the page loads; the test does that copy
    // here, as the office system's browser would.
    const opinions = await page.evaluate(() => {
      const source = document.forms.FormZiDian.CYYJZiDian;
      const list = document.forms.webform.yiJian;
      for (const option of source.options) list.add(new Option(option.text, option.value));
      return Array.from(source.options).map((option) => option.text).filter(Boolean);
    });
    assert.ok(opinions.length >= 2, 'the demo has common opinions');
    await page.type('#BanLiYiJian', '同意。');
    for (const opinion of [opinions[0], opinions[1], opinions[0]]) {
      await page.select('select[name=yiJian]', opinion);
    }
    assert.equal(await page.$eval('#BanLiYiJian', (box) => box.value),
      `同意。${opinions[0]}${opinions[1]}${opinions[0]}`);
  });
});

test("a new flow: default values, the detail table's rows, a date field's calendar", async () => {
  await onPage(kNewFlow, async ({ page }) => {
    const form = await filledForm(page);
    assert.doesNotMatch(form.html, /\{[-_]?\d+:[^}<]*\}/, 'a field placeholder is left');
    assert.match(form.values.zd_2[0], /^采购申请流程（张三, \d{4}-\d{2}-\d{2} \d{2}:\d{2}）$/);
    const defaults = { zd9: '技术部', zd6: '一般', zd11: '张三', zd20: '0', zd18: 'http://' };
    for (const [name, value] of Object.entries(defaults)) {
      assert.deepEqual(form.values[name], [value], name);
    }
    assert.match(form.values.zd5[0], /^\d{4}-\d{1,2}-\d{1,2}$/, 'the date field starts at today');

    const rows = () => page.$$eval('#myNowTable1 input[mingxi=ismingxi]', (inputs) =>
      inputs.map((input) => input.name));
    assert.deepEqual(await rows(), []);
    await page.click('input[onclick*="AddRowMX1"]');
    await page.click('input[onclick*="AddRowMX1"]');
    assert.deepEqual(await rows(), ['zd21', 'zd22', 'zd23', 'zd21', 'zd22', 'zd23']);
    page.once('dialog', (dialog) => dialog.accept());
    await page.click('#myNowTable1 a[onclick*="delMX1"]');
    assert.deepEqual(await rows(), ['zd21', 'zd22', 'zd23']);
    page.once('dialog', (dialog) => dialog.dismiss());
    await page.click('#myNowTable1 a[onclick*="delMX1"]');
    assert.deepEqual(await rows(), ['zd21', 'zd22', 'zd23'], 'a cancelled delete keeps the row');

    // The calendar writes the chosen day in the field's format.
    const [year, month] = form.values.zd5[0].split('-').map(Number);
    await page.click('img[onclick*="showCalendarFormID(\'webform\',\'zd5\'"]');
    await page.click('#calendarBox a[data-day="15"]');
    assert.equal(await page.$eval('input[name=zd5]', (input) => input.value),
      `${year}-${String(month).padStart(2, '0')}-15`);
    assert.equal(await page.$('#calendarBox'), null, 'the calendar closes');
  });
});

// Stands in for the page's VBScript thistosubmit, which the pre-check calls on an empty reply.
function recordSubmit(page) {
  return page.evaluate(() => {
    window.submitCount = 0;
    window.thistosubmit = () => { window.submitCount += 1; };
  });
}

const answerPreCheck = (replies) => (request) =>
  request.url().endsWith('/flow/flowdo.asp') ? { body: replies.shift() ?? '' } : undefined;

test("the pre-check posts the node's members to flowdo.asp and submits on an empty reply", async () => {
  const replies = [encodeURI('请填写金额'), ''];
  await onPage(kToDo, async (visit) => {
    const { page } = visit;
    await recordSubmit(page);
    const alerted = new Promise((resolve) => page.once('dialog', (dialog) => {
      resolve(dialog.message());
      dialog.accept();
    }));
    await page.evaluate(() => topreCheck());
    assert.equal(await alerted, '请填写金额', 'a reply is shown to the user');
    assert.equal(await page.evaluate(() => window.submitCount), 0, 'and nothing is submitted');
    await page.evaluate(() => topreCheck());
    await page.waitForFunction(() => window.submitCount === 1, { timeout: 10000 });
    assert.equal(visit.posts.length, 2);
    for (const post of visit.posts) {
      assert.ok(post.url.endsWith('/flow/flowdo.asp'), post.url);
      assert.deepEqual([...new URLSearchParams(post.body)],
        [['op', 'shenhe'], ['JieDian', '部门审核'], ['fujian', '']]);
    }
  }, answerPreCheck(replies));
});

test('the pre-check posts the captions of attachment rows added in the browser', async () => {
  await onPage(kNewFlow, async (visit) => {
    const { page } = visit;
    await recordSubmit(page);
    await page.click('input[name=btnFuJian13]');
    await page.type('input[name=DuoShuo113A1]', '清单');
    await page.type('input[name=DuoShuo213A1]', '3');
    await page.evaluate(() => topreCheck());
    await page.waitForFunction(() => window.submitCount === 1, { timeout: 10000 });
    assert.equal(visit.posts.length, 1);
    assert.deepEqual([...new URLSearchParams(visit.posts[0].body)],
      [['fujian', 'DuoShuo113A1:清单*DuoShuo213A1:3']]);
  }, answerPreCheck([]));
});

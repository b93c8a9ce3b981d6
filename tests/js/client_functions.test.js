// The client functions that the page writes for the user to call, each run in headless Chromium
// in a demo page that holds it, with what it does there checked: the elements it shows or hides,
// the dialog it opens, the values it writes, the address it goes to, the rows a delete leaves.
// Chromium rather than the small DOM of the page tests, because these functions reach the form's
// controls by name (webform.FolderIDDis, document.webform), navigate the window and show rows.
// Dialogs are stood in for: window.showModalDialog records its calls and returns what a case
// gives it.
//
//   node client_functions.test.js FLOWFORM SITE_FOLDER OUTPUT_FOLDER
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const { demoSession } = require('./browser/demo_session');

const session = demoSession('client_functions', 240000);

const kNewFlow = 'LiuChengID=1';
// Record 4 of the hostile rows, editable: its stored texts try to break out of the page.
const kHostileRecord = 'BiaoDanID=1&BiaoDanRecordID=4&JieDianID=11';
// Record 2 of form 2, whose main text is an office document.
const kDocument = 'BiaoDanID=2&BiaoDanRecordID=2&JieDianID=9';

// What a dialog gives back in the hostile cases.
const kHostile = `<b>&amp;"'</script><!--<script>alert(1)</script>\r\nline 2`;
// A text box drops the line breaks of a value written to it.
const kHostileInTextBox = kHostile.replace(/[\r\n]/g, '');

// Stands in for the browser's modal dialog: each call is recorded in window.dialogs and
// returns window.dialogAnswer.
function standInDialog(page) {
  return page.evaluate(() => {
    window.dialogs = [];
    window.showModalDialog = (url, arg, features) => {
      window.dialogs.push({ url, arg, features });
      return window.dialogAnswer;
    };
  });
}

// For each answer, sets it as the dialog's answer, runs act() and reads value(); resolves to
// the values read, in order, and the dialogs opened.
async function answerDialog(page, answers, act, value) {
  const values = [];
  for (const answer of answers) {
    await page.evaluate((a) => { window.dialogAnswer = a; }, answer);
    await act();
    values.push(await value());
  }
  return { values, dialogs: await page.evaluate(() => window.dialogs) };
}

// Runs click() and waits for the window's navigation that it starts.
function navigation(page, click) {
  return Promise.all([page.waitForRequest((request) => request.isNavigationRequest(),
    { timeout: 10000 }), click()]);
}

// The answers of a picker dialog that change nothing: closed, null, and an empty key member.
const unchanged = (key, name) => [undefined, null, { [key]: '', [name]: 'x' }, { [name]: 'x' }];

// A picker icon of a stored field: the dialog it opens (url, features), and the field's value
// after each answer; only an answer whose member `key` is not empty writes its member `value`.
const pickerWrites = ({ field, icon, key, value, url, features }) => async ({ page }) => {
  await standInDialog(page);
  const read = () => page.$eval(`input[name=${field}]`, (input) => input.value);
  const stored = await read();
  const answers = await answerDialog(page,
    [...unchanged(key, value), { [key]: '8', [value]: kHostile }], () => page.click(icon), read);
  assert.deepEqual(answers.values, [...Array(4).fill(stored), kHostileInTextBox]);
  assert.deepEqual(answers.dialogs, Array(5).fill({ url, arg: '', features }));
};

const cases = [
  {
    name: 'ShowSelect fills the folder fields that a page supplies, only with a folder chosen',
    page: kNewFlow,
    async run({ page }) {
      await standInDialog(page);
      await page.evaluate(() => document.forms.webform.insertAdjacentHTML('beforeend',
        '<input name=FolderIDDis value=old><input type=hidden name=FolderID value=7>'));
      const { values, dialogs } = await answerDialog(page,
        [...unchanged('oaid', 'name'), { oaid: `12${kHostile}`, name: kHostile }],
        () => page.evaluate(() => ShowSelect()),
        () => page.evaluate(() => [webform.FolderIDDis.value, webform.FolderID.value]));
      assert.deepEqual(values, [...Array(4).fill(['old', '7']), [kHostileInTextBox, `12${kHostile}`]]);
      assert.deepEqual(dialogs, Array(5).fill({
        url: '../documents/Public_FolderSelect.asp', arg: '',
        features: 'dialogWidth:350px;status:no;status:no;dialogHeight:350px;scroll:no',
      }));
    },
  },
  {
    name: 'displayRen shows the archive fields that a page supplies for 3 and hides them otherwise',
    page: kNewFlow,
    async run({ page }) {
      await page.evaluate(() => document.forms.webform.insertAdjacentHTML('beforeend',
        '<input name=GuiDangRenDis style="display:none"><img name=imgguidang alt=guidang ' +
        'style="display:none">'));
      const shown = [];
      for (const xuhao of [3, 2, '3', 0, 3, 'x']) {
        shown.push(await page.evaluate((x) => {
          displayRen(x);
          const field = document.forms.webform.elements.GuiDangRenDis;
          const icon = document.querySelector('img[name=imgguidang]');
          return [field.style.display, icon.style.display, field.offsetHeight > 0];
        }, xuhao));
      }
      const on = ['', '', true];
      const off = ['none', 'none', false];
      assert.deepEqual(shown, [on, off, on, off, on, off]);
    },
  },
  {
    name: "mySlectBuMen writes the chosen department's name into its field",
    page: kHostileRecord,
    run: pickerWrites({ field: 'zd9', icon: 'img[onclick*="mySlectBuMen(\'zd9\')"]',
      key: 'OAID', value: 'Name', url: '../include/user/SelectDepart.asp',
      features: 'dialogWidth:300px;status:no;status:no;dialogHeight:350px;scroll:no;' }),
  },
  {
    name: "openZiDian opens the field's dictionary and writes the value chosen there",
    page: kHostileRecord,
    run: pickerWrites({ field: 'zd6', icon: 'img[onclick*="openZiDian(\'zd6\'"]',
      key: 'type', value: 'value',
      // 紧急程度 in code page 936, the dialog's.
      url: '../include/zidian/selectZiDian.asp?ZiDian=%BD%F4%BC%B1%B3%CC%B6%C8&canedit=1&isMul=0',
      features: 'dialogWidth:350px;status:no;status:no;dialogHeight:400px' }),
  },
  {
    name: "openZiDian gives the dialog each argument as one query value in the dialog's code page",
    page: kNewFlow,
    async run({ page }) {
      await standInDialog(page);
      const categories = ['a&canedit=1#x', '紧急 程度+%25', kHostile];
      // The parameters of each address the dialog opened on, their bytes decoded as code page 936.
      const opened = await page.evaluate((list) => list.map((category) => {
        window.openZiDian('zd6', category, '1', '0');
        const [address, query] = window.dialogs[window.dialogs.length - 1].url.split('?');
        return [address, ...query.split('&').map((parameter) => {
          const [key, value] = parameter.split('=');
          const bytes = value.match(/%[0-9A-F]{2}|[^%]/g) || [];
          return [key, new TextDecoder('gbk').decode(new Uint8Array(bytes.map((b) =>
            (b.length > 1 ? parseInt(b.slice(1), 16) : b.charCodeAt(0)))))];
        })];
      }), categories);
      assert.deepEqual(opened, categories.map((category) => ['../include/zidian/selectZiDian.asp',
        ['ZiDian', category], ['canedit', '1'], ['isMul', '0']]));
    },
  },
  {
    name: 'fullscreen, restore and ScreenIsFull keep the choice in a cookie and set the tool bars',
    page: kNewFlow,
    async run({ page }) {
      const state = () => page.evaluate(() => [window.RemoveIEToolbar?.ToolBar ?? 'none',
        GetCookie('_myConfigBiaoDan'), window.CookieCurrentValue ?? 'none']);
      const setCookie = (text) => page.evaluate((t) => { document.cookie = t; }, text);
      const call = (name) => page.evaluate((n) => window[n](), name);
      // Without the tool-bar object only the cookie is kept.
      await call('fullscreen');
      assert.deepEqual(await state(), ['none', '0', 'none']);
      await page.evaluate(() => { window.RemoveIEToolbar = { ToolBar: 'unset' }; });
      await call('ScreenIsFull');
      assert.deepEqual(await state(), ['0', '0', '0']);
      await call('restore');
      assert.deepEqual(await state(), [1, '1', '0']);
      await call('ScreenIsFull');
      assert.deepEqual(await state(), ['1', '1', '1']);
      await call('fullscreen');
      assert.deepEqual(await state(), [0, '0', '1']);
      // The choice is kept for 31 days.
      const kept = (await page.cookies()).find((cookie) => cookie.name === '_myConfigBiaoDan');
      const days = (kept.expires * 1000 - Date.now()) / 86400000;
      assert.ok(days > 30.9 && days <= 31, `the cookie lasts ${days} days`);
      // No choice, or only a cookie whose name ends like it: the tool bars are shown.
      await setCookie('_myConfigBiaoDan=; expires=Thu, 01 Jan 1970 00:00:00 GMT');
      await setCookie('x_myConfigBiaoDan=0');
      await call('ScreenIsFull');
      assert.deepEqual(await state(), [1, null, 'none']);
      await page.evaluate((t) => SetCookie('_myConfigBiaoDan', t), kHostile);
      await call('ScreenIsFull');
      assert.deepEqual(await state(), [kHostile, kHostile, kHostile]);
    },
  },
  {
    name: 'insertKongJian places the document control, whose failure shows the download notice',
    page: kDocument,
    async run({ page, navigations }) {
      const control = () => page.evaluate(() => {
        const box = document.getElementById('WebOfficeDiv');
        const object = box.querySelector('object');
        return {
          children: box.children.length,
          attributes: object.getAttributeNames().map((n) => [n, object.getAttribute(n)]),
          params: Array.from(object.children, (p) => [p.tagName, p.name, p.value]),
          reached: webform.WebOffice === object,
          notice: document.getElementById('TBInfor').offsetHeight > 0,
        };
      });
      const placed = {
        children: 1,
        attributes: [['id', 'WebOffice'], ['width', '100%'], ['height', '100%'],
          ['onerror', 'javascript:TBInfor.style.display="";'],
          ['classid', 'clsid:AFCD4D49-262C-4BE1-B8C0-1F547B2813A3']],
        params: [['PARAM', 'CilentIp', '127.0.0.1']],
        reached: true,
        notice: false,
      };
      assert.deepEqual(await control(), placed);
      // An element that is not in the page: nothing happens.
      await page.evaluate(() => insertKongJian('NoSuchDiv', 'Other', '1', '1', '10.0.0.1'));
      assert.deepEqual(await control(), placed);
      assert.equal(await page.$('#Other'), null);
      // A computer without the control: the notice row offers it for download.
      await page.$eval('#WebOffice', (object) => object.dispatchEvent(new Event('error')));
      assert.deepEqual(await control(), { ...placed, notice: true });
      await navigation(page, () => page.click('#TBInfor a'));
      assert.deepEqual(navigations,
        [`${session.demo.base}/Public/OA_Download.asp?FileName=WebOfficeSetup.exe`]);
    },
  },
  {
    name: 'DownLoadFile goes to the download address of the stored file that is clicked',
    page: kHostileRecord,
    async run({ page, navigations }) {
      const shownDialogs = [];
      page.on('dialog', (dialog) => {
        shownDialogs.push(dialog.message());
        dialog.dismiss();
      });
      const links = await page.$$('#JiBenXinXi a[onclick*="DownLoadFile"]');
      const texts = [];
      for (const link of links) {
        texts.push(await link.evaluate((a) => a.textContent));
        await navigation(page, () => link.click());
      }
      const download = `${session.demo.base}/Public/OA_Download.asp?`;
      assert.deepEqual(texts, ['※.<img src=y onerror=alert(21)>.xls', '清单<!--<script>.doc']);
      assert.deepEqual(navigations, [
        `${download}FieldName=BaoJiaDanTitle&FileContentField=BaoJiaDanContent&Table=OA_FLOW_1_Main&OAID=OAID&Value=4`,
        `${download}FieldName=FileName&FileContentField=FileContent&Table=OA_Flow_FuJian&OAID=OAID&Value=10`,
      ]);
      assert.deepEqual(shownDialogs, []);
    },
  },
  {
    name: "a stored detail row's delete link removes that row only, once confirmed",
    page: kHostileRecord,
    async run({ page }) {
      const rows = () => page.$$eval('#myNowTable1 tr', (trs) => trs.map((tr) => {
        const inputs = Array.from(tr.querySelectorAll('input'), (input) => input.value);
        return inputs.length ? inputs : tr.innerText.trim();
      }));
      const allRows = () => page.$$eval('tr', (trs) => trs.length);
      const remove = async (index, accept) => {
        page.once('dialog', (dialog) => (accept ? dialog.accept() : dialog.dismiss()));
        const links = await page.$$('#myNowTable1 a[onclick="del(this)"]');
        await links[index].click();
      };
      const [header, first, second] = await rows();
      const rowCount = await allRows();
      assert.ok(first && second, 'the record has two stored rows');
      assert.ok(second.join('').includes('<script>'), 'the second holds the hostile texts');
      await remove(1, false);
      assert.deepEqual(await rows(), [header, first, second], 'a cancelled delete keeps the row');
      await remove(0, true);
      assert.deepEqual(await rows(), [header, second]);
      await remove(0, true);
      assert.deepEqual(await rows(), [header]);
      assert.equal(await allRows(), rowCount - 2);
    },
  },
];

for (const c of cases) {
  test(c.name, () => session.onPage(c.page, c.run));
}

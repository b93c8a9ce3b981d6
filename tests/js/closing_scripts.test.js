// Runs the JavaScript that the page writes after its frame in a small DOM, and checks what the
// functions do there; exits 1 with the failures listed when a case fails.
// Usage: node closing_scripts.test.js PAGE.html EXPECTED.json, where the JSON holds what the
// page was written with: "keys" (BiaoDanID, BiaoDanRecordID and JieDianID as the handling posts
// carry them).
"use strict";
const assert = require("node:assert/strict");
const fs = require("node:fs");
const { JSDOM } = require("jsdom");

const page = fs.readFileSync(process.argv[2], "utf8");
const expected = JSON.parse(fs.readFileSync(process.argv[3], "utf8"));

// Every inline script block whose language is JavaScript, whatever its other attributes.
const code = [...page.matchAll(/<script\b([^>]*)>([\s\S]*?)<\/script>/gi)]
  .filter((m) => /\blanguage="?javascript"?/i.test(m[1]) && !/\bsrc=/i.test(m[1]))
  .map((m) => m[2])
  .join("\n");

// A window holding `body`, with the page's scripts loaded and the browser's dialogs, jQuery's
// post and the site's functions stood in for; what they were called with is kept in `calls`,
// and calls.dialog is what the next dialog gives back.
function browser(body, { dialog, confirmAnswer = true } = {}) {
  const dom = new JSDOM(`<!DOCTYPE html><html><body>${body}</body></html>`, {
    runScripts: "outside-only",
  });
  const w = dom.window;
  const calls = { posts: [], alerts: [], dialogs: [], prints: 0, submits: [], spaces: [], dialog };
  w.showModalDialog = (url, arg, features) => {
    calls.dialogs.push({ url, arg, features });
    return calls.dialog;
  };
  w.alert = (text) => calls.alerts.push(text);
  w.confirm = () => confirmAnswer;
  w.print = () => calls.prints++;
  w.$ = { post: (url, data, done) => calls.posts.push({ url, data, done }) };
  w.TianChongSpace = (name) => calls.spaces.push(name);
  w.HTMLFormElement.prototype.submit = function () {
    calls.submits.push(this.getAttribute("name"));
  };
  w.eval(code);
  return { w, d: w.document, calls };
}

const cases = [];
const test = (name, run) => cases.push({ name, run });

test("myChaXun appends twice when the dialog does not replace, nothing when it is closed", () => {
  const dialog = { parm: "A&nbsp;1", tihuan: false, svalue: "7" };
  const { w, d, calls } = browser(
    '<span id=SPAN9></span><form name=webform><input name=zd9 value="old</table>">' +
      "<input name=zd9value value=\"\"></form>"
  );
  w.myChaXun("9", 1);
  assert.equal(d.forms.webform.elements.zd9.value, "old</table>");
  assert.equal(d.getElementById("SPAN9").innerHTML, "");
  calls.dialog = dialog;
  w.myChaXun("9", 1);
  assert.equal(calls.dialogs[1].url, "../include/ChaXun.asp?FID=9&kong=1");
  assert.equal(calls.dialogs[1].features, "dialogWidth:650px;status:no;status:no;dialogHeight:450px;scroll:no;");
  dialog.parm = "B";
  dialog.svalue = "8";
  w.myChaXun("9", 1);
  assert.equal(calls.dialogs[2].url, "../include/ChaXun.asp?FID=9&kong=0");
  assert.equal(d.getElementById("SPAN9").innerHTML, "A1B");
  assert.equal(d.forms.webform.elements.zd9.value, "oldA1B");
  assert.equal(d.forms.webform.elements.zd9value.value, ",7,8");
  dialog.tihuan = true;
  w.myChaXun("9", 0);
  assert.equal(d.getElementById("SPAN9").innerHTML, "A1B");
  assert.equal(d.forms.webform.elements.zd9.value, "B");
  assert.equal(d.forms.webform.elements.zd9value.value, "8");
});

const printable =
  '<div id=JiBenXinXi name=JiBenXinXi>form</div><div id=YiJianLieBiao name=YiJianLieBiao>history</div>' +
  '<div id=FenFaLieBiao name=FenFaLieBiao>copies</div>' +
  '<form action="biaodanword.asp" method="post" name="bdprint" style="display:none">' +
  "<textarea rows=2 cols=20 id=printhtml name=printhtml></textarea></form>";

test("DaYinWord prints the chosen parts in the browser", () => {
  const dialog = { type: "1", One: 1, Two: 1, Three: "1", Four: 0, pr: "0" };
  const { w, d, calls } = browser(printable, { dialog });
  w.DaYinWord();
  assert.equal(calls.dialogs[0].url, "PrintOptions.asp?JiBenXinXi=1&ZhengWenXinXi=0&YiJianLieBiao=1");
  assert.equal(calls.dialogs[0].features, "dialogWidth:250px;status:no;status:no;dialogHeight:250px;scroll:no");
  assert.equal(w.printHTML, "form<br>history<br>");
  assert.equal(calls.prints, 1);
  w.window_onbeforeprint();
  assert.equal(d.body.innerHTML, "form<br>history<br>");
  w.window_onafterprint();
  assert.ok(d.body.innerHTML.includes(">copies</div>"));
});

test("DaYinWord sends the parts to the document page, or does nothing when closed", () => {
  const dialog = { type: "1", One: 0, Two: 0, Three: 0, Four: "1", pr: "1" };
  const { w, d, calls } = browser(printable, { dialog });
  w.DaYinWord();
  assert.equal(d.forms.bdprint.elements.printhtml.value, "copies<br>");
  assert.deepEqual(calls.submits, ["bdprint"]);
  dialog.type = "";
  w.DaYinWord();
  calls.dialog = undefined;
  w.DaYinWord();
  assert.deepEqual(calls.submits, ["bdprint"]);
  assert.equal(calls.prints, 0);
  // A print from the browser's menu before any choice keeps the page.
  const fresh = browser(printable);
  const before = fresh.d.body.innerHTML;
  fresh.w.window_onbeforeprint();
  assert.equal(fresh.d.body.innerHTML, before);
  fresh.w.window_onafterprint();
  assert.equal(fresh.d.body.innerHTML, before);
});

test("the print block fills the flow table's spaces once, only where it exists", () => {
  assert.deepEqual(browser("<table name=myFlowTable></table>").calls.spaces, ["myFlowTable"]);
  assert.deepEqual(browser("<table id=myFlowTable></table>").calls.spaces, []);
});

const panel =
  '<form name=webform><input type=radio name=BanLiJieGuo value="-1"><input type=radio name=BanLiJieGuo value="-2">' +
  '<input type=radio name=BanLiJieGuo value="-3"><input type=radio name=BanLiJieGuo value="-4">' +
  '<div id=DataDIV style="display:none"></div><span id=schexiao>（撤销沟通）</span></form>';
const choose = (d, value) => {
  d.querySelector(`[name=BanLiJieGuo][value="${value}"]`).checked = true;
};

test("checkRadio asks do.asp for the nodes to send back to", () => {
  const { w, d, calls } = browser(panel);
  choose(d, "-2");
  w.checkRadio();
  const div = d.getElementById("DataDIV");
  assert.ok(div.textContent.includes("正在加载数据，请稍后..."));
  assert.equal(calls.posts[0].url, "do.asp");
  assert.deepEqual({ ...calls.posts[0].data }, { op: "bohui", ...expected.keys });
  calls.posts[0].done('<input type=radio name=BoHuiJieDian value="1">');
  assert.equal(w.getRadioBoxValue("BoHuiJieDian"), "undefined");
  assert.equal(div.querySelectorAll("[name=BoHuiJieDian]").length, 1);
});

test("CheXiaoGouTong withdraws a consultation only on OK", () => {
  const declined = browser(panel, { confirmAnswer: false });
  declined.w.CheXiaoGouTong();
  assert.equal(declined.calls.posts.length, 0);

  const { w, d, calls } = browser(panel);
  d.getElementById("DataDIV").style.display = "block";
  w.CheXiaoGouTong();
  assert.equal(d.getElementById("DataDIV").style.display, "none");
  assert.deepEqual({ ...calls.posts[0].data }, { op: "chexiaogoutong", ...expected.keys });
  calls.posts[0].done("no");
  assert.equal(d.getElementById("schexiao").style.display, "");
  assert.deepEqual(calls.alerts, []);
  calls.posts[0].done("OK");
  assert.deepEqual(calls.alerts, ["撤销沟通成功！"]);
  assert.equal(d.getElementById("schexiao").style.display, "none");
});

let failed = 0;
for (const c of cases) {
  try {
    c.run();
  } catch (e) {
    failed++;
    console.log(`FAIL ${c.name}\n${e.stack}`);
  }
}
console.log(`${cases.length - failed} of ${cases.length} client cases passed`);
process.exit(failed ? 1 : 0);

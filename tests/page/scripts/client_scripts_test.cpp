// The fixed dialog, close-guard, cookie and full-screen scripts: their functions behave in
// Node.js with the few browser objects they touch stood in.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "page/entry/phase_fixture.h"
#include "page/jsdom_runner.h"
#include "page/scripts/dialog_scripts.h"
#include "support/client_script.h"
#include "vb/builtins.h"

namespace page_test {
namespace {

constexpr char kEventBlock[] = "<SCRIPT ID=clientEventHandlersJS LANGUAGE=javascript>";

class ClientScriptsTest : public PhaseTest {
 protected:
  ClientScriptsTest() {
    page::write_dialog_scripts(p);
    page::write_styles_and_full_screen(p);
  }
  const std::string& out() const { return response_->body(); }

  // The JavaScript of every block, the one marked clientEventHandlersJS included.
  std::string javascript() const {
    return test_support::inline_javascript(
        vb::Replace(out(), kEventBlock, "<script language=javascript>"));
  }

  // Runs the page's JavaScript after `prelude` and before `probe` in Node.js; what it prints.
  std::string run(const std::string& prelude, const std::string& probe) const {
    char path[] = "/tmp/flowform-run-XXXXXX.js";
    const int fd = mkstemps(path, 3);
    close(fd);
    std::ofstream(path, std::ios::binary) << prelude << "\n" << javascript() << "\n" << probe;
    const DomRun run = run_command(std::string("node ") + path + " 2>&1");
    std::remove(path);
    return run.output;
  }
};

TEST_F(ClientScriptsTest, CookiesMatchWholeNamesAndKeepTheirValues) {
  EXPECT_EQ(run("var document={cookie:'x_myConfigBiaoDan=5; _myConfigBiaoDan=0'};",
                "console.log(GetCookie('myConfigBiaoDan'), GetCookie('_myConfigBiaoDan'),"
                " GetCookie('x_myConfigBiaoDan'));"),
            "null 0 5\n");
  EXPECT_EQ(run("var document={cookie:''};",
                "SetCookie('k','a; b c'); var set=document.cookie;"
                "console.log(set.split('; expires=')[0]);"
                "console.log(JSON.stringify(GetCookie('k')));"
                "SetCookie('k',1,null,'/oa','example.com',true);"
                "console.log(document.cookie.replace(/expires=[^;]*/,'expires=E'));"),
            "k=a%3B%20b%20c\n\"a; b c\"\n"
            "k=1; expires=E; path=/oa; domain=example.com; secure\n");
}

TEST_F(ClientScriptsTest, FullScreenSetsTheCookieWithOrWithoutTheToolbarObject) {
  EXPECT_EQ(run("var document={cookie:''};",
                "fullscreen(); console.log(GetCookie('_myConfigBiaoDan'));"
                "restore(); console.log(GetCookie('_myConfigBiaoDan'));"),
            "0\n1\n");
  EXPECT_EQ(run("var document={cookie:''}; var RemoveIEToolbar={ToolBar:1};",
                "fullscreen(); console.log(RemoveIEToolbar.ToolBar);"
                "ScreenIsFull(); console.log(RemoveIEToolbar.ToolBar);"),
            "0\n0\n");
}

TEST_F(ClientScriptsTest, InsertKongJianPlacesTheControlOrDoesNothing) {
  EXPECT_EQ(run("var box={innerHTML:''}; var document={getElementById:function(id){"
                "return id=='WebOfficeDiv'?box:null;}};",
                "insertKongJian('Missing','WebOffice','100%','100%','1.2.3.4');"
                "console.log(JSON.stringify(box.innerHTML));"
                "insertKongJian('WebOfficeDiv','WebOffice','100%','100%','1.2.3.4');"
                "console.log(box.innerHTML);"),
            "\"\"\n<object id=\"WebOffice\" width=\"100%\" height=\"100%\" "
            "onerror=javascript:TBInfor.style.display=\"\"; "
            "classid=\"clsid:AFCD4D49-262C-4BE1-B8C0-1F547B2813A3\"><param name=\"CilentIp\" "
            "value=\"1.2.3.4\"></object>\n");
}

TEST_F(ClientScriptsTest, CloseGuardAsksOnlyOnTheCloseButtons) {
  const std::string prelude =
      "var screen={availWidth:1000,availHeight:700}; var event={}; var document={};";
  const std::string probe =
      "function leave(x,y){event={screenX:x,screenY:y}; isWindowClose();"
      " return event.returnValue===undefined?'-':event.returnValue;}"
      "console.log(leave(990,10)); console.log(leave(500,300)); console.log(leave(10,690));"
      "console.log(leave(940,10)); console.log(clickclose);";
  EXPECT_EQ(run(prelude, probe),
            "您的当前工作尚未完成，是否确定退出当前工作任务？\n-\n"
            "您的当前工作尚未完成，是否确定退出当前工作任务？\n-\n0\n");
}

TEST_F(ClientScriptsTest, DialogsThatReturnNoKeyChangeNothing) {
  const std::string prelude =
      "var result; var window={showModalDialog:function(){return result;}};"
      "var webform={FolderIDDis:{value:'a'},FolderID:{value:'1'}};"
      "var document={webform:{elements:{zd9:{value:'old'}}}};";
  EXPECT_EQ(run(prelude,
                "result=undefined; ShowSelect(); mySlectBuMen('zd9');"
                "result={oaid:'',name:'x',OAID:'',Name:'y'}; ShowSelect(); mySlectBuMen('zd9');"
                "console.log(webform.FolderIDDis.value, document.webform.elements.zd9.value);"
                "result={oaid:'5',name:'文件夹',OAID:'3',Name:'财务部'}; ShowSelect();"
                " mySlectBuMen('zd9');"
                "console.log(webform.FolderID.value, webform.FolderIDDis.value,"
                " document.webform.elements.zd9.value);"),
            "a old\n5 文件夹 财务部\n");
}

}  // namespace
}  // namespace page_test

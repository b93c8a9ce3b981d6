// The fixed cookie and close-guard scripts: their functions behave in Node.js with the few
// browser objects they touch stood in.
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

}  // namespace
}  // namespace page_test

// Runs page markup in Node.js with the DOM of tests/js (jsdom, installed by scripts/test.sh), so a
// test can click through the client functions the page writes and read back what they did.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace page_test {

// What a driver script printed, and whether node ended with status 0.
struct DomRun {
  bool ok = false;
  std::string output;
};

// Runs a shell command; what it printed and whether it ended with status 0.
inline DomRun run_command(const std::string& command) {
  DomRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe != nullptr) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
    run.ok = pclose(pipe) == 0;
  }
  return run;
}

// Loads `html` as a page with its inline scripts run, the browser's removeNode and a
// `confirm` that answers `window.confirmAnswer` (true unless the driver changes it), then runs
// `driver` with `window`, `document` and `print` (one line of output) in scope.
inline DomRun run_in_dom(const std::string& html, const std::string& driver) {
  const std::filesystem::path modules =
      std::filesystem::path(__FILE__).parent_path().parent_path() / "js" / "node_modules";
  if (!std::filesystem::exists(modules / "jsdom")) {
    ADD_FAILURE() << "jsdom is missing: run scripts/test.sh, or npm ci in tests/js";
    return {};
  }
  char dir[] = "/tmp/flowform-dom-XXXXXX";
  if (mkdtemp(dir) == nullptr) {
    ADD_FAILURE() << "no temporary folder";
    return {};
  }
  const std::filesystem::path folder(dir);
  std::ofstream(folder / "page.html", std::ios::binary) << html;
  std::ofstream(folder / "driver.js", std::ios::binary)
      << "const { JSDOM } = require('jsdom');\n"
         "const html = require('fs').readFileSync(process.argv[2], 'utf8');\n"
         "const dom = new JSDOM(html, { runScripts: 'dangerously', beforeParse(w) {\n"
         "  w.Element.prototype.removeNode = function () { this.remove(); return this; };\n"
         "  w.confirmAnswer = true;\n"
         "  w.confirm = () => w.confirmAnswer;\n"
         "} });\n"
         "const window = dom.window, document = window.document;\n"
         "const print = (...parts) => console.log(parts.join(' '));\n"
      << driver << "\n";
  const std::string command = "NODE_PATH='" + modules.string() + "' node '" +
                              (folder / "driver.js").string() + "' '" +
                              (folder / "page.html").string() + "' 2>&1";
  const DomRun run = run_command(command);
  std::filesystem::remove_all(folder);
  return run;
}

}  // namespace page_test

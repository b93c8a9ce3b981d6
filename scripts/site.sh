#!/usr/bin/env bash
# Installs the script libraries that the demo site links, from npm into site/ at the paths the
# page links them: jQuery 1.x as site/js/jquery-1.4.2.min.js (the 1.x release nearest to that
# link that npm ships as a browser file) and CKEditor 4 under site/ckeditor/, keeping the site's
# own site/ckeditor/config.js. Does nothing when both are there.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -f site/js/jquery-1.4.2.min.js && -f site/ckeditor/ckeditor.js ]] && exit 0
command -v npm >/dev/null || { apt-get update -qq && apt-get install -y -qq --no-install-recommends npm; }
libraries=scripts/site-libraries
(cd "$libraries" && npm ci --no-audit --no-fund --loglevel=error)
cp "$libraries/node_modules/jquery/jquery.min.js" site/js/jquery-1.4.2.min.js
cp "$libraries/node_modules/jquery/jquery.min.map" site/js/jquery.min.map
mkdir -p site/ckeditor
cp -R -n "$libraries/node_modules/ckeditor4/." site/ckeditor/
rm -rf "$libraries/node_modules"

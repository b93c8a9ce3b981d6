-- wrk: each thread stops after args[1] answers, so that a run makes a known number of requests.
local answers, limit = 0, 0
function init(args) limit = tonumber(args[1]) end
function response()
  answers = answers + 1
  if answers >= limit then wrk.thread:stop() end
end

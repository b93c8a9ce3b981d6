-- wrk: every request carries one of the session cookies listed in the file args[1] (one a
-- line), the threads (args[2] of them) sharing them out, each going round its own share.
local threads_made = 0
function setup(thread)
  thread:set("id", threads_made)
  threads_made = threads_made + 1
end

local cookies, first, share, turn = {}, 0, 1, 0
function init(args)
  for line in io.lines(args[1]) do cookies[#cookies + 1] = line end
  share = math.max(1, math.floor(#cookies / tonumber(args[2])))
  first = id * share
end

function request()
  turn = turn % share + 1
  return wrk.format(nil, nil, { ["Cookie"] = cookies[first + turn] })
end

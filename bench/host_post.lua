-- wrk: every request posts a form body of args[1] bytes ("zd=" and then x's), without a cookie.
function init(args)
  wrk.method = "POST"
  wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
  wrk.body = "zd=" .. string.rep("x", tonumber(args[1]) - 3)
end

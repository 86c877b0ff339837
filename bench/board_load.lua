-- wrk's script for bench/board_bench.sh. With a folder and a count
-- (`-- DIR N`), POSTs DIR/1.json .. DIR/N.json as the bodies in turn (past N
-- they come again, and the board answers 200 for a run it has); with none,
-- GETs the URL. Prints the answers by status and the latency's p50 and p99.
local bodies, count, sent = {}, 0, 0
statuses = {}

local threads = {}
function setup(thread)
  table.insert(threads, thread)
end

function init(args)
  if args[1] then
    count = tonumber(args[2])
    for i = 1, count do
      local f = assert(io.open(args[1] .. "/" .. i .. ".json", "rb"))
      bodies[i] = f:read("*a")
      f:close()
    end
  end
end

function request()
  if count == 0 then
    return wrk.format("GET")
  end
  sent = sent % count + 1
  return wrk.format("POST", nil, { ["Content-Type"] = "application/json" }, bodies[sent])
end

function response(status)
  statuses[status] = (statuses[status] or 0) + 1
end

function done(summary, latency)
  local seconds = summary.duration / 1e6
  for _, thread in ipairs(threads) do
    for status, n in pairs(thread:get("statuses")) do
      io.write(string.format("status %d: %d\n", status, n))
    end
  end
  io.write(string.format("answers %d in %.2f s: %.1f a second, p50 %.2f ms, p99 %.2f ms\n",
    summary.requests, seconds, summary.requests / seconds,
    latency:percentile(50) / 1000, latency:percentile(99) / 1000))
end

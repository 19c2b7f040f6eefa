-- 90 % get_kvn, 5 % add_kvn, 5 % update_kvn (a one-unit sale with its own sale key).
local counter = 0
local id = 0
local threads = 0
setup = function(thread)
  threads = threads + 1
  thread:set("id", threads)
end
request = function()
  counter = counter + 1
  local pick = math.random(100)
  local headers = {["Content-Type"] = "application/x-www-form-urlencoded"}
  local carrier = 3700000001 + counter % 200
  local body
  if pick <= 90 then
    body = "act=get_kvn"
  elseif pick <= 95 then
    body = "act=add_kvn&cmdr=CMDR+Bench&FC=Bench+Carrier&CarrierID=" .. carrier ..
      "&location=Sol+%2F+Body+1&typ=Demand&commodity=Steel&count=1000000000&price=100&code="
  else
    body = "MarketID=" .. carrier .. "&act=update_kvn&Commodity=steel&Count=1&SaleKey=bench-" .. id .. "-" ..
      counter .. "-" .. math.random(1000000000)
  end
  return wrk.format("POST", "/ED/KVN.php", headers, body)
end

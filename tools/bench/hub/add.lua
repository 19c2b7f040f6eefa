-- add_kvn restating one of the 200 order lines (a durable write each time).
local i = 0
request = function()
  i = i + 1
  local body = "act=add_kvn&cmdr=CMDR+Bench&FC=Bench+Carrier&CarrierID=" .. (3700000001 + i % 200) ..
    "&location=Sol+%2F+Body+1&typ=Demand&commodity=Steel&count=" .. (1000000000 - i) .. "&price=100&code="
  return wrk.format("POST", "/ED/KVN.php", {["Content-Type"] = "application/x-www-form-urlencoded"}, body)
end

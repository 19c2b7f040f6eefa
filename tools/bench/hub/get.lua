-- get_kvn on every request.
wrk.method = "POST"
wrk.path = "/ED/KVN.php"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
wrk.body = "act=get_kvn"

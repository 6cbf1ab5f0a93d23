#!/usr/bin/python3
"""A stand-in for the analysis web server, for the communication tests only.

    fake_analysis.py STATE_DIR KNOWN_ID FTP_ROOT FTP_PASSWORD

Listens on 127.0.0.1 (a free port), prints "PORT <n>" and serves HTTPS with a
certificate for 127.0.0.1 from a test CA it makes with openssl
(STATE_DIR/ca.pem). GET /request.php answers only in its headers:

    pmd=1000&fnm=ID   X-Add (the FTP host, 127.0.0.1), X-Pas (FTP_PASSWORD),
                      X-Status; an ID other than KNOWN_ID gets 902
    pmd=1100&fnm=ID&dno=N&dvr=A.B.C&fpa=PASSWORD[&meeting_url=..&meeting_date=..&active_id=..]
                      opens FTP_ROOT/NN/vqacc.zip with fpa and checks that it
                      holds one enciphered entry vqacc.sql, a dump of database
                      halbrin_d_ID_N; X-Status 000 when all holds

A user agent other than "Corvane" gets 900, an unknown pmd 901, a key
outside the request's own or one given twice 999 (a value that was not
percent-encoded shows that way). Each request is appended to
STATE_DIR/requests.log as "STATUS<TAB>USER-AGENT<TAB>PATH".

Faults, re-read from STATE_DIR/fault before each request (one word, or none):
    no_status        answer without X-Status
    http500          answer HTTP 500
    stall            never answer
    status_1000=NNN  answer the announcement with X-Status NNN
    status_1100=NNN  answer the confirmation with X-Status NNN
"""
import http.server
import os
import re
import socketserver
import ssl
import sys
import time
import urllib.parse
import zipfile

from fake_support import make_certificate, read_fault

STATE_DIR, KNOWN_ID, FTP_ROOT, FTP_PASSWORD = sys.argv[1:5]
KEYS = {
    "1000": {"pmd", "fnm"},
    "1100": {"pmd", "fnm", "dno", "dvr", "fpa", "meeting_url", "meeting_date", "active_id"},
}


def fault():
    return read_fault(STATE_DIR)


def check_zip(fnm, dno, password):
    path = os.path.join(FTP_ROOT, "%02d" % dno, "vqacc.zip")
    try:
        archive = zipfile.ZipFile(path)
    except (OSError, zipfile.BadZipFile):
        return "921"
    with archive:
        infos = archive.infolist()
        if [i.filename for i in infos] != ["vqacc.sql"]:
            return "924"
        if not infos[0].flag_bits & 1:
            return "922"
        try:
            text = archive.read(infos[0], pwd=password.encode())
        except RuntimeError:
            return "922"
        except (zipfile.BadZipFile, OSError, ValueError):
            return "923"
    if not text.startswith(b"-- \r\n-- Web Halbrin DataBase Dump\r\n"):
        return "924"
    if ("USE `halbrin_d_%s_%d`;\r\n" % (fnm, dno)).encode() not in text:
        return "924"
    return "000"


def answer(agent, path):
    if agent != "Corvane":
        return "900", {}
    split = urllib.parse.urlsplit(path)
    if split.path != "/request.php":
        return "903", {}
    pairs = urllib.parse.parse_qsl(split.query, keep_blank_values=True)
    query = dict(pairs)
    pmd = query.get("pmd")
    if pmd not in KEYS:
        return "901", {}
    if len(query) != len(pairs) or not set(query) <= KEYS[pmd]:
        return "999", {}
    if query.get("fnm") != KNOWN_ID:
        return "902", {}
    f = fault()
    if pmd == "1000":
        if f.startswith("status_1000="):
            return f.split("=", 1)[1], {}
        return "000", {"x-add": " 127.0.0.1", "X-Pas": FTP_PASSWORD}
    if f.startswith("status_1100="):
        return f.split("=", 1)[1], {}
    if not re.fullmatch(r"[0-9]{1,2}", query.get("dno", "")) or not 1 <= int(query["dno"]) <= 10:
        return "911", {}
    if not re.fullmatch(r"[0-9]+\.[0-9]+\.[0-9]+", query.get("dvr", "")):
        return "912", {}
    return check_zip(query["fnm"], int(query["dno"]), query.get("fpa", "")), {}


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        f = fault()
        agent = self.headers.get("User-Agent", "")
        if f == "stall":
            self.log("stall", agent)
            time.sleep(120)
            return
        if f == "http500":
            self.log("500", agent)
            self.send_response(500)
            self.send_header("X-Status", "000")
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        status, headers = answer(agent, self.path)
        self.log(status, agent)
        self.send_response(200)
        for name, value in headers.items():
            self.send_header(name, value)
        if f != "no_status":
            self.send_header("X-Status", status)
        body = b"<html></html>"
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log(self, status, agent):
        with open(os.path.join(STATE_DIR, "requests.log"), "a") as f:
            f.write("%s\t%s\t%s\n" % (status, agent, self.path))


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def main():
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(make_certificate(STATE_DIR, "Fake Analysis Test CA"))
    server = Server(("127.0.0.1", 0), Handler)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    print("PORT %d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


main()

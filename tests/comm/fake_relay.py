#!/usr/bin/env python3
"""A stand-in for the relay server, for the communication tests only.

    fake_relay.py STATE_DIR [--cert-host NAME] [--tls10-only]

Listens on 127.0.0.1 (a free port), prints "PORT <n>" and serves TLS with a
certificate it makes at start with openssl: a test CA (STATE_DIR/ca.pem, the
file the client's settings name as CaFile) and a server certificate for
127.0.0.1, or for NAME with --cert-host (a certificate for another host).
--tls10-only offers TLS 1.0 and nothing newer.

Every request re-reads STATE_DIR/state.json, so a test changes slots and
faults between requests:

    {"ids": {"COMMID": {"slots": {"1": {"name": "...", "term": "5",
        "start": "2024/04/01 00:00:00", "end": "2025/03/31 00:00:00",
        "updated": "2024/05/01 10:20:30", "started": "0000/00/00 00:00:00",
        "password": "ABC123", "version": "1400", "state": "1",
        "user": "0001山田", "computer": "PC-1"}}}},
     "ftp_host": "ftp.example", "ftp_password": "secret",
     "status": "999",            forced status of every reply (optional)
     "status_for": "1823",       only of the replies to this request code (optional)
     "fault": "close_after_N" (N reply lines, then close) | "short_line_5" | "bad_time" | "silence" |
              "leading_blank_lines"}

Each request line is appended to STATE_DIR/requests.log (one a line).

Answers the protocol leaves to the server, chosen here:
- an unknown communication ID gets 920 for every request;
- 1730 sets the share state whoever holds the slot (the release of a stuck
  slot relies on that); state 2 records fOpName and fPcName, state 1 keeps
  them (a listing then still carries them, which the client must ignore);
- 1753 deletes a slot only when it is not in use, else 930;
- 1833 on a slot in use by another operator or computer answers 940, on a
  number outside 1 to 10 950; an empty slot is taken as any other;
  otherwise it takes the slot and answers the slot's last-update time, so a
  copy received earlier stays the latest;
- 1823 stores the upload and answers the new last-update time (now).

Relay and cash-book slots live beside the cloud slots of an account:
    "relay": {"1": {"name": ..., "term": ..., "start": ..., "end": ...,
                    "sent": "2024/05/01 10:20:30", "received": "...",
                    "password": ..., "version": ...}}      slots 1 to 10
    "cashbook": {"1": {...}, "2": {...}, "3": {...}}       slots "01" to "03"
- 1720 lists the relay slots, with "&sTRKubn=2" the cash-book slots (9 lines
  a slot);
- 1810 stores a cash-book upload, 1820 a relay upload (name, term, period,
  password, version) and answer the send time yyyymmddhhnnss;
- 1830 stamps a relay slot as received and answers that time;
- 1750 deletes a cash-book slot when the account has cash-book slots, else a
  relay slot.
"""
import base64
import json
import os
import socket
import socketserver
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

STATE_DIR = sys.argv[1]
CERT_HOST = "127.0.0.1"
TLS10_ONLY = False
args = sys.argv[2:]
while args:
    a = args.pop(0)
    if a == "--cert-host":
        CERT_HOST = args.pop(0)
    elif a == "--tls10-only":
        TLS10_ONLY = True

lock = threading.Lock()


def run(*cmd):
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def make_certificates():
    ca_key = os.path.join(STATE_DIR, "ca.key")
    ca = os.path.join(STATE_DIR, "ca.pem")
    if not os.path.exists(ca):
        run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", ca_key, "-out", ca,
            "-days", "2", "-subj", "/CN=Fake Relay Test CA")
    key = os.path.join(STATE_DIR, "server.key")
    csr = os.path.join(STATE_DIR, "server.csr")
    crt = os.path.join(STATE_DIR, "server.pem")
    ext = os.path.join(STATE_DIR, "server.ext")
    san = ("IP:" if CERT_HOST.replace(".", "").isdigit() else "DNS:") + CERT_HOST
    with open(ext, "w") as f:
        f.write("subjectAltName=%s\nbasicConstraints=CA:FALSE\n" % san)
    run("openssl", "req", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", csr, "-subj", "/CN=" + CERT_HOST)
    run("openssl", "x509", "-req", "-in", csr, "-CA", ca, "-CAkey", ca_key, "-CAcreateserial", "-out", crt,
        "-days", "2", "-extfile", ext)
    return crt, key


def load_state():
    path = os.path.join(STATE_DIR, "state.json")
    if not os.path.exists(path):
        return {"ids": {}}
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def save_state(state):
    path = os.path.join(STATE_DIR, "state.json")
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        json.dump(state, f, ensure_ascii=False, indent=1)
    os.replace(tmp, path)


def b64(text):
    return base64.b64encode(text.encode("cp932")).decode("ascii")


def unb64(value):
    try:
        return base64.b64decode(urllib.parse.unquote(value)).decode("cp932")
    except Exception:
        return ""


def now_text():
    return time.strftime("%Y/%m/%d %H:%M:%S")


HEAD = ["HTTP/1.0 200 OK", "Content-Type: text/plain", "Connection: close", ""]


def status_line(code):
    return "RESULTCODE" + code          # status in characters 11 to 13


def slot_block(n, slot):
    s = slot or {}
    return [
        "SLOTID      =" + "%02d" % n,                  # from character 14
        "DATANAME =" + (b64(s["name"]) if s.get("name") else ""),
        "TERM     =" + s.get("term", ""),
        "KISHU      " + s.get("start", ""),            # from character 12
        "KIMATU     " + s.get("end", ""),
        "UPDATE   =" + s.get("updated", ""),           # from character 11
        "START    =" + s.get("started", ""),
        "PASSWORD =" + s.get("password", ""),
        "VERSION    =" + s.get("version", ""),         # from character 13
        "STATE       =" + s.get("state", ""),          # from character 14
        "OPERATOR     =" + (b64(s["user"]) if s.get("user") else ""),   # from character 15
        "COMPUTER     =" + (b64(s["computer"]) if s.get("computer") else ""),
    ]


def relay_block(n, slot):
    s = slot or {}
    return [
        "SLOTID      =" + "%02d" % n,
        "DATANAME =" + (b64(s["name"]) if s.get("name") else ""),
        "TERM     =" + s.get("term", ""),
        "KISHU      " + s.get("start", ""),
        "KIMATU     " + s.get("end", ""),
        "SEND     =" + s.get("sent", ""),
        "RECEIVE  =" + s.get("received", ""),
        "PASSWORD =" + s.get("password", ""),
        "VERSION    =" + s.get("version", ""),
    ]


def period_text(value):
    """yyyymmdd0000 as the listing's "yyyy/mm/dd 00:00:00"."""
    return "%s/%s/%s 00:00:00" % (value[0:4], value[4:6], value[6:8]) if len(value) >= 8 else ""


def answer(request_line, state):
    """The reply lines and whether the state changed."""
    query = request_line.split(" ")[1].split("?", 1)[1] if "?" in request_line else ""
    params = dict(p.split("=", 1) if "=" in p else (p, "") for p in query.split("&"))
    code = params.get("Scode", "")
    account = state.get("ids", {}).get(params.get("sFName", ""))
    timed = code in ("1810", "1820", "1823", "1830", "1833")
    stamp = time.strftime("%Y%m%d%H%M%S")
    forced = state.get("status") if state.get("status_for", code) == code else None

    def status_reply(status, time_text=None):
        lines = list(HEAD)
        if timed:
            lines.append("TIME   " + (time_text or ""))
        lines.append(status_line(status))
        return lines

    if forced:
        return status_reply(forced), False
    if account is None:
        return status_reply("920"), False
    slots = account.setdefault("slots", {})
    slot_no = params.get("fSname", "")
    key = str(int(slot_no)) if slot_no.isdigit() else ""
    if code == "1725":
        lines = list(HEAD) + [status_line("000"), "FTPHOST" + state.get("ftp_host", "ftp.invalid"),
                              "FTPPASS" + state.get("ftp_password", ""), "SLOTS"]
        for n in range(1, 11):
            lines += slot_block(n, slots.get(str(n)))
        return lines, False
    if code == "1730":
        slot = slots.setdefault(key, {})
        slot["state"] = params.get("fShare", "")
        if slot["state"] == "2":
            slot["user"] = unb64(params.get("fOpName", ""))
            slot["computer"] = unb64(params.get("fPcName", ""))
            slot["started"] = now_text()
        return status_reply("000"), True
    if code == "1753":
        slot = slots.get(key)
        if slot and slot.get("state") == "2":
            return status_reply("930"), False
        slots.pop(key, None)
        return status_reply("000"), True
    if code == "1833":
        # The listing shows ten slots whether the state names them or not:
        # a slot it leaves out is an empty one, taken like any other.
        if not key or not 1 <= int(key) <= 10:
            return status_reply("950"), False
        slot = slots.setdefault(key, {})
        user, computer = unb64(params.get("fOpName", "")), unb64(params.get("fPcName", ""))
        if slot.get("state") == "2" and (slot.get("user"), slot.get("computer")) != (user, computer):
            return status_reply("940"), False
        slot.update(state="2", user=user, computer=computer, started=now_text())
        return status_reply("000", slot.get("updated", now_text())), True
    if code == "1720":
        cash = params.get("sTRKubn") == "2"
        listed = account.get("cashbook" if cash else "relay", {})
        lines = list(HEAD) + [status_line("000"), "FTPHOST" + state.get("ftp_host", "ftp.invalid"),
                              "FTPPASS" + state.get("ftp_password", ""), "SLOTS"]
        for n in range(1, 11):
            lines += relay_block(n, listed.get(str(n)) if not cash or n <= 3 else None)
        return lines, False
    if code in ("1810", "1820"):
        slot = account.setdefault("cashbook" if code == "1810" else "relay", {}).setdefault(key, {})
        slot.update(name=unb64(params.get("fSg", "")), term=params.get("fNe", ""),
                    start=period_text(params.get("fKis", "")), end=period_text(params.get("fKie", "")),
                    password=params.get("fPa", ""), version=params.get("fYobi", ""),
                    sent=now_text(), received="0000/00/00 00:00:00")
        return status_reply("000", stamp), True
    if code == "1830":
        slot = account.get("relay", {}).get(key)
        if slot is None:
            return status_reply("950"), False
        slot["received"] = now_text()
        return status_reply("000", stamp), True
    if code == "1750":
        area = account.get("cashbook") if "cashbook" in account else account.get("relay", {})
        area.pop(key, None)
        return status_reply("000"), True
    if code == "1823":
        slot = account.get("slots", {}).setdefault(key, {})
        slot.update(name=unb64(params.get("fSg", "")), term=params.get("fNe", ""),
                    password=params.get("fPa", ""), version=params.get("fYobi", ""),
                    updated=now_text(), state="2")
        return status_reply("000", stamp), True
    return status_reply("990"), False


class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        conn = self.request
        conn.settimeout(20)
        try:
            data = b""
            while b"\r\n\r\n" not in data and len(data) < 65536:
                chunk = conn.recv(4096)
                if not chunk:
                    return
                data += chunk
        except (OSError, ssl.SSLError):
            return
        request_line = data.split(b"\r\n", 1)[0].decode("latin-1")
        with lock:
            with open(os.path.join(STATE_DIR, "requests.log"), "a", encoding="latin-1") as f:
                f.write(request_line + "\n")
            with open(os.path.join(STATE_DIR, "last-request.bin"), "wb") as f:
                f.write(data)
            state = load_state()
            lines, changed = answer(request_line, state)
            if changed:
                save_state(state)
        fault = state.get("fault")
        if fault == "silence":
            try:
                conn.recv(1)  # until the client gives up
            except (OSError, ssl.SSLError):
                pass
            return
        if fault and fault.startswith("close_after_"):
            lines = lines[:int(fault[len("close_after_"):])]
        elif fault == "short_line_5" and len(lines) >= 5:
            lines[4] = "RES"
        elif fault == "bad_time":
            lines = [("TIME   not a time" if l.startswith("TIME   ") else l) for l in lines]
        text = "\r\n".join(lines) + "\r\n"
        if fault == "leading_blank_lines":
            text = "\r\n\r\n" + text
        try:
            conn.sendall(text.encode("ascii"))
            conn.unwrap()
        except (OSError, ssl.SSLError, ValueError):
            pass


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, context):
        self.context = context
        super().__init__(("127.0.0.1", 0), Handler)

    def get_request(self):
        sock, addr = self.socket.accept()
        sock.settimeout(10)
        try:
            return self.context.wrap_socket(sock, server_side=True), addr
        except (OSError, ssl.SSLError):
            sock.close()
            raise OSError("handshake refused")

    def handle_error(self, request, client_address):
        pass


def main():
    os.makedirs(STATE_DIR, exist_ok=True)
    crt, key = make_certificates()
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    if TLS10_ONLY:
        context.set_ciphers("DEFAULT:@SECLEVEL=0")
        context.minimum_version = ssl.TLSVersion.TLSv1
        context.maximum_version = ssl.TLSVersion.TLSv1
    context.load_cert_chain(crt, key)
    server = Server(context)
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""A stand-in for the relay server's FTP storage, for the communication tests only.

    fake_ftp.py STATE_DIR USER PASSWORD [--plain]

Serves STATE_DIR/root on 127.0.0.1 (a free port) to USER with PASSWORD,
prints "PORT <n>", and requires TLS on the control channel (explicit AUTH TLS)
with a certificate for 127.0.0.1 from a test CA it makes with openssl
(STATE_DIR/ca.pem); the data channel may stay in clear. --plain offers no TLS
at all. Every command but PASS is appended to STATE_DIR/commands.log.

Faults, re-read from STATE_DIR/fault before each command (one word, or none):
    drop_stor      close the connection halfway through a STOR
    truncate_stor  keep only half of what a STOR sent, and answer success
    rnto_no_clobber  refuse RNTO onto an existing file (550)
    fail_rnfr      refuse every RNFR (550)
    fail_dele      refuse every DELE (550)
    bad_login      refuse every login
    stall          never answer a STOR or RETR
SIZE answers 550 for a missing file (the library's own answer).
"""
import logging
import os
import sys

from fake_support import make_certificate as make_test_certificate, read_fault

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, TLS_FTPHandler
from pyftpdlib.log import config_logging
from pyftpdlib.servers import FTPServer

STATE_DIR, USER, PASSWORD = sys.argv[1:4]
PLAIN = "--plain" in sys.argv[4:]
ROOT = os.path.join(STATE_DIR, "root")
os.makedirs(ROOT, exist_ok=True)


def make_certificate():
    return make_test_certificate(STATE_DIR, "Fake FTP Test CA")


def fault():
    return read_fault(STATE_DIR)


class FaultyAuthorizer(DummyAuthorizer):
    def validate_authentication(self, username, password, handler):
        if fault() == "bad_login":
            from pyftpdlib.authorizers import AuthenticationFailed
            raise AuthenticationFailed("refused")
        return DummyAuthorizer.validate_authentication(self, username, password, handler)


class Faults:
    def pre_process_command(self, line, cmd, arg):
        with open(os.path.join(STATE_DIR, "commands.log"), "a") as f:
            f.write(("PASS ***" if cmd == "PASS" else line) + "\n")
        f = fault()
        if cmd in ("STOR", "RETR") and f == "stall":
            return      # never answered; other connections go on
        if cmd == "RNFR" and f == "fail_rnfr":
            return self.respond("550 refused.")
        if cmd == "DELE" and f == "fail_dele":
            return self.respond("550 refused.")
        if cmd == "RNTO" and f == "rnto_no_clobber":
            try:
                target = self.fs.ftp2fs(self.fs.ftpnorm(arg))
            except Exception:
                target = None
            if target and os.path.exists(target):
                return self.respond("550 file exists.")
        return super().pre_process_command(line, cmd, arg)

    def on_file_received(self, file):
        if fault() == "truncate_stor":
            size = os.path.getsize(file)
            with open(file, "r+b") as f:
                f.truncate(size // 2)

    def on_incomplete_file_received(self, file):
        # A dropped upload leaves what arrived, as a real server does.
        pass


def install_drop(handler_class):
    class DroppingDTP(handler_class.dtp_handler):
        def handle_read(self):
            if fault() == "drop_stor":
                chunk = self.recv(65536)
                if chunk:
                    self.file_obj.write(chunk[: len(chunk) // 2])
                self.cmd_channel.close()
                self.close()
                return
            return super().handle_read()

        handle_read_event = handle_read

    handler_class.dtp_handler = DroppingDTP


def main():
    config_logging(level=logging.WARNING)
    authorizer = FaultyAuthorizer()
    authorizer.add_user(USER, PASSWORD, ROOT, perm="elradfmwMT")
    if PLAIN:
        handler = type("Handler", (Faults, FTPHandler), {})
    else:
        handler = type("Handler", (Faults, TLS_FTPHandler), {})
        handler.certfile = make_certificate()
        handler.tls_control_required = True
        handler.tls_data_required = False
    install_drop(handler)
    handler.authorizer = authorizer
    handler.passive_ports = None
    handler.banner = "fake ftp ready"
    server = FTPServer(("127.0.0.1", 0), handler)
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever(handle_exit=True)


main()

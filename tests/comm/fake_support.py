"""What the fake servers of the communication tests share: a test CA and a
server certificate for 127.0.0.1 made with openssl, and the fault word a
test writes between requests."""
import os
import subprocess


def run(*cmd):
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def make_certificate(state_dir, ca_name):
    """Makes STATE_DIR/ca.pem and a certificate for 127.0.0.1 signed by it;
    returns the file holding the certificate and its key."""
    p = lambda name: os.path.join(state_dir, name)
    run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", p("ca.key"), "-out", p("ca.pem"),
        "-days", "2", "-subj", "/CN=" + ca_name)
    with open(p("server.ext"), "w") as f:
        f.write("subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\n")
    run("openssl", "req", "-newkey", "rsa:2048", "-nodes", "-keyout", p("server.key"), "-out", p("server.csr"),
        "-subj", "/CN=127.0.0.1")
    run("openssl", "x509", "-req", "-in", p("server.csr"), "-CA", p("ca.pem"), "-CAkey", p("ca.key"),
        "-CAcreateserial", "-out", p("server.pem"), "-days", "2", "-extfile", p("server.ext"))
    with open(p("server-all.pem"), "w") as f:
        f.write(open(p("server.pem")).read() + open(p("server.key")).read())
    return p("server-all.pem")


def read_fault(state_dir):
    """The word in STATE_DIR/fault, or "" when there is none."""
    try:
        with open(os.path.join(state_dir, "fault")) as f:
            return f.read().strip()
    except OSError:
        return ""

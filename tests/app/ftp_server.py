#!/usr/bin/env python3
"""A loopback FTP server for the transfer tests (pyftpdlib).

Serves ROOT to one user on 127.0.0.1 at a free port, which it prints on
standard output once it listens, until it is killed. --throttle limits each
data connection to that many bytes a second; --tls FOLDER makes a
self-signed certificate there and speaks explicit TLS.
"""
import argparse
import logging
import os
import subprocess

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer

parser = argparse.ArgumentParser()
parser.add_argument("--root", required=True)
parser.add_argument("--user", default="user")
parser.add_argument("--password", default="secret")
parser.add_argument("--throttle", type=int, default=0)
parser.add_argument("--tls")
args = parser.parse_args()

authorizer = DummyAuthorizer()
authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")

if args.tls:
    from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler

    cert = os.path.join(args.tls, "cert.pem")
    key = os.path.join(args.tls, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
                    "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", key, "-out", cert,
                    "-days", "1", "-subj", "/CN=tessarine-test"],
                   check=True, capture_output=True)

    class Handler(TLS_FTPHandler):
        pass

    # pyftpdlib before 1.5.8 drops a data connection whose TLS handshake
    # starts before the transfer command, as libcurl's does.
    class TlsDtp(TLS_DTPHandler):
        def readable(self):
            return self._ssl_accepting or super().readable()

    Handler.certfile = cert
    Handler.keyfile = key
    Handler.dtp_handler = TlsDtp
else:
    class Handler(FTPHandler):
        pass

Handler.authorizer = authorizer
# A refused login is answered at once, not after pyftpdlib's usual pause.
Handler.auth_failed_timeout = 0
if args.throttle:
    class Dtp(ThrottledDTPHandler):
        read_limit = args.throttle
        write_limit = args.throttle

    Handler.dtp_handler = Dtp

logging.basicConfig(level=logging.WARNING)
server = FTPServer(("127.0.0.1", 0), Handler)
print(server.address[1], flush=True)
server.serve_forever()

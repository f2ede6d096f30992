#!/usr/bin/python3
"""A local FTP server for the ranking tests: one account on 127.0.0.1 at a free port, which it
prints first, then one line on stdout for every log-in, command and disconnect it sees. Uploads
are stored as they arrive on the data connection, also after "TYPE A", so that the stored file
shows the client's bytes rather than this machine's line ends. It ends when its standard input
closes, so that a test that dies leaves no server behind.

Usage: ftpserver.py HOME USER PASSWORD
"""
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer


class WireDTPHandler(DTPHandler):
    def enable_receiving(self, type, cmd):
        super().enable_receiving("i", cmd)


class Handler(FTPHandler):
    dtp_handler = WireDTPHandler
    # A refused log-in answers at once, so that the tests do not wait for it.
    auth_failed_timeout = 0

    def on_login(self, username):
        print("LOGIN", username, flush=True)

    def on_disconnect(self):
        print("DISCONNECT", flush=True)

    def pre_process_command(self, line, cmd, arg):
        print("COMMAND", cmd, flush=True)
        super().pre_process_command(line, cmd, arg)


def main():
    home, user, password = sys.argv[1:4]
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, home, perm="elradfmwMT")
    Handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), Handler)
    print("PORT", server.socket.getsockname()[1], flush=True)

    def watch_parent():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=watch_parent, daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()

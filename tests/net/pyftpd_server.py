# Runs one pyftpdlib server on 127.0.0.1 at a free port for the FTP client's tests; prints the
# port, and ends when its standard input closes (the test process is gone).
import argparse
import logging
import os
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.log import logger
from pyftpdlib.servers import FTPServer


class TimedHandler(FTPHandler):
    """Prints "SESSION <ms>" at each completion reply: the time since the control connection was
    accepted, so that every client is timed the same way, by the server."""

    def on_connect(self):
        self.accepted_at = time.monotonic()

    def respond(self, resp, logfun=logger.debug):
        super().respond(resp, logfun)
        if resp.startswith("226"):
            elapsed = (time.monotonic() - self.accepted_at) * 1000
            print("SESSION %.3f" % elapsed, flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--banner", default="bartendam test server ready")
    parser.add_argument("--login-message", default="Login successful.")
    parser.add_argument("--idle-seconds", type=int, default=0)
    parser.add_argument("--time-sessions", action="store_true")
    args = parser.parse_args()

    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT",
                        msg_login=args.login_message)
    handler = TimedHandler if args.time_sessions else FTPHandler
    handler.authorizer = authorizer
    handler.banner = args.banner
    # A refused log-in is answered at once instead of after pyftpdlib's 3 s delay.
    handler.auth_failed_timeout = 0
    if args.idle_seconds > 0:
        handler.timeout = args.idle_seconds
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.socket.getsockname()[1], flush=True)

    def watch_parent():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=watch_parent, daemon=True).start()
    server.serve_forever(timeout=0.2, handle_exit=False)


if __name__ == "__main__":
    main()

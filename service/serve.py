"""The ranking service's one process: it holds the data folder's lock, binds the ports, drops
root, starts the keeper and lighttpd as its children (both die with it) and is the FTP server
itself. service/run checks the arguments and starts it; SIGTERM or Ctrl-C stops it, ending every
open session."""

import argparse
import fcntl
import logging
import logging.handlers
import os
import pwd
import shutil
import signal
import socket
import subprocess
import sys

from pyftpdlib.servers import FTPServer

from keeper import Keeper, KeeperFailed, die_with_parent
from rankingftp import MasterOnly, RankingHandler



def rotated_log(name, path, max_bytes):
    """A logger writing to `path`, which with its one older generation stays within
    `max_bytes`."""
    handler = logging.handlers.RotatingFileHandler(path, maxBytes=max_bytes // 2, backupCount=1)
    handler.setFormatter(logging.Formatter("%(asctime)s %(message)s"))
    log = logging.getLogger(name)
    log.addHandler(handler)
    log.setLevel(logging.INFO)
    log.propagate = False
    return log


def fail(why):
    print("service/run: " + why, file=sys.stderr)
    sys.exit(1)


def arguments():
    parser = argparse.ArgumentParser(prog="service/run")
    parser.add_argument("--data", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--address", default="0.0.0.0")
    parser.add_argument("--ftp-port", type=int, default=21)
    parser.add_argument("--http-port", type=int, default=80)
    parser.add_argument("--max-data", type=int, default=1 << 30)
    parser.add_argument("--passive-ports", default="50000-50999")
    parser.add_argument("--per-address", type=int, default=200)
    parser.add_argument("--sessions", type=int, default=1000)
    parser.add_argument("--account", default="")
    parser.add_argument("--keeper", required=True)
    return parser.parse_args()


def lock(data):
    """The data folder's lock, held for the life of the process; a second service on the same
    folder stops here, before it has changed anything."""
    folder = os.open(data, os.O_RDONLY | os.O_DIRECTORY)
    try:
        fcntl.flock(folder, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        fail("the ranking service already runs on %s; nothing was changed" % data)
    return folder


def listener(address, port, backlog):
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    try:
        sock.bind((address, port))
    except OSError as error:
        fail("cannot listen on port %d: %s" % (port, error.strerror))
    sock.listen(backlog)
    return sock


def prepare(data, owner, keeper_program):
    """The folders, the ten count files and the programs the unprivileged children run. Only
    the count files and the pages are the account's to write; it can create or rename nothing
    where the entries are."""
    uid, gid = owner
    for folder, own in (("ftp", False), ("ftp/ranking", False), ("ftp/ranking/cocktail", False),
                        ("www", False), ("www/ranking", False), ("www/ranking/cocktail", True),
                        ("log", True), ("bin", False), ("etc", False)):
        path = os.path.join(data, folder)
        os.makedirs(path, mode=0o755, exist_ok=True)
        os.chmod(path, 0o755)
        os.chown(path, uid if own else os.getuid(), gid if own else os.getgid())
    # What an earlier version of the service left.
    for old in ("etc/vsftpd.conf", "etc/ftp.passwd", "www/ranking/cocktail/cocktailmain.cgi"):
        if os.path.lexists(os.path.join(data, old)):
            os.remove(os.path.join(data, old))
    for count in range(10, 101, 10):
        path = os.path.join(data, "ftp/ranking/cocktail/%d.log" % count)
        descriptor = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_NOFOLLOW, 0o644)
        os.fchown(descriptor, uid, gid)
        os.close(descriptor)
    shutil.copy(keeper_program, os.path.join(data, "bin"))
    return os.path.join(data, "bin", os.path.basename(keeper_program))


def drop_root(account):
    if os.getuid() != 0:
        return
    entry = pwd.getpwnam(account)
    os.setgroups([])
    os.setgid(entry.pw_gid)
    os.setuid(entry.pw_uid)


def lighttpd_config(data, address, port, headers):
    header_items = ",\n  ".join('"%s" => "%s"' % (name, value) for name, value in headers
                                if name != "Content-Type")
    counts = "|".join(str(count) for count in range(10, 101, 10))
    page = "^/ranking/cocktail/cocktailmain\\.cgi"
    return f'''# Written by service/run: the stored ranking pages at the page program's old address.
server.modules = ("mod_rewrite", "mod_redirect", "mod_setenv", "mod_accesslog")
server.document-root = "{data}/www"
server.bind = "{address}"
server.port = {port}
server.systemd-socket-activation = "enable"
server.tag = ""
server.max-connections = 4096
server.max-fds = 8192
mimetype.assign = (".html" => "text/html; charset=utf-8")
# The first count=N of the query that names a count, as the game's counts are; otherwise 50.
url.rewrite-once = (
  "{page}\\?(?:.*?&)??count=({counts})(?:&.*)?$" => "/ranking/cocktail/$1.html",
  "{page}(?:\\?.*)?$" => "/ranking/cocktail/50.html"
)
url.redirect = ("^/$" => "/ranking/cocktail/cocktailmain.cgi")
url.redirect-code = 302
setenv.set-response-header = (
  {header_items}
)
# Rotated by the FTP server, which renames it and has lighttpd reopen it (SIGHUP).
accesslog.filename = "{data}/log/access.log"
'''


def main():
    args = arguments()
    data = os.path.realpath(args.data)
    folder_lock = lock(data)
    owner = (os.getuid(), os.getgid())
    if os.getuid() == 0:
        entry = pwd.getpwnam(args.account)
        owner = (entry.pw_uid, entry.pw_gid)
    keeper_program = prepare(data, owner, args.keeper)
    headers = [line.split(": ", 1) for line in subprocess.run(
        [keeper_program, "--headers"], check=True, capture_output=True,
        text=True).stdout.splitlines()]
    # The logs take a tenth of the budget at most, half each for uploads and page views.
    log_budget = min(args.max_data // 10, 256 << 20)
    with open(os.path.join(data, "etc/lighttpd.conf"), "w") as config:
        config.write(lighttpd_config(data, args.address, args.http_port, headers))

    ftp = listener(args.address, args.ftp_port, 1024)
    http = listener(args.address, args.http_port, 1024)
    drop_root(args.account)

    rotated_log("bartendam.uploads", os.path.join(data, "log/upload.log"), log_budget // 2)
    logging.basicConfig(level=logging.WARNING, format="%(message)s")

    try:
        keeper = Keeper(keeper_program, os.path.join(data, "ftp"),
                        os.path.join(data, "www/ranking/cocktail"), args.max_data - log_budget)
    except KeeperFailed as error:
        fail(str(error))

    def with_socket():
        die_with_parent()
        os.dup2(http.fileno(), 3)

    web = subprocess.Popen(
        ["/bin/sh", "-c", 'LISTEN_PID=$$ LISTEN_FDS=1 exec /usr/sbin/lighttpd -D -f "$0"',
         os.path.join(data, "etc/lighttpd.conf")],
        stdin=subprocess.DEVNULL, preexec_fn=with_socket, pass_fds=(3,))
    http.close()

    first, last = (int(port) for port in args.passive_ports.split("-"))
    handler = type("Handler", (RankingHandler,), {
        "keeper": keeper,
        "authorizer": MasterOnly(args.password, os.path.join(data, "ftp")),
        "passive_ports": list(range(first, last + 1)),
    })
    server = FTPServer(ftp, handler, backlog=1024)
    server.max_cons_per_ip = args.per_address
    # Each upload holds a control and a data connection.
    server.max_cons = 2 * args.sessions + 16

    def stop(signum, frame):
        raise SystemExit(0)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    access_log = os.path.join(data, "log/access.log")

    def watch():
        if web.poll() is not None or not keeper.running():
            print("service/run: a server ended; stopping the service", file=sys.stderr)
            raise SystemExit(1)
        # Checked twice a second, the access log outgrows its half by at most that long's views.
        try:
            full = os.path.getsize(access_log) > log_budget // 4
        except FileNotFoundError:
            full = False
        if full:
            os.replace(access_log, access_log + ".1")
            web.send_signal(signal.SIGHUP)

    server.ioloop.call_every(0.5, watch)
    where = "on every address of this machine" if args.address == "0.0.0.0" else "on " + args.address
    probe = "127.0.0.1" if args.address == "0.0.0.0" else args.address
    web_host = probe if args.http_port == 80 else "%s:%d" % (probe, args.http_port)
    print("The ranking service runs %s. Ctrl-C stops it." % where)
    print("  FTP:  ftp://%s:%d/ranking/cocktail/  (user master; uploads logged in %s/log/upload.log)"
          % (probe, args.ftp_port, data))
    print("  Page: http://%s/ranking/cocktail/cocktailmain.cgi" % web_host, flush=True)
    status = 0
    try:
        server.serve_forever(timeout=0.5, handle_exit=False)
    except SystemExit as exit:
        status = exit.code
    finally:
        print(" Stopping.", flush=True)
        server.close_all()
        if web.poll() is None:
            web.terminate()
        web.wait()
        keeper.stop()
        os.close(folder_lock)
    sys.exit(status)


if __name__ == "__main__":
    main()

"""The ranking's FTP front end on pyftpdlib: the log-in "master", TYPE, PORT, PASV and APPE of one
entry to /ranking/cocktail/<count>.log; every other command is refused. An upload is held in
memory, at most one entry long and for at most a few seconds from its APPE, and handed to the
keeper whole once the client has closed the data connection. The reply follows the keeper's
verdict, so a 226 always means the entry is stored."""

import hmac
import logging
import re

from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.ioloop import RetryError

from keeper import KeeperFailed

# What the game's client sends; the rest of FTP is refused before pyftpdlib sees it.
ALLOWED = {"USER", "PASS", "QUIT", "NOOP", "TYPE", "PORT", "PASV", "APPE"}

REPLIES = {
    "stored": "226 Entry stored.",
    "malformed": "551 Not one ranking entry as the game sends it; nothing stored.",
    "too-long": "552 An entry is at most %d bytes; nothing stored.",
    "too-slow": "426 The entry did not arrive within %d s; nothing stored.",
    "over-budget": "452 The ranking has no room left; nothing stored.",
    "disk-full": "452 Insufficient storage space; nothing stored.",
    "failed": "451 The entry could not be stored; nothing stored.",
}

uploads = logging.getLogger("bartendam.uploads")


class MasterOnly(DummyAuthorizer):
    """The one log-in, "master" with the service's password."""

    def __init__(self, password, home):
        super().__init__()
        self._password = password.encode()
        self.add_user("master", password, home, perm="")

    def validate_authentication(self, username, password, handler):
        if username != "master" or not hmac.compare_digest(password.encode(), self._password):
            raise AuthenticationFailed("Log-in incorrect.")


class Upload:
    """The bytes of one APPE, in memory; stands where pyftpdlib expects a file."""

    closed = False

    def __init__(self, count, path):
        self.count = count
        self.name = path
        self.data = bytearray()

    def close(self):
        self.closed = True


class EntryReceiver(DTPHandler):
    """A data connection that collects an upload and leaves the verdict to its session."""

    def handle_read(self):
        try:
            chunk = self.recv(self.ac_in_buffer_size)
        except RetryError:
            return
        except OSError:
            self.handle_error()
            return
        if not chunk or self._closed:
            return
        self.tot_bytes_received += len(chunk)
        self.file_obj.data += chunk
        if len(self.file_obj.data) > self.cmd_channel.keeper.longest_entry:
            self.cmd_channel.finish_upload("too-long")

    handle_read_event = handle_read

    def handle_close(self):
        # The client closed the data connection: the upload is whole.
        if not self._closed and self.receive and self.file_obj is not None:
            self.cmd_channel.finish_upload(None)
        else:
            super().handle_close()


class RankingHandler(FTPHandler):
    """One control connection. Set on a subclass by the server: keeper, upload_seconds."""

    keeper = None
    upload_seconds = 10
    dtp_handler = EntryReceiver
    use_sendfile = False
    banner = "Bartendam ranking"
    timeout = 120
    auth_failed_timeout = 1

    def __init__(self, *args, **kwargs):
        self._upload = None
        self._deadline = None
        super().__init__(*args, **kwargs)
        self._path = re.compile(
            r"/ranking/cocktail/(%s)\.log" % "|".join(str(count) for count in self.keeper.counts))

    def pre_process_command(self, line, cmd, arg):
        if cmd not in ALLOWED:
            self.respond("550 Only appends of ranking entries are allowed.")
        elif cmd == "APPE" and self.authenticated:
            self.logline("<- %s" % line)
            self._start_upload(arg)
        else:
            super().pre_process_command(line, cmd, arg)

    def _start_upload(self, path):
        match = self._path.fullmatch(path)
        if not match:
            self.respond("553 Only /ranking/cocktail/<count>.log takes entries.")
            self._log("-", "refused: not a count's file")
            return
        if self._upload is not None:
            self.respond("450 One upload at a time.")
            return
        self._upload = Upload(int(match[1]), path)
        self._deadline = self.ioloop.call_later(
            self.upload_seconds, self._too_slow, _errback=self.handle_error)
        if self.data_channel is not None:
            self.respond("125 Data connection already open. Transfer starting.")
            self.data_channel.file_obj = self._upload
            self.data_channel.enable_receiving(self._current_type, "APPE")
        else:
            self.respond("150 File status okay. About to open data connection.")
            self._in_dtp_queue = (self._upload, "APPE")

    def _too_slow(self):
        self._deadline = None
        if self.data_channel is not None and self.data_channel.file_obj is self._upload:
            self.finish_upload("too-slow")
        elif self._upload is not None:
            # The data connection never came.
            self._in_dtp_queue = None
            self._shutdown_connecting_dtp()
            self.respond(REPLIES["too-slow"] % self.upload_seconds)
            self._log(self._upload.count, "refused: too-slow")
            self._upload = None

    def finish_upload(self, refusal):
        """Ends the upload on the data connection with the verdict: `refusal` when given,
        otherwise the keeper's on the bytes received."""
        upload, self._upload = self._upload, None
        if self._deadline is not None:
            self._deadline.cancel()
            self._deadline = None
        verdict = refusal
        if verdict is None:
            try:
                verdict = self.keeper.store(upload.count, bytes(upload.data))
            except KeeperFailed:
                verdict = "failed"
        reply = REPLIES.get(verdict, REPLIES["failed"])
        if verdict == "too-long":
            reply %= self.keeper.longest_entry
        elif verdict == "too-slow":
            reply %= self.upload_seconds
        self._log(upload.count, "stored" if verdict == "stored" else "refused: " + verdict)
        channel = self.data_channel
        channel._resp = (reply, logging.getLogger("pyftpdlib").debug)
        channel.transfer_finished = verdict == "stored"
        channel.close()

    def _log(self, count, verdict):
        uploads.info("%s %s %s", self.remote_ip, count, verdict)

    def close(self):
        if self._deadline is not None:
            self._deadline.cancel()
            self._deadline = None
        super().close()

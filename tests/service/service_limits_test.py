"""The ranking service against strangers and crowds, end to end: service/run started on high
ports of 127.0.0.1 as an operator would, driven with Python's own FTP client. Needs root (for the
crowd's many source addresses it does not, but for the full disk's tmpfs). Usage:
service_limits_test.py BUILD_DIR"""

import atexit
import ftplib
import io
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.request

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = sys.argv[1] if len(sys.argv) > 1 else os.path.join(SOURCE, "build")
PASSWORD = "Shaken12345"


def entry(score, handle, comment="c"):
    return ("%s*01:00`00\t10\t3\t%s\t0\t0\t%s\r\n" % (score, handle, comment)).encode()


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Service:
    """service/run on free ports over `data`; stopped with SIGTERM."""

    def __init__(self, data, expect_running=True):
        self.data = data
        self.ftp_port, self.http_port = free_port(), free_port()
        self.process = subprocess.Popen(
            [os.path.join(SOURCE, "service/run"), "--data", data, "--password", PASSWORD,
             "--address", "127.0.0.1", "--ftp-port", str(self.ftp_port),
             "--http-port", str(self.http_port)],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
            env=dict(os.environ, BARTENDAM_BUILD_DIR=BUILD))
        self.output = b""
        if expect_running:
            while b"The ranking service runs" not in self.output:
                line = self.process.stdout.readline()
                if not line:
                    raise AssertionError("service/run did not start: %r" % self.output)
                self.output += line
            # The rest of the servers' output is read, so that none of them waits on it.
            threading.Thread(target=self.process.stdout.read, daemon=True).start()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(15)

    def session(self, source="127.0.0.1"):
        ftp = ftplib.FTP(source_address=(source, 0), timeout=30)
        ftp.connect("127.0.0.1", self.ftp_port)
        ftp.login("master", PASSWORD)
        ftp.voidcmd("TYPE A")
        return ftp

    def append(self, count, data, source="127.0.0.1"):
        """The reply to one append in a session of its own."""
        ftp = self.session(source)
        try:
            return ftp.storbinary("APPE /ranking/cocktail/%d.log" % count, io.BytesIO(data))
        except ftplib.Error as error:
            return str(error)
        finally:
            ftp.close()

    def file(self, count):
        with open(os.path.join(self.data, "ftp/ranking/cocktail/%d.log" % count), "rb") as f:
            return f.read()

    def page(self, count):
        url = "http://127.0.0.1:%d/ranking/cocktail/cocktailmain.cgi?count=%d" % (
            self.http_port, count)
        return urllib.request.urlopen(url, timeout=30).read().decode()


def folder():
    made = tempfile.mkdtemp(prefix="bartendam-service-")
    os.chmod(made, 0o755)
    atexit.register(shutil.rmtree, made, True)
    return made


class Limits(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.service = Service(os.path.join(folder(), "data"))

    @classmethod
    def tearDownClass(cls):
        cls.service.stop()

    def test_partial_line_then_a_good_entry(self):
        self.assertEqual(self.service.append(20, b"-")[:4], "551 ")
        self.assertEqual(self.service.append(20, b"x" * 3000)[:4], "552 ")
        self.assertEqual(self.service.append(20, entry(1000, "next"))[:4], "226 ")
        self.assertEqual(self.service.file(20), entry(1000, "next"))
        self.assertIn('<td class="score">1000</td>', self.service.page(20))

    def test_ten_megabytes(self):
        ftp = self.service.session()
        connection = ftp.transfercmd("APPE /ranking/cocktail/40.log")
        try:
            for _ in range(160):
                connection.sendall(b"1" * 65536)
        except OSError:
            pass  # refused as soon as the upload outgrew an entry
        connection.close()
        self.assertEqual(self._reply(ftp)[:4], "552 ")
        self.assertEqual(self.service.file(40), b"")

    @staticmethod
    def _reply(ftp):
        try:
            return ftp.voidresp()
        except ftplib.Error as error:
            return str(error)

    def test_invented_names(self):
        ftp = self.service.session()
        names = ["/ranking/cocktail/%s" % name for name in (
            ".hidden", "-rf", "cocktailmain.cgi", "a\nb.log", "../../x.log", "50.log/x",
            "5.log", "050.log", "110.log")] + ["/ranking/cocktail/n%d.log" % i for i in range(1991)]
        for name in names:
            ftp.voidcmd("PASV")
            try:
                ftp.sendcmd("APPE " + name.replace("\n", "\0"))
                reply = "accepted"
            except ftplib.Error as error:
                reply = str(error)
            self.assertEqual(reply[:4], "553 ", name)
        ftp.close()
        folder = os.path.join(self.service.data, "ftp/ranking/cocktail")
        self.assertEqual(sorted(os.listdir(folder)),
                         sorted("%d.log" % count for count in range(10, 101, 10)))

    def test_trickle_does_not_hold_up_a_player(self):
        trickler = self.service.session()
        connection = trickler.transfercmd("APPE /ranking/cocktail/30.log")
        stop = threading.Event()

        def trickle():
            while not stop.wait(0.5):
                try:
                    connection.send(b"9")
                except OSError:
                    return

        thread = threading.Thread(target=trickle)
        thread.start()
        try:
            time.sleep(1)
            started = time.monotonic()
            self.assertEqual(self.service.append(30, entry(7, "player"))[:4], "226 ")
            self.assertLess(time.monotonic() - started, 2)
            self.assertEqual(self._reply(trickler)[:4], "426 ")
            self.assertLess(time.monotonic() - started, 11)
        finally:
            stop.set()
            thread.join()
            connection.close()
            trickler.close()
        self.assertEqual(self.service.file(30), entry(7, "player"))

    def test_crowds(self):
        crowd = Service(os.path.join(folder(), "data"))
        try:
            self.crowd(crowd)
        finally:
            crowd.stop()

    def crowd(self, service):
        players = [("127.0.0.2", 10, "one%d" % i) for i in range(100)]
        players += [("127.0.%d.%d" % (1 + i // 2 // 250, 10 + i // 2 % 250), 20 + 10 * (i % 9),
                     "many%d" % i) for i in range(300)]
        start = threading.Barrier(len(players))
        replies = {}

        def send(source, count, handle):
            start.wait()
            began = time.monotonic()
            try:
                reply = service.append(count, entry(len(handle), handle), source)
            except (OSError, ftplib.Error) as error:
                reply = "%s: %s" % (type(error).__name__, error)
            replies[handle] = (reply, time.monotonic() - began)

        threads = [threading.Thread(target=send, args=player) for player in players]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        late = {handle: reply for handle, reply in replies.items()
                if reply[0][:4] != "226 " or reply[1] > 10}
        self.maxDiff = None
        self.assertEqual(late, {})
        pages = "".join(service.page(count) for count in range(10, 101, 10))
        for _, _, handle in players:
            self.assertIn(">%s</td>" % handle, pages)


class StartAndStop(unittest.TestCase):
    def test_second_start_changes_nothing(self):
        first = Service(os.path.join(folder(), "data"))
        try:
            config = os.path.join(first.data, "etc/lighttpd.conf")
            before = os.stat(config).st_mtime_ns
            second = Service(first.data, expect_running=False)
            output = second.process.communicate(timeout=60)[0].decode()
            self.assertEqual(second.process.returncode, 1)
            self.assertIn("already runs", output)
            self.assertEqual(os.stat(config).st_mtime_ns, before)
            self.assertEqual(first.append(50, entry(5, "still"))[:4], "226 ")
        finally:
            first.stop()

    def test_stop_ends_open_sessions_and_kill_leaves_nothing(self):
        service = Service(os.path.join(folder(), "data"))
        ftp = service.session()
        connection = ftp.transfercmd("APPE /ranking/cocktail/60.log")
        connection.sendall(entry(6, "unfinished")[:10])
        service.stop()
        self.assertEqual(ftp.sock.recv(100), b"")  # the control connection closed, no reply
        connection.close()
        self.assertEqual(service.file(60), b"")

        again = Service(service.data)
        children = open("/proc/%d/task/%d/children" % ((again.process.pid,) * 2)).read().split()
        self.assertEqual(len(children), 2)  # the keeper and lighttpd
        again.process.send_signal(signal.SIGKILL)
        again.process.wait()
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline and any(alive(pid) for pid in children):
            time.sleep(0.05)
        self.assertEqual([pid for pid in children if alive(pid)], [])

        after_crash = Service(service.data)
        try:
            self.assertEqual(after_crash.append(60, entry(6, "after"))[:4], "226 ")
        finally:
            after_crash.stop()

    def test_full_disk(self):
        data = os.path.join(folder(), "data")
        os.mkdir(data)
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=16m,mode=755", "tmpfs", data],
                       check=True)
        try:
            service = Service(data)
            try:
                self.assertEqual(service.append(70, entry(1, "before"))[:4], "226 ")
                filler = os.path.join(data, "filler")
                subprocess.run(["dd", "if=/dev/zero", "of=" + filler, "bs=4k"],
                               capture_output=True)
                # An empty file needs a new block for its first entry.
                self.assertEqual(service.append(80, entry(2, "full"))[:4], "452 ")
                self.assertEqual(service.file(80), b"")
                os.remove(filler)
                self.assertEqual(service.append(80, entry(3, "after"))[:4], "226 ")
                self.assertEqual(service.file(80), entry(3, "after"))
                self.assertEqual(service.file(70), entry(1, "before"))
            finally:
                service.stop()
        finally:
            subprocess.run(["umount", data], check=True)


def alive(pid):
    """Whether the process runs; a zombie left to an init that does not reap is not running."""
    try:
        with open("/proc/%s/stat" % pid) as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except FileNotFoundError:
        return False


if __name__ == "__main__":
    if os.geteuid() != 0:
        print("the ranking service's limits need root")
        sys.exit(77)
    unittest.main(argv=sys.argv[:1], verbosity=2)

"""Measures the ranking service started by service/run: page views per second of the ranking
page against a static file of the same size on the same lighttpd (wrk, 20 connections), and
entries per second of a crowd appending at once. Needs root and wrk.
Usage: service_bench.py BUILD_DIR [RUNS]"""

import os
import shutil
import statistics
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../tests/service"))
from service_limits_test import Service, entry, folder  # noqa: E402

RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 5


def figures(values):
    return "%.0f (%.0f–%.0f)" % (statistics.median(values), min(values), max(values))


def views_per_second(url):
    out = subprocess.run(["wrk", "-t2", "-c20", "-d5s", url], capture_output=True,
                         text=True, check=True).stdout
    return float(next(line for line in out.splitlines()
                      if line.startswith("Requests/sec")).split()[1])


def crowd(service, players):
    start = threading.Barrier(len(players) + 1)
    replies = []

    def send(source, count, handle):
        start.wait()
        replies.append(service.append(count, entry(len(handle), handle), source)[:3])

    threads = [threading.Thread(target=send, args=player) for player in players]
    for thread in threads:
        thread.start()
    start.wait()
    began = time.monotonic()
    for thread in threads:
        thread.join()
    elapsed = time.monotonic() - began
    assert replies.count("226") == len(players), replies
    return len(players) / elapsed, elapsed


def main():
    service = Service(os.path.join(folder(), "data"))
    try:
        for i in range(1000):
            service.append(50, entry(i, "player%d" % i, "c" * 60))
        page = os.path.join(service.data, "www/ranking/cocktail/50.html")
        shutil.copy(page, os.path.join(service.data, "www/ranking/cocktail/static.html"))
        base = "http://127.0.0.1:%d/ranking/cocktail/" % service.http_port
        pages, statics = [], []
        for _ in range(RUNS):  # alternating, so that the machine's load meets both alike
            pages.append(views_per_second(base + "cocktailmain.cgi?count=50"))
            statics.append(views_per_second(base + "static.html"))
        print("%d runs each; median (lowest–highest)\n" % RUNS)
        print("| What (%d bytes) | Requests per second |\n|---|---|" % os.path.getsize(page))
        print("| the ranking page, 1,000 entries in its count | %s |" % figures(pages))
        print("| a static file of the same size | %s |\n" % figures(statics))

        rates, times = [], []
        for run in range(RUNS):
            players = [("127.0.%d.%d" % (1 + i // 2 // 250, 10 + i // 2 % 250),
                        10 * (1 + i % 10), "r%dp%d" % (run, i)) for i in range(300)]
            rate, elapsed = crowd(service, players)
            rates.append(rate)
            times.append(elapsed * 1000)
        print("| Crowd | Entries per second | Last 226 after, ms |\n|---|---|---|")
        print("| 300 players from 150 addresses | %s | %s |" % (figures(rates), figures(times)))
    finally:
        service.stop()


if __name__ == "__main__":
    main()

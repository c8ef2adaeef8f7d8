"""The life of a peer that runs in the background: `start` launches this
script's "serve" in a session of its own and waits for the pid file it
writes once it listens; `stop` ends it by that pid; `main` reads the
command line shared by the peers (start FOLDER CERTS, serve FOLDER CERTS,
stop FOLDER).
"""
import os
import signal
import subprocess
import sys
import time


def launch(script, folder, certs, name):
    signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGTERM})
    subprocess.Popen([sys.executable, os.path.abspath(script), "serve", folder, certs],
                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                     stderr=open(os.path.join(folder, "log"), "ab"), start_new_session=True)
    for _ in range(400):
        if os.path.exists(os.path.join(folder, "pid")):
            return 0
        time.sleep(0.05)
    sys.stderr.write("%s: it did not start (see %s/log)\n" % (name, folder))
    return 1


def stop(folder):
    try:
        pid = int(open(os.path.join(folder, "pid")).read())
    except (OSError, ValueError):
        return 0
    try:
        os.kill(pid, signal.SIGTERM)
        for _ in range(100):
            os.kill(pid, 0)
            time.sleep(0.05)
    except ProcessLookupError:
        pass
    os.remove(os.path.join(folder, "pid"))
    return 0


def main(doc, start, serve):
    if len(sys.argv) == 4 and sys.argv[1] == "start":
        sys.exit(start(os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3])))
    if len(sys.argv) == 4 and sys.argv[1] == "serve":
        serve(sys.argv[2], sys.argv[3])
        sys.exit(0)
    if len(sys.argv) == 3 and sys.argv[1] == "stop":
        sys.exit(stop(os.path.abspath(sys.argv[2])))
    sys.stderr.write(doc)
    sys.exit(2)

#!/usr/bin/python3
"""A master server for Zarnath's internet lobby on your own network: an FTP server that keeps the
day's server lists and the game log in FOLDER, and a daytime server that tells the shared clock.
Usage: master_server.py FOLDER USER PASSWORD ADDRESS FTP_PORT DAYTIME_PORT. Runs until stopped."""
import datetime
import logging
import socketserver
import sys
import threading

USAGE = """usage: master_server.py FOLDER USER PASSWORD ADDRESS FTP_PORT DAYTIME_PORT
Runs the internet lobby's master server until stopped: an FTP server on ADDRESS:FTP_PORT for USER
with PASSWORD that keeps the day's server lists and the game log in FOLDER, and a daytime server on
ADDRESS:DAYTIME_PORT that tells the shared clock. tools/lobby/master-server.sh starts it and writes
the program folder's access files to match.
  --help  shows this text"""


def arguments(argv):
    """The six arguments, or the exit status after --help (0) or a wrong command line (2)."""
    if argv[:1] == ["--help"]:
        print(USAGE)
        return 0
    bad = [a for a in argv if a.startswith("--")]
    if bad:
        print("master_server.py: unknown option %s\n%s" % (bad[0], USAGE), file=sys.stderr)
        return 2
    if len(argv) != 6 or not argv[4].isdigit() or not argv[5].isdigit():
        print(USAGE, file=sys.stderr)
        return 2
    return argv


class Daytime(socketserver.BaseRequestHandler):
    def handle(self):
        now = datetime.datetime.now(datetime.timezone.utc)
        # The key text "*" is followed by the time as "yy-mm-dd hh:mm:ss".
        self.request.sendall(now.strftime("*%y-%m-%d %H:%M:%S UTC\r\n").encode("ascii"))


def main():
    args = arguments(sys.argv[1:])
    if isinstance(args, int):
        sys.exit(args)
    # Only a server that runs needs pyftpdlib.
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer

    folder, user, password, address = args[0:4]
    ftp_port, daytime_port = int(args[4]), int(args[5])
    logging.basicConfig(level=logging.WARNING)
    socketserver.ThreadingTCPServer.allow_reuse_address = True
    daytime = socketserver.ThreadingTCPServer((address, daytime_port), Daytime)
    threading.Thread(target=daytime.serve_forever, daemon=True).start()
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, folder, perm="elradfmwMT")
    FTPHandler.authorizer = authorizer
    server = FTPServer((address, ftp_port), FTPHandler)
    print("master server on %s: FTP port %d, daytime port %d, lists in %s"
          % (address, ftp_port, daytime_port, folder), flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()

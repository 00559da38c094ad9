#!/usr/bin/python3
"""A master server for Zarnath's internet lobby on your own network: an FTP server that keeps the
day's server lists and the game log in FOLDER, and a daytime server that tells the shared clock.
Usage: master_server.py FOLDER USER PASSWORD ADDRESS FTP_PORT DAYTIME_PORT. Runs until stopped."""
import datetime
import logging
import socketserver
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


class Daytime(socketserver.BaseRequestHandler):
    def handle(self):
        now = datetime.datetime.now(datetime.timezone.utc)
        # The key text "*" is followed by the time as "yy-mm-dd hh:mm:ss".
        self.request.sendall(now.strftime("*%y-%m-%d %H:%M:%S UTC\r\n").encode("ascii"))


def main():
    folder, user, password, address = sys.argv[1:5]
    ftp_port, daytime_port = int(sys.argv[5]), int(sys.argv[6])
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

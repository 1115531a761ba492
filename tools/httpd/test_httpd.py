#!/usr/bin/env python3
"""Local HTTP server for the tests, driven through a control port.

One process serves a whole test run. Tests (Windows programs under Wine) open
listeners on 127.0.0.1 ports of their choosing, script the responses of each
path and read back every request line and header the server received.

Control protocol: one command per TCP connection, a text line, then for ROUTE a
payload; the reply is "OK" or "ERR <why>" on the first line, then data.
  LISTEN <port>
  CLOSE <port>
  ROUTE <port> <path> <status> <mode> <body-length>\n<header lines>\n\n<body>
      path: the request path without its query, or * for any other path
      mode: length     Content-Length is the body's length, HTTP/1.1 status line
            nolength   no Content-Length, body ends when the server closes
            http10     HTTP/1.0 status line, no Content-Length, close-delimited
            declared=N Content-Length: N whatever the body's length
            stall      reads the request and never answers (until CLOSE)
            stallbody=N  Content-Length of the whole body, sends N bytes of
                       it, then nothing more (until CLOSE)
            cut=N      Content-Length of the whole body, sends N bytes of it,
                       then hangs up
            rate=N     Content-Length, the body at about N bytes a second
  FILES <port> <dir>   serve files of a directory for paths no route names
  LOG <port>           every request so far: request line, headers, blank line
                       (a TLS handshake is logged as the line TLS-CLIENT-HELLO)
  CLEARLOG <port>
"""
import argparse
import os
import socket
import sys
import threading
import time

LOCK = threading.Lock()
LISTENERS = {}  # port -> Listener


class Route:
    def __init__(self, status, mode, headers, body):
        self.status, self.mode, self.headers, self.body = status, mode, headers, body


class Listener:
    def __init__(self, port):
        self.port = port
        self.routes = {}
        self.files_dir = None
        self.log = []
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.sock.bind(("127.0.0.1", port))
        self.sock.listen(16)
        self.closed = False
        self.closing = threading.Event()  # wakes stalled answers at CLOSE
        threading.Thread(target=self.accept_loop, daemon=True).start()

    def accept_loop(self):
        while not self.closed:
            try:
                conn, _ = self.sock.accept()
            except OSError:
                return
            threading.Thread(target=self.serve, args=(conn,), daemon=True).start()

    def close(self):
        self.closed = True
        self.closing.set()
        # Closing alone leaves the port bound while accept() blocks in the
        # loop's thread on Linux; shutting the socket down wakes it.
        try:
            self.sock.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        try:
            self.sock.close()
        except OSError:
            pass

    def serve(self, conn):
        try:
            data = b""
            while b"\r\n\r\n" not in data and len(data) < 65536:
                chunk = conn.recv(4096)
                if not chunk:
                    break
                data += chunk
                # A TLS handshake record: this server speaks no TLS, so it logs
                # the attempt and hangs up instead of waiting for a header end.
                if data[:1] == b"\x16":
                    with LOCK:
                        self.log.append(["TLS-CLIENT-HELLO"])
                    return
            head = data.split(b"\r\n\r\n", 1)[0].decode("latin-1")
            lines = head.split("\r\n")
            with LOCK:
                self.log.append(lines)
            parts = lines[0].split(" ")
            target = parts[1] if len(parts) > 1 else "/"
            path = target.split("?", 1)[0]
            with LOCK:
                route = self.find_route(path)
            self.send(conn, route)
        except OSError:
            pass
        finally:
            try:
                conn.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            conn.close()

    def find_route(self, path):
        route = self.routes.get(path) or self.file_route(path) or self.routes.get("*")
        if route is None:
            route = Route(404, "length", [], b"<html><body>not found</body></html>")
        return route

    def send(self, conn, route):
        mode, _, arg = route.mode.partition("=")
        if mode == "stall":
            self.closing.wait(120)
            return
        whole = Route(route.status, "length", route.headers, route.body)
        if mode in ("stallbody", "cut"):
            data = self.respond(whole)
            head_len = len(data) - len(route.body)
            conn.sendall(data[:head_len + int(arg)])
            if mode == "stallbody":
                self.closing.wait(120)
            return
        if mode == "rate":
            data = self.respond(whole)
            step = max(1, int(arg) // 20)
            for at in range(0, len(data), step):
                if self.closing.is_set():
                    return
                conn.sendall(data[at:at + step])
                time.sleep(0.05)
            return
        conn.sendall(self.respond(route))

    def respond(self, route):
        version = "HTTP/1.0" if route.mode == "http10" else "HTTP/1.1"
        head = ["%s %d %s" % (version, route.status, "OK" if route.status == 200 else "Status")]
        if route.mode == "length":
            head.append("Content-Length: %d" % len(route.body))
        elif route.mode.startswith("declared="):
            head.append("Content-Length: %s" % route.mode.split("=", 1)[1])
        head.append("Connection: close")
        head.extend(route.headers)
        return ("\r\n".join(head) + "\r\n\r\n").encode("latin-1") + route.body

    def file_route(self, path):
        if not self.files_dir:
            return None
        rel = os.path.normpath(path.lstrip("/")) or "index.html"
        if rel.startswith(".."):
            return None
        full = os.path.join(self.files_dir, rel)
        if os.path.isdir(full):
            full = os.path.join(full, "index.html")
        if not os.path.isfile(full):
            return None
        with open(full, "rb") as f:
            body = f.read()
        kind = "text/html; charset=utf-8" if full.endswith((".html", ".php")) else \
               "text/xml" if full.endswith(".xml") else "application/octet-stream"
        return Route(200, "length", ["Content-Type: " + kind], body)


def read_line(conn, buf):
    while b"\n" not in buf:
        chunk = conn.recv(65536)
        if not chunk:
            break
        buf += chunk
    line, _, rest = buf.partition(b"\n")
    return line.decode("utf-8").rstrip("\r"), rest


def control(conn):
    buf = b""
    line, buf = read_line(conn, buf)
    words = line.split(" ")
    cmd, port = words[0], int(words[1]) if len(words) > 1 else 0
    with LOCK:
        listener = LISTENERS.get(port)
    if cmd == "LISTEN":
        if listener:
            listener.close()
        try:
            listener = Listener(port)
        except OSError as e:
            return "ERR %s" % e
        with LOCK:
            LISTENERS[port] = listener
        return "OK"
    if listener is None:
        return "ERR no listener on %d" % port
    if cmd == "CLOSE":
        listener.close()
        with LOCK:
            del LISTENERS[port]
        return "OK"
    if cmd == "ROUTE":
        path, status, mode, length = words[2], int(words[3]), words[4], int(words[5])
        headers = []
        while True:
            h, buf = read_line(conn, buf)
            if h == "":
                break
            headers.append(h)
        while len(buf) < length:
            chunk = conn.recv(1 << 20)
            if not chunk:
                return "ERR short body"
            buf += chunk
        with LOCK:
            listener.routes[path] = Route(status, mode, headers, buf[:length])
        return "OK"
    if cmd == "FILES":
        with LOCK:
            listener.files_dir = line.split(" ", 2)[2]
        return "OK"
    if cmd == "LOG":
        with LOCK:
            text = "".join("\n".join(req) + "\n\n" for req in listener.log)
        return "OK\n" + text
    if cmd == "CLEARLOG":
        with LOCK:
            listener.log.clear()
        return "OK"
    return "ERR unknown command"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--control-port-file", required=True)
    ap.add_argument("--control-port", type=int, default=0)
    args = ap.parse_args()
    srv = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    srv.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    srv.bind(("127.0.0.1", args.control_port))
    srv.listen(16)
    tmp = args.control_port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(srv.getsockname()[1]))
    os.replace(tmp, args.control_port_file)
    while True:
        conn, _ = srv.accept()
        try:
            reply = control(conn)
        except Exception as e:  # a bad command must not end the run's server
            reply = "ERR %s" % e
        try:
            conn.sendall(reply.encode("utf-8") if reply.startswith("ERR") or "\n" not in reply
                         else reply.encode("utf-8"))
        except OSError:
            pass
        conn.close()


if __name__ == "__main__":
    sys.exit(main())

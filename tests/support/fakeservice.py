#!/usr/bin/env python3
"""A stand-in for the program's web service, for the tests.

Listens on 127.0.0.1 on a free port and answers each request from a table of
routes given on the command line. It never reaches any other host.

    fakeservice.py --routes JSON [--scenario NAME]... [--log FILE] [--idle SECONDS] [--catalogue LIST]

Once it listens it writes one line to its standard output, {"port": N}, and
then nothing more there. It ends by itself when no request has arrived for
--idle seconds (default 60), so a test that dies leaves nothing behind for
long; a test normally ends it earlier.

Routes: a JSON object from a request target to an answer, or to a list of
answers given one per request in turn (the last one repeats). A target with
a query ("/Services/MaterialGet.ashx?Name=a.xml") is matched before its
bare path ("/Services/MaterialGet.ashx"); a request no route matches gets a
404. An answer is an object; every field may be left out:

    status      HTTP status (200)
    body        the body as text, sent as UTF-8 ("")
    file        a file whose bytes are the body, in place of "body"
    html        true: the body is an HTML page (HTML_PAGE below), sent as
                "text/html; charset=utf-8", in place of "body"
    type        Content-Type ("text/plain; charset=utf-8", or
                "application/octet-stream" with "file")
    headers     further headers, an object ({"Location": "/elsewhere"})
    delay_ms    wait this long before answering (0)
    cut_at      announce the whole body's length but send only this many
                bytes of it, then close the connection
    trickle_ms  send the body in ten pieces, pausing this long before each
    gzip        true: send the body gzip-compressed, as "Content-Encoding: gzip"
                (cut_at and cut_fraction then count compressed bytes)
    length      false: announce no Content-Length; the end of the connection
                ends the body
    http10      true: answer as HTTP/1.0
    chunked     true: send the body as chunks of 16 KiB ("Transfer-Encoding:
                chunked", no Content-Length); cut short, it ends after the
                last whole chunk that fits, without the closing empty chunk
    cut_fraction  like cut_at, as a share of the body (0.5: its first half)
    silent      true: read the request and never answer; the connection
                stays open until the client leaves or the service ends

Catalogue (--catalogue LIST): the two requests of the online material
catalogue answer from the canned replies below (catalogue_answer) wherever
no route of --routes matches: the list request with the reply named LIST
(CATALOGUE_LISTS), a material file request by its "MaterialFileName"
(CATALOGUE_FILES; other names get a 404).

Log (--log): one JSON object per request, one line each, written and flushed
as the request arrives, before it is answered:

    {"time": 1765375200.25, "method": "POST",
     "path": "/Services/ChangeTheme.ashx", "query": "",
     "query_fields": {}, "headers": {"Content-Type": "..."},
     "body": "UserId=&Theme=Gray&", "form_fields": {"UserId": "", "Theme": "Gray"}}

"time" is when it arrived, in seconds since 1970 (the wall clock, as file
times are); "query" and "body" are the raw texts (the body decoded as UTF-8, with
undecodable bytes replaced); the *_fields are what a form reader makes of
them, names to values, blank values kept (a repeated name keeps its last).
"""

import argparse
import gzip
from html import escape
import json
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

# An HTML page of the kind a captive portal or a misconfigured server sends.
HTML_PAGE = "<!DOCTYPE html>\n<html><head><title>Welcome</title></head>" \
            "<body><p>This is not what you asked for.</p></body></html>\n"


class Service:
    def __init__(self, routes, log_path, idle_seconds):
        self.routes = routes
        self.turns = {}
        self.lock = threading.Lock()
        self.log = open(log_path, "a", encoding="utf-8") if log_path else None
        self.idle_seconds = idle_seconds
        self.last_activity = time.monotonic()
        self.stopping = threading.Event()

    def answer_for(self, target, path):
        key = target if target in self.routes else path
        with self.lock:
            self.last_activity = time.monotonic()
            if key not in self.routes:
                return {"status": 404, "body": "no route for %s\n" % path}
            answers = self.routes[key]
            if isinstance(answers, dict):
                return answers
            turn = self.turns.get(key, 0)
            self.turns[key] = turn + 1
            return answers[min(turn, len(answers) - 1)]

    def record(self, entry):
        if not self.log:
            return
        with self.lock:
            self.log.write(json.dumps(entry, ensure_ascii=False) + "\n")
            self.log.flush()

    def idle_too_long(self):
        with self.lock:
            return time.monotonic() - self.last_activity > self.idle_seconds


# --- Scenarios: named route tables, given with --scenario NAME (repeatable);
# their routes join those of --routes. One function per scenario.

FEEDBACK = "/Services/SendFeedback.ashx"


def feedback_accepted():
    return {FEEDBACK: {"body": "1,OK"}}


def feedback_refused():
    return {FEEDBACK: {"body": "0,Bad e-mail"}}


def feedback_refused_with_markup():
    return {FEEDBACK: {"body": "0,<b>Not</b> <a href='http://elsewhere/'>here</a>"}}


def feedback_two_character_code():
    return {FEEDBACK: {"body": "10,x"}}


def feedback_without_comma():
    return {FEEDBACK: {"body": "OK"}}


def feedback_empty():
    return {FEEDBACK: {"body": ""}}


def feedback_slow():
    return {FEEDBACK: {"body": "1,OK", "delay_ms": 2000}}


def feedback_server_error():
    return {FEEDBACK: {"status": 500, "body": "<h1>Internal error</h1>"}}


SCENARIOS = {
    "feedback-accepted": feedback_accepted,
    "feedback-refused": feedback_refused,
    "feedback-refused-with-markup": feedback_refused_with_markup,
    "feedback-two-character-code": feedback_two_character_code,
    "feedback-without-comma": feedback_without_comma,
    "feedback-empty": feedback_empty,
    "feedback-slow": feedback_slow,
    "feedback-server-error": feedback_server_error,
}


def fields_of(text):
    return dict(urllib.parse.parse_qsl(text, keep_blank_values=True))


# --- The online material catalogue ---------------------------------------------

def catalogue_material(guid, category, name="", colour="#3080c0"):
    """A material element holding one filled box, 40 by 30."""
    return ('<Material Guid="%s" Name="%s" Category="%d" Size="40,30">'
            '<Shape Behavior="1" Points="0,0;40,0;40,30;0,30"><Fill Color="%s"/></Shape>'
            '</Material>' % (guid, name, category, colour))


def catalogue_entry(name, price=None, currency=None, preview=True):
    attributes = ' Name="%s"' % escape(name, quote=True)
    if price is not None:
        attributes += ' Price="%s"' % price
    if currency is not None:
        attributes += ' Currency="%s"' % currency
    # A comment before the preview: only elements count.
    inner = "<!-- preview -->" + catalogue_material("{list-%d}" % len(name), 0) if preview else ""
    return "<MaterialFile%s>%s</MaterialFile>" % (attributes, inner)


def catalogue_file(name, materials):
    return '<MaterialFile Name="%s" Price="0" Currency="0"><!-- made by hand -->%s</MaterialFile>' % (
        escape(name, quote=True), "".join(materials))


# The list replies, by the name given with --catalogue. "six": two rows of
# cards (5 + 1) priced free, free (-1), 2.5 in yen, and 10 in dollars for
# the currencies 0, 2 and 7; comments and text between the entries.
CATALOGUE_LISTS = {
    "six": {"body": "\n<MaterialList><!-- the catalogue -->"
                    + catalogue_entry("Four", 0, 0)
                    + "\n  some text\n"
                    + catalogue_entry("Free", -1)
                    + catalogue_entry("Yen", 2.5, 1)
                    + catalogue_entry("A", 10, 0)
                    + catalogue_entry("B", 10, 2)
                    + catalogue_entry("Cats & Dogs#1", 10, 7, preview=False)
                    + "</MaterialList>\n"},
    "empty": {"body": "<MaterialList/>"},
    "blank": {"body": " \n\t  \n"},
    # 10 characters once trimmed, and markup that must not render.
    "short-error": {"body": "  Failed</b>\n"},
    # 11 characters that are not XML.
    "not-xml": {"body": "Hello world"},
    "404": {"status": 404, "body": "no such service"},
    "500": {"status": 500, "body": "server trouble"},
    "silent": {"silent": True},
}

# The material file replies, by the name asked for. "Four": four materials
# of the categories 3, 0, 3, 1. "A" calls itself "B"; "B" is a file of two.
# "Short" is a 10-character error text (not trimmed), "Junk" 11 characters
# that are not XML.
CATALOGUE_FILES = {
    "Four": {"body": catalogue_file("Four", [
        catalogue_material("{four-1}", 3, "Tree"),
        catalogue_material("{four-2}", 0, "Girl", "#c04040"),
        catalogue_material("{four-3}", 3, "Rock", "#808080"),
        catalogue_material("{four-4}", 1, "Cup", "#40a040")])},
    "A": {"body": catalogue_file("B", [catalogue_material("{a-1}", 2, "Said")])},
    "B": {"body": catalogue_file("B", [catalogue_material("{b-1}", 2, "Bubble"),
                                       catalogue_material("{b-2}", 2, "Cloud")])},
    "Cats & Dogs#1": {"body": catalogue_file("Cats & Dogs#1", [catalogue_material("{cats-1}", 6)])},
    "Short": {"body": "Error</b>!"},
    "Junk": {"body": "Hello world"},
    "Missing": {"status": 404, "body": "no such file"},
    "Silent": {"silent": True},
}


def catalogue_answer(service, target, path, query):
    """The canned answer of a catalogue request, or None for any other."""
    if not service.catalogue or target in service.routes or path in service.routes:
        return None
    if path == "/Services/MaterialList.ashx":
        return CATALOGUE_LISTS.get(service.catalogue, {"status": 404})
    if path == "/Services/MaterialGet.ashx":
        name = fields_of(query).get("MaterialFileName", "")
        return CATALOGUE_FILES.get(name, {"status": 404, "body": "no file %s" % name})
    return None


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    service = None

    def log_message(self, *args):
        pass  # the request log is ours; keep standard error for real trouble

    def do_GET(self):
        self.handle_request()

    def do_POST(self):
        self.handle_request()

    def handle_request(self):
        length = int(self.headers.get("Content-Length") or 0)
        raw_body = self.rfile.read(length) if length > 0 else b""
        parts = urllib.parse.urlsplit(self.path)
        body = raw_body.decode("utf-8", errors="replace")
        content_type = self.headers.get("Content-Type") or ""
        self.service.record({
            "time": time.time(),
            "method": self.command,
            "path": parts.path,
            "query": parts.query,
            "query_fields": fields_of(parts.query),
            "headers": dict(self.headers.items()),
            "body": body,
            "form_fields": fields_of(body) if "x-www-form-urlencoded" in content_type else {},
        })
        answer = catalogue_answer(self.service, self.path, parts.path, parts.query) \
            or self.service.answer_for(self.path, parts.path)
        self.send(answer)

    def send(self, answer):
        delay = answer.get("delay_ms", 0)
        if delay and self.service.stopping.wait(delay / 1000.0):
            return
        if answer.get("silent"):
            self.close_connection = True
            self.service.stopping.wait(self.service.idle_seconds)
            return
        if "file" in answer:
            with open(answer["file"], "rb") as f:
                body = f.read()
            default_type = "application/octet-stream"
        elif answer.get("html"):
            body = HTML_PAGE.encode("utf-8")
            default_type = "text/html; charset=utf-8"
        else:
            body = answer.get("body", "").encode("utf-8")
            default_type = "text/plain; charset=utf-8"
        if answer.get("gzip"):
            body = gzip.compress(body)
        if answer.get("http10"):
            self.protocol_version = "HTTP/1.0"
        chunked = answer.get("chunked", False)
        self.send_response(answer.get("status", 200))
        self.send_header("Content-Type", answer.get("type", default_type))
        if chunked:
            self.send_header("Transfer-Encoding", "chunked")
        elif answer.get("length", True):
            self.send_header("Content-Length", str(len(body)))
        if answer.get("gzip"):
            self.send_header("Content-Encoding", "gzip")
        self.send_header("Connection", "close")
        for name, value in answer.get("headers", {}).items():
            self.send_header(name, value)
        self.end_headers()
        self.close_connection = True
        cut_at = answer.get("cut_at")
        if "cut_fraction" in answer:
            cut_at = int(len(body) * answer["cut_fraction"])
        if chunked:
            self.send_chunks(body, cut_at)
            return
        if cut_at is not None:
            body = body[:cut_at]
        pieces = 10 if answer.get("trickle_ms") else 1
        step = -(-len(body) // pieces) or 1
        for start in range(0, max(len(body), 1), step):
            if pieces > 1 and self.service.stopping.wait(answer["trickle_ms"] / 1000.0):
                return
            self.wfile.write(body[start:start + step])
            self.wfile.flush()

    def send_chunks(self, body, cut_at):
        size = 16 * 1024
        end = len(body) if cut_at is None else cut_at - cut_at % size
        for start in range(0, end, size):
            chunk = body[start:min(start + size, end)]
            self.wfile.write(b"%x\r\n" % len(chunk) + chunk + b"\r\n")
        if cut_at is None:
            self.wfile.write(b"0\r\n\r\n")
        self.wfile.flush()


def main():
    parser = argparse.ArgumentParser(description="A fake web service for the tests.")
    parser.add_argument("--routes", required=True, help="the route table, as JSON text")
    parser.add_argument("--log", help="append one JSON line per request to this file")
    parser.add_argument("--idle", type=float, default=60.0,
                        help="end after this many seconds without a request")
    parser.add_argument("--scenario", action="append", default=[], choices=sorted(SCENARIOS),
                        help="add the routes of a named scenario")
    parser.add_argument("--catalogue", help="answer the catalogue requests with this list reply")
    options = parser.parse_args()

    routes = json.loads(options.routes)
    for name in options.scenario:
        routes.update(SCENARIOS[name]())
    service = Service(routes, options.log, options.idle)
    service.catalogue = options.catalogue
    Handler.service = service
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True

    def watch():
        while not service.idle_too_long():
            time.sleep(0.2)
        service.stopping.set()
        server.shutdown()

    threading.Thread(target=watch, daemon=True).start()
    sys.stdout.write(json.dumps({"port": server.server_address[1]}) + "\n")
    sys.stdout.flush()
    server.serve_forever(poll_interval=0.1)
    server.server_close()


if __name__ == "__main__":
    main()

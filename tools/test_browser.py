#!/usr/bin/env python3
"""The system browser of the sign-in tests: Wine's browser setting
(HKCU\\Software\\Wine\\WineBrowser, "Browsers") names it, so that the
library's ShellExecute of the provider's page runs it with the address.
It follows the authorization page over https (trusting only --ca) and
its redirect to the library's loopback listener, as a browser would, and
appends one line to --log: "opened HOST PATH" then "redirect STATUS" with
the listener's answer, or "failed REASON".

  test_browser.py --ca CA.crt --log FILE URL
"""
import argparse
import http.client
import ssl
import sys
import urllib.parse


def fetch(url, context):
    parts = urllib.parse.urlsplit(url)
    target = parts.path or "/"
    if parts.query:
        target += "?" + parts.query
    if parts.scheme == "https":
        conn = http.client.HTTPSConnection(parts.hostname, parts.port or 443, context=context, timeout=30)
    elif parts.scheme == "http" and parts.hostname == "127.0.0.1":
        conn = http.client.HTTPConnection(parts.hostname, parts.port or 80, timeout=30)
    else:
        raise ValueError("refusing to open " + parts.scheme + "://" + str(parts.hostname))
    conn.request("GET", target)
    answer = conn.getresponse()
    body = answer.read()
    conn.close()
    return answer.status, answer.getheader("Location"), body


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--ca", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("url")
    args = parser.parse_args()
    context = ssl.create_default_context(cafile=args.ca)
    with open(args.log, "a") as log:
        try:
            parts = urllib.parse.urlsplit(args.url)
            log.write("opened %s %s\n" % (parts.hostname, parts.path))
            status, location, _ = fetch(args.url, context)
            for _ in range(5):
                if status not in (301, 302, 303, 307) or not location:
                    break
                status, location, _ = fetch(location, context)
            log.write("redirect %d\n" % status)
        except Exception as error:  # the test reads why from the log
            log.write("failed %s\n" % error)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

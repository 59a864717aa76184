#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the manual in a directory: every page links to pages and anchors
that exist, every page has a title and the stylesheet, and every page can be
reached from index.html. Prints each problem; exits 1 when there is one."""
import html.parser
import os
import sys
import urllib.parse


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids = set()
        self.links = []
        self.title = ""
        self.in_title = False
        self.stylesheets = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag == "a" and "name" in attrs:
            self.ids.add(attrs["name"])
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])
        if tag == "link" and attrs.get("rel") == "stylesheet":
            self.stylesheets.append(attrs.get("href", ""))
        if tag == "title":
            self.in_title = True

    def handle_endtag(self, tag):
        if tag == "title":
            self.in_title = False

    def handle_data(self, data):
        if self.in_title:
            self.title += data


def main(directory):
    pages = {}
    for name in sorted(os.listdir(directory)):
        if name.endswith(".html"):
            page = Page()
            with open(os.path.join(directory, name), encoding="utf-8") as f:
                page.feed(f.read())
            pages[name] = page
    problems = []
    if "index.html" not in pages:
        problems.append("index.html is missing")
    for name, page in pages.items():
        if not page.title.strip():
            problems.append(f"{name}: no title")
        for sheet in page.stylesheets:
            if not os.path.isfile(os.path.join(directory, sheet)):
                problems.append(f"{name}: stylesheet {sheet} is missing")
        if not page.stylesheets:
            problems.append(f"{name}: no stylesheet")
        for href in page.links:
            url = urllib.parse.urlsplit(href)
            if url.scheme in ("http", "https", "mailto"):
                continue
            target = url.path or name
            if target not in pages:
                problems.append(f"{name}: link to missing page {href}")
                continue
            if url.fragment and url.fragment not in pages[target].ids:
                problems.append(f"{name}: link to missing anchor {href}")
    # Every page reachable from the start page.
    seen, todo = set(), ["index.html"]
    while todo:
        name = todo.pop()
        if name in seen or name not in pages:
            continue
        seen.add(name)
        for href in pages[name].links:
            url = urllib.parse.urlsplit(href)
            if not url.scheme and url.path:
                todo.append(url.path)
    for name in pages:
        if name not in seen:
            problems.append(f"{name}: not reachable from index.html")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

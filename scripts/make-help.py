#!/usr/bin/env python3
"""Writes Kelvane.HLP, a WinHelp 3.1 help file, from the UTF-8 help source text, and the same
help as one HTML page for the systems without WinHelp (Windows Vista and later).

No help compiler runs on the build machines, so this writes the format directly: the
internal file system with its directory B+ tree and the internal files |SYSTEM, |FONT,
|TOPIC (uncompressed, no phrases), |CONTEXT, |CTXOMAP and |TTLBTREE. Text is stored in
Shift-JIS (code page 932) with the Japanese character set 128.

Source markup (one paragraph per line; a blank line is an empty paragraph):
  ; comment
  [topic Name 100 101] Title   a topic: context name, HELP_CONTEXT numbers, title
  [popup Name 1001] Title      a pop-up text (HELP_CONTEXTPOPUP): no heading, not browsed
  [[Name|text]]                jump to the topic Name
  {{Name|text}}                show the topic Name as a pop-up
The first topic is the contents topic.

The page holds every topic in the .HLP's words and order: the topics as sections with the
contents topic first, jumps as links to them, and the pop-up texts at the end, each under its
title, where their links lead. It is UTF-8, declared in the page, which every browser reads.

Usage: make-help.py SOURCE OUTPUT [PAGE]
"""
import html
import os
import re
import struct
import sys

CHARSET_SHIFTJIS = 128
FONT_FACE = "MS UI Gothic"          # mapped to an IPA font in the Wine prefix
TOPIC_BLOCK = 0x1000                # uncompressed topic block size (|SYSTEM flags 0)
BLOCK_HEADER = 12
NONE = 0xFFFFFFFF

# TOPICLINK record types and text formatting commands
RECORD_TOPIC_HEADER, RECORD_TEXT = 0x02, 0x20
CMD_FONT, CMD_PARAGRAPH_END, CMD_HOTSPOT_END, CMD_TEXT_END = 0x80, 0x82, 0x89, 0xFF
CMD_POPUP_JUMP, CMD_TOPIC_JUMP = 0xE2, 0xE3
FONT_BODY, FONT_HEADING = 0, 1


class SourceError(Exception):
    pass


class Topic:
    def __init__(self, name, numbers, title, popup, line):
        self.name, self.numbers, self.title, self.popup, self.line = name, numbers, title, popup, line
        self.paragraphs = []    # each a list of spans: ("text", s) or ("jump"/"popup", target, s)
        self.offset = 0         # TOPICOFFSET, set while laying out |TOPIC


def context_hash(name):
    """The WinHelp context-string hash (32-bit signed)."""
    value = 0
    for c in name.upper():
        if "A" <= c <= "Z":
            x = ord(c) - ord("A") + 17
        elif "1" <= c <= "9":
            x = ord(c) - ord("0")
        elif c == "0":
            x = 10
        elif c == ".":
            x = 12
        elif c == "_":
            x = 13
        else:
            raise SourceError("context name %r: only letters, digits, '.' and '_'" % name)
        value = (value * 43 + x) & 0xFFFFFFFF
    return value - 0x100000000 if value >= 0x80000000 else value


SPAN = re.compile(r"\[\[([^|\]]+)\|([^\]]+)\]\]|\{\{([^|}]+)\|([^}]+)\}\}")
HEADER = re.compile(r"^\[(topic|popup) ([A-Za-z0-9._]+)((?: \d+)*)\] (.+)$")


def parse_spans(line):
    spans, pos = [], 0
    for m in SPAN.finditer(line):
        if m.start() > pos:
            spans.append(("text", line[pos:m.start()]))
        if m.group(1):
            spans.append(("jump", m.group(1), m.group(2)))
        else:
            spans.append(("popup", m.group(3), m.group(4)))
        pos = m.end()
    if pos < len(line):
        spans.append(("text", line[pos:]))
    return spans


def parse_source(text):
    topics = []
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.rstrip()
        if line.startswith(";"):
            continue
        header = HEADER.match(line)
        if header:
            kind, name, numbers, title = header.groups()
            topics.append(Topic(name, [int(n) for n in numbers.split()], title, kind == "popup", number))
        elif not topics:
            if line:
                raise SourceError("line %d: text before the first topic" % number)
        else:
            topics[-1].paragraphs.append(parse_spans(line))
    for topic in topics:    # trailing blank lines make no empty paragraphs
        while topic.paragraphs and not topic.paragraphs[-1]:
            topic.paragraphs.pop()
    check_topics(topics)
    return topics


def check_topics(topics):
    if not topics:
        raise SourceError("no topics")
    names, hashes, numbers = set(), {}, set()
    for t in topics:
        h = context_hash(t.name)
        if t.name.upper() in names or h in hashes:
            raise SourceError("line %d: context %s repeats or collides with %s" % (t.line, t.name, hashes.get(h)))
        names.add(t.name.upper())
        hashes[h] = t.name
        for n in t.numbers:
            if n in numbers:
                raise SourceError("line %d: context number %d repeats" % (t.line, n))
            numbers.add(n)
    for t in topics:
        for paragraph in t.paragraphs:
            for span in paragraph:
                if span[0] != "text" and span[1].upper() not in names:
                    raise SourceError("topic %s: jump to unknown topic %s" % (t.name, span[1]))


def sjis(text):
    return text.encode("cp932")


def compressed_long(value):
    if -0x4000 <= value < 0x4000:
        return struct.pack("<H", (value + 0x4000) * 2)
    return struct.pack("<I", ((value + 0x40000000) * 2) | 1)


def compressed_ushort(value):
    return bytes([value * 2]) if value < 0x80 else struct.pack("<H", value * 2 + 1)


def paragraph_record(spans, font):
    """LinkData1 (paragraph info and commands) and LinkData2 (strings) of one paragraph."""
    # Every command follows one string: "" before the font, then the running text.
    strings, commands = [b"", b""], [struct.pack("<BH", CMD_FONT, font)]
    for span in spans:
        if span[0] == "text":
            strings[-1] += sjis(span[1])
            continue
        code = CMD_TOPIC_JUMP if span[0] == "jump" else CMD_POPUP_JUMP
        commands.append(struct.pack("<Bi", code, context_hash(span[1])))
        strings.append(sjis(span[2]))
        commands.append(bytes([CMD_HOTSPOT_END]))
        strings.append(b"")
    commands += [bytes([CMD_PARAGRAPH_END]), bytes([CMD_TEXT_END])]
    strings += [b""]
    text = b"".join(s + b"\0" for s in strings)
    length = sum(len(s) for s in strings) + 1          # characters, the paragraph end included
    info = (compressed_long(len(text)) + compressed_ushort(length)
            + bytes([0x00, 0x80]) + struct.pack("<HH", 0, 0))  # unknown, id, no paragraph bits
    return info + b"".join(commands), text, length


def topic_link(kind, data1, data2, prev_pos, next_pos):
    header_size = 0x15 + len(data1)
    return struct.pack("<IIIIIB", header_size + len(data2), len(data2), prev_pos & NONE,
                       next_pos & NONE, header_size, kind) + data1 + data2


class TopicLayout:
    """Places TOPICLINK records into uncompressed 4 KB blocks; each topic starts a block,
    so a topic's TOPICOFFSET is its block number times 0x8000."""

    def __init__(self):
        self.records = []       # [block, position in block, kind, data1, data2]

    def place(self, size, new_block):
        if not self.records:
            return 0, BLOCK_HEADER
        block, pos, _, d1, d2 = self.records[-1]
        end = pos + 0x15 + len(d1) + len(d2)
        if new_block or end + size > TOPIC_BLOCK:
            return block + 1, BLOCK_HEADER
        return block, end

    def add(self, kind, data1, data2, new_block=False):
        size = 0x15 + len(data1) + len(data2)
        if size > TOPIC_BLOCK - BLOCK_HEADER:
            raise SourceError("a paragraph is too long for one topic block")
        block, pos = self.place(size, new_block)
        self.records.append([block, pos, kind, data1, data2])
        return len(self.records) - 1

    def position(self, index):
        if index >= len(self.records):
            return NONE
        block, pos = self.records[index][:2]
        return (block << 14) + pos

    def build(self):
        blocks = bytearray(TOPIC_BLOCK * (self.records[-1][0] + 1))
        last_header = NONE
        for i, (block, pos, kind, d1, d2) in enumerate(self.records):
            prev_pos = self.position(i - 1) if i else NONE
            record = topic_link(kind, d1, d2, prev_pos, self.position(i + 1))
            start = block * TOPIC_BLOCK
            if pos == BLOCK_HEADER:
                prev_last = self.position(i - 1) if i else NONE
                last_header = self.position(i) if kind == RECORD_TOPIC_HEADER else last_header
                blocks[start:start + BLOCK_HEADER] = struct.pack("<III", prev_last, self.position(i), last_header)
            elif kind == RECORD_TOPIC_HEADER:
                last_header = self.position(i)
            blocks[start + pos:start + pos + len(record)] = record
        used = self.records[-1][1] + len(topic_link(0, self.records[-1][3], self.records[-1][4], 0, 0))
        return bytes(blocks[:self.records[-1][0] * TOPIC_BLOCK + used])


def build_topic_file(topics):
    layout, headers, first_text = TopicLayout(), [], []
    for topic in topics:
        topic.offset = ((layout.records[-1][0] + 1) if layout.records else 0) * 0x8000
        headers.append(layout.add(RECORD_TOPIC_HEADER, bytes(28), sjis(topic.title), new_block=True))
        paragraphs = topic.paragraphs if topic.popup else [[("text", topic.title)]] + topic.paragraphs
        first_text.append(len(layout.records))
        for index, spans in enumerate(paragraphs):
            font = FONT_HEADING if index == 0 and not topic.popup else FONT_BODY
            data1, data2, _ = paragraph_record(spans, font)
            layout.add(RECORD_TEXT, data1, data2)
    browsed = [t for t in topics if not t.popup]
    for number, (topic, header) in enumerate(zip(topics, headers)):
        back = fore = NONE
        if not topic.popup:
            at = browsed.index(topic)
            back = browsed[at - 1].offset if at > 0 else NONE
            fore = browsed[at + 1].offset if at + 1 < len(browsed) else NONE
        following = headers[number + 1] if number + 1 < len(headers) else len(layout.records)
        size = sum(0x15 + len(r[3]) + len(r[4]) for r in layout.records[header:following])
        layout.records[header][3] = struct.pack("<iIIIIII", size, back, fore, number, NONE,
                                                layout.position(first_text[number]),
                                                layout.position(following))
    return layout.build()


def main_window(caption):
    """The "main" window definition; it gives WinHelp's window the help file's caption."""
    flags = 0x0001 | 0x0002 | 0x0004                   # type, name and caption are given
    return (struct.pack("<H10s9s51s", flags, b"main", b"main", sjis(caption)[:50])
            + struct.pack("<hhhhh", 0, 0, 0, 0, 0) + bytes(8))


def system_file(title, contents_offset, stamp):
    records = [(1, sjis(title) + b"\0"), (3, struct.pack("<I", contents_offset)), (6, main_window(title)),
               (11, bytes([CHARSET_SHIFTJIS, 0, 0, 0, CHARSET_SHIFTJIS, 0, 0, 0]))]
    data = struct.pack("<HHHIH", 0x036C, 21, 1, stamp, 0)   # 3.1, no compression
    return data + b"".join(struct.pack("<HH", kind, len(d)) + d for kind, d in records)


def font_file():
    face = FONT_FACE.encode("cp932").ljust(20, b"\0")
    descriptors = [(0, 20), (1, 28)]                  # (bold flag, half points): body, heading
    data = struct.pack("<HHHH", 1, len(descriptors), 8, 8 + len(face)) + face
    for bold, half_points in descriptors:             # family swiss, black on white
        data += struct.pack("<BBBH3B3B", bold, half_points, 3, 0, 0, 0, 0, 255, 255, 255)
    return data


def btree(structure, page_size, entries, directory=False):
    """A B+ tree of one leaf page (all of this file's trees are small)."""
    body = b"".join(entries)
    if len(body) + 8 > page_size:
        raise SourceError("B+ tree %s does not fit one page" % structure)
    page = struct.pack("<HhhH", page_size - 8 - len(body), len(entries), -1, 0xFFFF) + body
    header = struct.pack("<HHH16shhhhhhi", 0x293B, 0x0402 if directory else 0x0002, page_size,
                         structure.encode(), 0, 0, 0, -1, 1, 1, len(entries))
    return header + page.ljust(page_size, b"\0")


def internal_file(content):
    return struct.pack("<IIB", len(content) + 9, len(content), 4) + content


def help_file(topics, stamp):
    topic_data = build_topic_file(topics)
    contexts = sorted((context_hash(t.name), t.offset) for t in topics)
    numbers = sorted((n, t.offset) for t in topics for n in t.numbers)
    files = {
        "|CONTEXT": btree("L4", 0x800, [struct.pack("<iI", h, o) for h, o in contexts]),
        "|CTXOMAP": struct.pack("<H", len(numbers)) + b"".join(struct.pack("<iI", n, o) for n, o in numbers),
        "|FONT": font_file(),
        "|SYSTEM": system_file(topics[0].title, topics[0].offset, stamp),
        "|TOPIC": topic_data,
        "|TTLBTREE": btree("Lz", 0x800, [struct.pack("<I", t.offset) + sjis(t.title) + b"\0" for t in topics]),
    }
    body, directory, offset = b"", [], 16
    for name in sorted(files, key=lambda n: n.encode()):
        directory.append(name.encode() + b"\0" + struct.pack("<I", offset))
        chunk = internal_file(files[name])
        body += chunk
        offset += len(chunk)
    body += internal_file(btree("z4", 0x400, directory, directory=True))
    size = 16 + len(body)
    return struct.pack("<IiiI", 0x00035F3F, offset, -1, size) + body


PAGE_STYLE = """body { font-family: "Meiryo", "MS PGothic", "IPAPGothic", sans-serif; line-height: 1.6;
       max-width: 46em; margin: 1em auto; padding: 0 1em; color: #000; background: #fff; }
h1 { font-size: 150%; border-bottom: 2px solid #369; }
h2 { font-size: 125%; border-bottom: 1px solid #369; margin-top: 2em; }
p { margin: 0.6em 0; }
dl { margin-top: 2em; border-top: 1px solid #999; padding-top: 1em; }
dt { font-weight: bold; margin-top: 0.8em; }
dd { margin-left: 1.5em; }
a { color: #03c; }"""


def page_spans(spans):
    parts = []
    for span in spans:
        if span[0] == "text":
            parts.append(html.escape(span[1], quote=False))
        else:
            parts.append('<a href="#%s">%s</a>' % (span[1], html.escape(span[2], quote=False)))
    return "".join(parts)


def page_paragraphs(paragraphs):
    """Lines follow each other without a gap, as WinHelp shows its paragraphs; an empty one leaves one."""
    blocks, lines = [], []
    for spans in paragraphs + [[]]:
        if spans:
            lines.append(page_spans(spans))
        elif lines:
            blocks.append("<p>%s</p>" % "<br>\n".join(lines))
            lines = []
    return blocks


def help_page(topics):
    body = []
    for index, topic in enumerate(t for t in topics if not t.popup):
        heading = "h1" if index == 0 else "h2"
        body.append('<%s id="%s">%s</%s>' % (heading, topic.name, html.escape(topic.title, quote=False), heading))
        body += page_paragraphs(topic.paragraphs)
    popups = [t for t in topics if t.popup]
    if popups:
        body.append("<dl>")
        for topic in popups:
            body.append('<dt id="%s">%s</dt>' % (topic.name, html.escape(topic.title, quote=False)))
            body += ["<dd>%s</dd>" % block for block in page_paragraphs(topic.paragraphs)]
        body.append("</dl>")
    return ("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
            "<title>%s</title>\n<style>\n%s\n</style>\n</head>\n<body>\n%s\n</body>\n</html>\n"
            % (html.escape(topics[0].title, quote=False), PAGE_STYLE, "\n".join(body)))


def main(argv):
    if len(argv) not in (3, 4):
        sys.stderr.write(__doc__)
        return 2
    try:
        with open(argv[1], encoding="utf-8") as source:
            topics = parse_source(source.read())
        # the release's time, else the source's, never the build's: the same source gives the
        # same file (a fresh checkout gives every file the time of the checkout)
        stamp = int(os.environ.get("SOURCE_DATE_EPOCH") or os.path.getmtime(argv[1]))
        data = help_file(topics, stamp)
    except (SourceError, UnicodeError) as error:
        sys.stderr.write("%s: %s\n" % (argv[1], error))
        return 1
    with open(argv[2], "wb") as output:
        output.write(data)
    if len(argv) == 4:
        with open(argv[3], "w", encoding="utf-8", newline="\r\n") as page:
            page.write(help_page(topics))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Writes tools/mkdic/default_kanji_table.cpp, the default KESZIP.TBL.

The pairs are derived from published variant-character data, not made by
hand: the Unihan database of the Unicode Consortium (Debian package
unicode-data: kZVariant; kSemanticVariant and kSpecializedSemanticVariant
where Morohashi's dictionary gives them, a semantic variant that names no
other source, or one of the two is of the IBM extension rows;
kTraditionalVariant and kSimplifiedVariant where the two are each other's only
counterpart, and the Japanese standard forms that kJoyoKanji and
kJinmeiyoKanji give for their variants, and the character each CJK
compatibility ideograph of UnicodeData.txt stands for) and the JIS variant references of
KANJIDIC2 (Debian package kanjidic-xml). Characters related by these are put
in one class; a class is kept when

  * every member has a Shift-JIS (code page 932) form, so that people can
    type it, and at least one member occurs in Japan Post's names; a pair
    is written where its variant or its form does,
  * it has none of the kanji that the engine folds as administrative
    suffixes (都道府県市郡区町村島嶋字乃之), and at most six members,
  * it holds at most one standard character of the Japanese lists (常用漢字,
    人名用漢字); in a class with several, each variant folds to the one
    standard character it is directly related to (as one character before by
    meaning, with its radical (kRSUnicode) before without), if only one,
  * folding it together makes no two towns of one municipality with
    different codes alike.

Each member other than the class's form folds to that form: the form the
engine's built-in pairs give, or else the member that Japan Post's names use
most. Members that the built-in pairs already fold get no line. Characters of
the IBM extension rows are written as \\x escapes, with their duplicate code
of the NEC-selected rows.

Usage: make-variant-table.py KEN_ALL.zip [OUTPUT]
       make-variant-table.py --check KEN_ALL.zip   (is the committed table
       what the sources give? exit 1 if not, 77 without the sources)
"""
import bz2
import collections
import gzip
import io
import os
import re
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

UNIHAN = "/usr/share/unicode"
KANJIDIC = "/usr/share/edict/kanjidic2.xml.gz"
ENGINE_TABLES = "engine/src/fold_tables.cpp"
SUFFIXES = set("都道府県市郡区町村島嶋字乃之")
MAX_CLASS = 6


def sjis(ch):
    try:
        return ch.encode("cp932")
    except UnicodeEncodeError:
        return None


def extension_row(ch):
    """A character of the IBM extension rows of code page 932."""
    code = sjis(ch)
    return code is not None and (code[0] >= 0xFA or code[0] in (0xED, 0xEE))


def is_kanji(ch):
    """A kanji of the kanji rows of Shift-JIS (not 仝 or 々 of the symbol
    rows, which the engine folds as symbols)."""
    o = ord(ch)
    code = sjis(ch)
    return (0x3400 <= o <= 0x9FFF or 0xF900 <= o <= 0xFAFF or 0x20000 <= o <= 0x3FFFF) and (
        code is None or code >= b"\x88\x9f")


def unihan_lines(name):
    with bz2.open(f"{UNIHAN}/Unihan_{name}.txt.bz2", "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("U+"):
                code, field, value = line.rstrip("\n").split("\t", 2)
                yield chr(int(code[2:], 16)), field, value


def codes(value):
    return [chr(int(m, 16)) for m in re.findall(r"U\+([0-9A-F]+)", value)]


def edges():
    """Pairs of related characters from every source, each with whether the
    source relates them as one character (every source but Unihan's
    semantic variants, which also relate characters of like meaning)."""
    simplified, traditional = {}, {}
    by_meaning = collections.defaultdict(set)  # pair -> sources of its listings
    for ch, field, value in unihan_lines("Variants"):
        others = [c for c in codes(value) if c != ch]
        if field == "kZVariant":
            for other in others:
                yield ch, other, True
        elif field in ("kSemanticVariant", "kSpecializedSemanticVariant"):
            for token in value.split():
                code, _, sources = token.partition("<")
                pair = frozenset((ch, chr(int(code[2:], 16))))
                by_meaning[pair].add(sources or field)
        elif field == "kSimplifiedVariant":
            simplified[ch] = set(codes(value))
        elif field == "kTraditionalVariant":
            traditional[ch] = set(codes(value))
    # Relations by meaning that Chinese dictionaries give (条 and 糶, 談 and
    # 譚) are not Japanese variants: a relation counts when Morohashi's
    # dictionary gives it, when it is a semantic variant that no listing
    # ascribes to another dictionary, or when one of the two is a character
    # of the IBM extension rows, which hold variant forms (髙 for 高).
    for pair, sources in by_meaning.items():
        if len(pair) == 2 and (any("kMorohashi" in s for s in sources) or
                               sources == {"kSemanticVariant"} or
                               any(extension_row(c) for c in pair)):
            a, b = sorted(pair)
            yield a, b, False
    # A simplified form that stands for several traditional characters (里
    # for 裏 and 里) is a different character in Japanese: only one-to-one
    # pairs count.
    for ch, targets in list(simplified.items()) + list(traditional.items()):
        if len(targets) != 1:
            continue
        (other,) = targets
        back = traditional.get(other) if ch in simplified else simplified.get(other)
        if other != ch and back == {ch}:
            yield ch, other, True
    for ch, field, value in unihan_lines("OtherMappings"):
        if field in ("kJoyoKanji", "kJinmeiyoKanji"):
            for other in codes(value):
                yield ch, other, True
    # The compatibility ideographs (塚 of the IBM extension rows) and the
    # character they stand for.
    with open(f"{UNIHAN}/UnicodeData.txt", encoding="utf-8") as f:
        for line in f:
            fields = line.split(";")
            code, decomposition = int(fields[0], 16), fields[5]
            if 0xF900 <= code <= 0xFAFF and re.fullmatch(r"[0-9A-F]{4,5}", decomposition):
                yield chr(code), chr(int(decomposition, 16)), True
    with gzip.open(KANJIDIC, "rb") as f:
        root = ET.parse(f).getroot()
    for character in root.iter("character"):
        literal = character.findtext("literal")
        for variant in character.iter("variant"):
            kind, value = variant.get("var_type"), variant.text or ""
            other = kuten(kind, value)
            if literal and other:
                yield literal, other, True


def kuten(kind, value):
    """The character of a JIS X 0208 or 0212 plane-row-cell reference (the
    JIS X 0213 references name other characters than their codes give)."""
    parts = value.split("-")
    try:
        if kind == "jis208" and len(parts) == 3:
            return bytes([0xA0 + int(parts[1]), 0xA0 + int(parts[2])]).decode("euc_jp")
        if kind == "jis212" and len(parts) == 3:
            return bytes([0x8F, 0xA0 + int(parts[1]), 0xA0 + int(parts[2])]).decode("euc_jp")
    except (UnicodeDecodeError, ValueError):
        return None
    return None


def standard_forms():
    """The characters of the Japanese standard lists (常用漢字, 人名用漢字)
    in their standard form, not the variants those lists allow."""
    return {ch for ch, field, value in unihan_lines("OtherMappings")
            if field in ("kJoyoKanji", "kJinmeiyoKanji") and "U+" not in value}


def radicals():
    """The radical numbers of each character (kRSUnicode)."""
    out = {}
    for ch, field, value in unihan_lines("IRGSources"):
        if field == "kRSUnicode":
            out[ch] = {v.split(".")[0].rstrip("'") for v in value.split()}
    return out


def built_in_pairs(path):
    """The engine's built-in variant pairs: code -> target character."""
    pairs = {}
    text = open(path, encoding="utf-8").read()
    for code, target in re.findall(r'\{0x([0-9A-F]{4}), "((?:\\x[0-9A-F]{2})+)", false', text):
        key = bytes.fromhex(code).decode("cp932")
        value = bytes(int(h, 16) for h in re.findall(r"\\x([0-9A-F]{2})", target)).decode("cp932")
        pairs[key] = value
    return pairs


def ken_all(path):
    """(local code, town code, prefecture, city and town name) of each row."""
    with zipfile.ZipFile(path) as z:
        name = next(n for n in z.namelist() if n.upper().endswith(".CSV"))
        raw = z.read(name)
    text = raw.decode("utf-8") if path.lower().startswith("utf") else raw.decode("cp932")
    for line in io.StringIO(text):
        f = [c.strip('"') for c in line.rstrip("\r\n").split(",")]
        if len(f) >= 9:
            yield f[0], f[2], f[6], f[7], f[8]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    committed = os.path.join(here, "..", "tools", "mkdic", "default_kanji_table.cpp")
    if len(sys.argv) == 3 and sys.argv[1] == "--check":
        sources = [sys.argv[2], KANJIDIC, f"{UNIHAN}/Unihan_Variants.txt.bz2"]
        missing = [s for s in sources if not os.path.exists(s)]
        if missing:
            print("skipped: missing " + ", ".join(missing), file=sys.stderr)
            sys.exit(77)
        with tempfile.TemporaryDirectory() as work:
            fresh = os.path.join(work, "table.cpp")
            write_table(sys.argv[2], fresh, here)
            if open(fresh, encoding="utf-8").read() != open(committed, encoding="utf-8").read():
                sys.exit(f"{committed} is not what scripts/make-variant-table.py writes")
        return
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    write_table(sys.argv[1], sys.argv[2] if len(sys.argv) == 3 else committed, here)


def write_table(source, out, here):
    rows = list(ken_all(source))
    count = collections.Counter(ch for r in rows for ch in r[3] + r[4] if is_kanji(ch))
    built_in = built_in_pairs(os.path.join(here, "..", ENGINE_TABLES))
    standard = standard_forms()
    radical = radicals()

    adjacent = collections.defaultdict(set)
    same = collections.defaultdict(set)  # related as one character
    for a, b, strong in edges():
        if a != b and is_kanji(a) and is_kanji(b) and sjis(a) and sjis(b):
            adjacent[a].add(b)
            adjacent[b].add(a)
            if strong:
                same[a].add(b)
                same[b].add(a)
    classes, seen = [], set()
    for start in adjacent:
        if start in seen:
            continue
        members, todo = {start}, [start]
        while todo:
            for other in adjacent[todo.pop()] - members:
                members.add(other)
                todo.append(other)
        seen |= members
        classes.append(members)

    def final(c):
        return built_in.get(c, c)

    pairs = {}
    for members in classes:
        if members & SUFFIXES or not any(count[c] for c in members):
            continue
        standards = members & standard
        if len(standards) > 1:
            # Two standard characters of Japanese writing are never variants
            # of each other (子 and 祇, which Chinese usage relates through
            # 只): a variant folds to the one standard character it is
            # directly related to as the same character, or else by meaning,
            # or else the one of these with its radical, and is left alone
            # when there are several.
            for c in sorted(members - standards):
                near = {final(s) for s in same[c] & standards}
                if not near:
                    near = {final(s) for s in adjacent[c] & standards}
                # A variant keeps the radical of its character (﨑 and 嵜 are
                # 崎, not 埼).
                if len(near) > 1:
                    near = {s for s in near if radical.get(s, set()) & radical.get(c, set())}
                if len(near) == 1 and c not in built_in:
                    form = near.pop()
                    if count[c] or count[form]:
                        pairs[c] = form
            continue
        if len(members) > MAX_CLASS:
            continue
        targets = {built_in[c] for c in members if c in built_in}
        if len(targets) > 1:
            continue
        form = targets.pop() if targets else max(members, key=lambda c: (count[c], -ord(c)))
        for c in sorted(members):
            if c != form and c not in built_in and (count[c] or count[form]):
                pairs[c] = form
    # A form that another pair folds further is folded to the end.
    pairs = {k: pairs.get(v, v) for k, v in pairs.items() if pairs.get(v, v) != k}

    # Drop the pairs that would make two towns of one municipality alike.
    while True:
        seen, clash = {}, None
        for local, code, _, _, town in rows:
            folded = "".join(pairs.get(ch, ch) for ch in town)
            other = seen.setdefault((local, folded), (code, town))
            if other[0] != code and other[1] != town:
                clash = {ch for ch in town + other[1] if ch in pairs}
                break
        if not clash:
            break
        for ch in clash:
            form = pairs.pop(ch)
            for k in [k for k, v in pairs.items() if v == form or k == form]:
                pairs.pop(k, None)

    # Characters of the IBM extension rows have a second code in the
    # NEC-selected rows; both are written.
    extension = collections.defaultdict(list)
    for lead in (0xED, 0xEE, 0xFA, 0xFB, 0xFC):
        for trail in range(0x40, 0xFD):
            try:
                extension[bytes([lead, trail]).decode("cp932")].append(bytes([lead, trail]))
            except UnicodeDecodeError:
                pass

    def written(ch):
        if ch not in extension:
            return [ch]
        return [f"\\x{code.hex().upper()}" for code in sorted(extension[ch], reverse=True)]

    lines = []
    for key in sorted(pairs, key=lambda c: (pairs[c], c)):
        for k in written(key):
            lines.append(f"{k}={written(pairs[key])[0]}")
    with open(out, "w", encoding="utf-8") as f:
        f.write(HEADER)
        f.write("\n".join(lines))
        f.write('\n)tbl";\n\n}  // namespace mkdic\n')
    print(f"{out}: {len(lines)} pairs", file=sys.stderr)


HEADER = """// Default content of KESZIP.TBL, written by scripts/make-variant-table.py
// from Unihan's and KANJIDIC2's variant references and the characters of
// Japan Post's names (see the script; do not edit by hand). Each pair folds a
// variant form to the form of its class, on the address and on the
// dictionary's names alike (tests/engine/fold/default_table_test.cpp checks
// the table against the real data).
#include "default_kanji_table.h"

namespace mkdic {

const char* const kDefaultKanjiTable = R"tbl(# KESZIP.TBL: 漢字置換テーブル
#
# 住所と辞書の地名を照合する前に、左辺の文字を右辺の文字に置き換えます。
# 書式: 1行に1組「置換前=置換後」。「#」から行末まではコメント、空行は読み飛ばします。
# \\xHHHH はシフトJISコード、\\jHHHH はJISコードで、それぞれ全角1文字を表します。
# 上の行から順に調べ、最初に一致した組を使います。置換前は何文字でも構いません。
# 組み込みの置き換え（澤→沢など）が先に適用され、それに当たらない漢字だけがこの表で置き換わります。
# KESZIP.PRM の KanjiTableOff=1 のときは、この表だけが使われます。
# 独自の組は「# 以下の組は」の行より上に書いてください。先に書いた組が優先され、辞書を作り直しても残ります。
#
# 以下の組は Unicode の Unihan データベース (Unicode License) と KANJIDIC2
# (Electronic Dictionary Research and Development Group, CC BY-SA 4.0) の
# 異体字の対応から、日本郵便の住所データに現れる字について作ったものです。

"""

if __name__ == "__main__":
    main()

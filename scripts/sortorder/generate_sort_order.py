#!/usr/bin/env python3
"""Writes the compact General sort order tables of the Jet text index keys.

Input: the per-character index code lists that document what Access writes (one line per character,
"<kind><hex text codes>[,<hex accent codes>[,<kana flag>]]"), as published with the open-source Jet
library Jackcess:
  --legacy-base  index_codes_genleg.txt      (U+0000-U+00FF, Access 2000-2003)
  --legacy-ext   index_codes_ext_genleg.txt  (U+0100-U+FFFF without the surrogates)
  --general97    index_codes_gen_97.txt      (Access 97, by Windows-1252 byte)
  --general-base index_codes_gen.txt         (U+0000-U+00FF, the newer General order of Access 2010 and later)
  --general-ext  index_codes_ext_gen.txt     (U+0100-U+FFFF without the surrogates, the same)
Output: engine/jet/tables/sortorder/GeneralLegacy.inc, General2010.inc and General97.inc.

The newer order has the same kinds of codes in the same key layout as the one of Access 2000-2003; only the
codes differ (digits and many symbols sort elsewhere, scripts added to Unicode since have codes of their own).

The Access 2000-2003 table is stored as runs of characters whose codes follow each other, so the whole
Basic Multilingual Plane fits in a few thousand lines. Each run also records how many positions every
character takes among the accent codes: letters that sort as two or three letters (ß, Æ, ﬃ) take one
position per letter, which is what Access counts when it places accent and punctuation codes.
"""
import argparse
import pathlib

KIND = {'X': 'Ignored', 'S': 'Plain', 'I': 'Accented', 'U': 'Unprintable', 'P': 'AccentModifier',
        'Z': 'Kana', 'G': 'Accentable'}


def hex_bytes(text):
    if text == '':
        return b''
    if len(text) % 2:
        text = '0' + text
    return bytes.fromhex(text)


def parse(line):
    kind, fields = line[0], (line[1:].split(',') if len(line) > 1 else [])
    text = hex_bytes(fields[0]) if kind in 'SIGZ' else b''
    accents = hex_bytes(fields[1]) if kind in 'IZ' else (hex_bytes(fields[0]) if kind == 'P' else b'')
    unprintable = hex_bytes(fields[0]) if kind == 'U' else b''
    # Kana: 2 for the flag "1", else 3 (the code Access writes per kana character).
    kana = (2 if fields[2] == '1' else 3) if kind == 'Z' else 0
    return {'kind': KIND[kind], 'text': text or unprintable, 'accents': accents, 'kana': kana}


def read_lines(path, count):
    lines = pathlib.Path(path).read_text(encoding='ascii').split('\n')[:count]
    if len(lines) != count or any(not line for line in lines):
        raise SystemExit(f'{path}: expected {count} non-empty lines')
    return lines


def surrogate_codes(c):
    """Surrogate halves have computed codes: the high ones a fixed offset, the low ones an offset that
    grows by 2 every 254 characters of their 1024-character block; both with accent code 3F."""
    if c < 0xDC00:
        code = c - 10238
    else:
        offset = c - 0xDC00
        code = c - (9992 if offset < 8 else 9990 - 2 * ((offset - 8) // 254))
    return {'kind': 'Accented', 'text': code.to_bytes(2, 'big'), 'accents': b'\x3f', 'kana': 0}


def bmp_codes(base_path, ext_path):
    codes = [parse(line) for line in read_lines(base_path, 256)]
    ext_chars = [c for c in range(0x100, 0x10000) if not 0xD800 <= c <= 0xDFFF]
    ext = iter(read_lines(ext_path, len(ext_chars)))
    for c in range(0x100, 0x10000):
        codes.append(surrogate_codes(c) if 0xD800 <= c <= 0xDFFF else parse(next(ext)))
    return codes


def legacy_elements(codes):
    """Access 2000-2003: text codes are one byte (letters, digits, common punctuation) or two (a group byte and a
    weight). A lead byte is a one-byte code when some character's whole code is that byte alone."""
    leads = {c['text'][0] for c in codes if c['kind'] in ('Plain', 'Accented', 'Kana') and len(c['text']) == 1}
    return lambda text, at: 1 if text[at] in leads else 2


def newer_elements():
    """Access 2010: every element is a group byte and a weight, except the ideographs and other late scripts,
    whose elements are FD FF and a two-byte weight, and a few codes of a single byte."""
    return lambda text, at: 4 if text[at] == 0xFD else 1 if at + 1 == len(text) else 2


def positions(code, element_width, exact):
    """How many sort elements the text codes hold: the positions the character takes among accent codes.
    A character with accent codes has one per element. exact: the elements must split the text codes whole
    and agree with the accent codes (the newer order has a few odd codes of three bytes; their accents count)."""
    if code['kind'] not in ('Plain', 'Accented', 'Kana'):
        return 0
    if code['accents'] and not exact:
        return len(code['accents'])
    text, count, at = code['text'], 0, 0
    while at < len(text):
        at += element_width(text, at)
        count += 1
    if at != len(text):
        raise SystemExit(f'text codes {text.hex()} do not split into elements')
    if code['accents'] and len(code['accents']) != count:
        raise SystemExit(f'accent codes {code["accents"].hex()} do not match {count} elements')
    return count


def runs(codes, element_width, exact):
    """Groups characters whose codes differ only by a text code one higher than the previous one."""
    out = []
    for c, code in enumerate(codes):
        width = positions(code, element_width, exact)
        value = int.from_bytes(code['text'], 'big') if code['text'] else 0
        key = (code['kind'], len(code['text']), code['accents'], code['kana'], width)
        if out:
            run = out[-1]
            step_ok = run['step'] is None or run['step'] == value - run['last']
            if run['key'] == key and value - run['last'] in (0, 1) and step_ok:
                run['step'] = value - run['last']
                run['last'] = value
                run['count'] += 1
                continue
        out.append({'first': c, 'count': 1, 'key': key, 'value': value, 'last': value, 'step': None})
    return out


def write_runs(path, codes, title, element_width, exact):
    lines = [
        '// Generated by scripts/sortorder/generate_sort_order.py; do not edit.',
        f'// {title} for U+0000-U+FFFF, as runs:',
        '// {first character, characters, kind, positions, text code bytes, text code of the first character,',
        '//  step of the text code per character, accent codes (big-endian), accent code bytes, kana code}.',
    ]
    for run in runs(codes, element_width, exact):
        kind, text_len, accents, kana, width = run['key']
        lines.append(f"    {{0x{run['first']:04X}, {run['count']}, {kind}, {width}, {text_len}, "
                     f"0x{run['value']:0{max(2, 2 * text_len)}X}, {run['step'] or 0}, "
                     f"0x{int.from_bytes(accents, 'big'):02X}, {len(accents)}, {kana}}},")
    pathlib.Path(path).write_text('\n'.join(lines) + '\n', encoding='utf-8')
    return len(lines) - 4


def write_general97(path, lines_in):
    lines = [
        '// Generated by scripts/sortorder/generate_sort_order.py; do not edit.',
        '// The General sort order of Access 97 by Windows-1252 byte:',
        '// {kind, first text code, second text code (0: none), accent code (0: none)}.',
    ]
    for byte, line in enumerate(lines_in):
        code = parse(line)
        text = code['text'] + b'\0\0'
        accent = code['accents'][0] if code['accents'] else 0
        lines.append(f"    {{{code['kind']}, 0x{text[0]:02X}, 0x{text[1]:02X}, 0x{accent:02X}}},  // 0x{byte:02X}")
    pathlib.Path(path).write_text('\n'.join(lines) + '\n', encoding='utf-8')


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('--legacy-base', required=True)
    parser.add_argument('--legacy-ext', required=True)
    parser.add_argument('--general97', required=True)
    parser.add_argument('--general-base', required=True)
    parser.add_argument('--general-ext', required=True)
    parser.add_argument('--out', default=str(pathlib.Path(__file__).resolve().parents[2]
                                             / 'engine/jet/tables/sortorder'))
    args = parser.parse_args()
    out = pathlib.Path(args.out)
    legacy = bmp_codes(args.legacy_base, args.legacy_ext)
    count = write_runs(out / 'GeneralLegacy.inc', legacy, 'The General sort order of Access 2000-2003',
                       legacy_elements(legacy), True)
    newer = bmp_codes(args.general_base, args.general_ext)
    newer_count = write_runs(out / 'General2010.inc', newer, 'The General sort order of Access 2010 and later',
                             newer_elements(), False)
    write_general97(out / 'General97.inc', read_lines(args.general97, 256))
    print(f'{count} and {newer_count} runs for U+0000-U+FFFF, 256 codes for Windows-1252')


if __name__ == '__main__':
    main()

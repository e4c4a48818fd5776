#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/ (run it after changing them)."""
import pathlib

here = pathlib.Path(__file__).resolve().parent

# Field texts: the separator byte ('.' or ',') comes first, then the text.
texts = {
    "plain": ".21.21",
    "spaces-around": ".  12  ",
    "negative-zero": ".-.",
    "dot-alone": "..",
    "exponent-read-whole": ".1E0000500",
    "exponent-digit-left": ".1E5000",
    "exponent-top-extended": ".1E4932",
    "exponent-past-extended": ".1E4933",
    "exponent-underflow": ".1E-400",
    "exponent-below-vanishing": ".1E-5000",
    "zero-huge-exponent": ".0E4999",
    "empty-exponent": ".1e-",
    "subnormal-smallest": ".4.94065645841247E-324",
    "subnormal-largest": ".2.2250738585072009E-308",
    "normal-smallest": ".2.2250738585072014E-308",
    "double-largest": ".1.7976931348623157E308",
    "double-largest-shown": ".1.79769313486232E308",
    "ten-to-15-minus-half": ".999999999999999.5",
    "display-rounds-half-up": ".10110214748364.75",
    "long-digit-run": "." + "7" * 400,
    "long-fraction-tiny": ".0." + "0" * 330 + "123456789",
    "digits-past-extended": "." + "9" * 4933,
    "digits-near-extended": "." + "1" * 4932 + "E-4930",
    "fraction-vanishing": ".0." + "0" * 2000 + "1" * 3200,
    "text-4065": "." + "x" * 4065,
    "text-4066": "." + "x" * 4066,
    "kanji-past-limit": "." + "あ" * 2033,
    "kanji-at-limit": "." + "あ" * 2032 + "a",
    "tab-before": ".\t12",
    "fullwidth-digits": ".１２",
    "yen-sign": ".12円",
    "halfwidth-kana": ".ｵｰﾊﾞｰﾌﾛｰ",
    "not-utf8": b".\xff\xfe1",
    "nul-inside": ".1\x002",
    "thousands": ".1,000",
    "comma-separator": ",21,21",
    "comma-with-dot": ",21.21",
    "blank-inside": ".1 E5",
    "two-separators": ".1.2.3",
    "hex": ".0x10",
    "sign-alone": ".+",
    "empty": ".",
    "blanks": ".   ",
}

# Calculation inputs: a flags byte ('@' is none; +1 CheckBox1, +2 CheckBox2, +4 CheckBox3,
# +8 NewBuilding, +16 Renovation, +32 separator ','), then Edit1 … Edit6, one a line.
calculations = {
    "road-1000": "@1000",
    "target-zero": "@0",
    "target-negative": "@-7",
    "first-step": "@5",
    "worked-185": "@185.1",
    "total-falls": "@15448",
    "no-common-temp": "D1000",
    "extras": "C1000\n10\n20",
    "extra-alone-reaches": "B30\n\n30",
    "new-building": "H10000",
    "renovation": "P5000",
    "near-top": "@214748000",
    "past-top": "@2.2E8",
    "extra-at-range-edge": "A1000\n2.1E8",
    "negative-extras": "C1000\n-1E8\n-5",
    "manual-rates": "@100\n\n\n10\n20\n10",
    "manual-huge-rates": "@0\n\n\n1E308\n1E308\n1.7976931348623157E308",
    "manual-tiny-rates": "@1\n\n\n0.00001\n-0.00001\n1E-320",
    "comma-fields": "`21,21\nX\nX\n5,5\n26,3\n18,52",
    "bad-target": "@abc",
    "bad-extra": "C1000\nabc\n5",
    "unchecked-bad-extra": "@1000\nabc\nabc",
    "overflow-target": "@1E400",
    "overflow-rate": "@1000\n\n\n1E400\n10\n10",
    "underflow-target": "@1E-400",
    "long-target": "@" + "1" * 9 + "." + "1" * 600,
    "spaces-and-tabs": "@ 1000 \n\t5\n 5",
}

# Batch files: a settings byte ('@' is none; +1 forward, +2/+4 the work type, +8 共通仮設費を
# みない, +16/+32 the extra amounts, +64 separator ',', +128 a .tsv name), then the bytes.
def utf16(text, order):
    return (b"\xff\xfe" if order == "le" else b"\xfe\xff") + text.encode("utf-16-" + order)


reverse = "希望工事費 (税込),工事種類,直工だけに含まない金額,共通仮設費をみない\r\n1000,新営,なし,はい\r\n185.1,改修,10,\r\n"
forward_tsv = "希望直接工事費\t共通仮設費率\t現場管理費率\t一般管理費率\t結果\n100\t10\t20\t10\tx\n100\t\t\t\t\n"
batches = {
    "reverse-csv": "@" + reverse,
    "forward-tsv": "@" + forward_tsv,
    "plain-amounts": "A1000\n-5\nabc\n1E400\n",
    "comma-separator": "`21,21\n\"1,5\",x\n",
    "quotes-and-breaks": '@"a\r\nb",1\n"say ""hi""",2\n1,2,3\n',
    "open-quote": '@1\n"2\n',
    "unknown-caption": "@希望工事費 (税込),件名\n1,a\n",
    "euro": "@1000,€5\n€\n",
    "emoji-in-tsv-name": b"\x80" + "😀\t1\n".encode(),
    "utf8-bom": b"@\xef\xbb\xbf" + reverse.encode(),
    "cp932": b"@" + reverse.encode("cp932"),
    "utf16le-tsv": b"@" + utf16(forward_tsv, "le"),
    "utf16be": b"@" + utf16(reverse, "be"),
    "utf16-odd": b"@\xff\xfe1\x00\n",
    "utf16-lone-surrogate": b"@\xff\xfe\x00\xd81\x00",
    "not-text": b"@\xff\xff\x00\x81",
    # A tag character (dropped by the Shift-JIS converters) before a quote in TSV.
    "tag-before-quote": b"\xf7@\n\xf3\xa0\x81\x81\"",
}


def write(target, seeds):
    folder = here / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    for name, text in seeds.items():
        (folder / name).write_bytes(text if isinstance(text, bytes) else text.encode())


write("fuzz_text_to_number", texts)
write("fuzz_calculations", calculations)
write("fuzz_batch", batches)

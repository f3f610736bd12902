#!/usr/bin/env python3
"""Reads a Word document with python-docx, a reader independent of the program, and prints
what the report tests check as JSON: the body in order, cut into sections at each Heading 1
(paragraph texts, table rows, picture names), the fields with the texts they show, the footer,
the page and the document properties. Exit status 3 when python-docx is not installed."""
import json
import sys
import unicodedata

try:
    import docx
    from docx.oxml.ns import qn
    from docx.table import Table
    from docx.text.paragraph import Paragraph
except ImportError:
    sys.exit(3)


def left_to_right(text):
    """Whether the text has left-to-right letters and no right-to-left ones."""
    kinds = {unicodedata.bidirectional(c) for c in text}
    return 'L' in kinds and not kinds & {'R', 'AL'}


def pictures(element):
    return [d.get('name') for d in element.iter(qn('wp:docPr'))]


def instructions(element):
    return [''.join(t.text or '' for t in [i]).strip() for i in element.iter(qn('w:instrText'))]


def field_results(element):
    """Every field as [instruction, the text it shows now], in document order; a field inside
    another (a PAGEREF in the contents) counts for both."""
    out, open_fields = [], []
    for node in element.iter(qn('w:fldChar'), qn('w:instrText'), qn('w:t')):
        if node.tag == qn('w:fldChar'):
            kind = node.get(qn('w:fldCharType'))
            if kind == 'begin':
                open_fields.append({'instruction': '', 'result': '', 'shown': False})
            elif kind == 'separate' and open_fields:
                open_fields[-1]['shown'] = True
            elif kind == 'end' and open_fields:
                f = open_fields.pop()
                out.append([f['instruction'].strip(), f['result']])
        elif node.tag == qn('w:instrText') and open_fields:
            open_fields[-1]['instruction'] += node.text or ''
        elif node.tag == qn('w:t'):
            for f in open_fields:
                if f['shown']:
                    f['result'] += node.text or ''
    return out


def overflowing(body, text_width):
    """The names of the pictures wider than the room they are in: their table cell, else the
    text between the margins (twips)."""
    out = []
    for inline in body.iter(qn('wp:inline')):
        width = int(inline.find(qn('wp:extent')).get('cx'))
        room, parent = text_width, inline.getparent()
        while parent is not None:
            if parent.tag == qn('w:tc'):
                room = int(parent.find('./' + qn('w:tcPr') + '/' + qn('w:tcW')).get(qn('w:w')))
                break
            parent = parent.getparent()
        if width > room * 635:
            out.append(inline.find(qn('wp:docPr')).get('name'))
    return out


def main(path):
    document = docx.Document(path)
    body = document.element.body
    sections = [{'heading': None, 'texts': [], 'rows': [], 'cell_texts': [], 'pictures': []}]
    headings, unbidi, paragraphs, misdirected, tables = [], 0, 0, [], []
    for child in body.iterchildren():
        if child.tag == qn('w:p'):
            p = Paragraph(child, document)
            paragraphs += 1
            bidi = child.find('./' + qn('w:pPr') + '/' + qn('w:bidi'))
            right_to_left = bidi is not None and bidi.get(qn('w:val')) not in ('0', 'false')
            if not right_to_left:
                unbidi += 1
            if right_to_left == left_to_right(p.text):
                misdirected.append(p.text)
            if p.style.name == 'Heading 1':
                headings.append(p.text)
                sections.append({'heading': p.text, 'texts': [], 'rows': [], 'cell_texts': [],
                                 'pictures': []})
            else:
                kept = child.find('./' + qn('w:pPr') + '/' + qn('w:keepNext')) is not None
                sections[-1]['texts'].append({'style': p.style.name, 'text': p.text,
                                              'kept': kept})
        elif child.tag == qn('w:tbl'):
            table = Table(child, document)
            look = child.find('./' + qn('w:tblPr') + '/' + qn('w:tblLook'))
            first = child.find('./' + qn('w:tr') + '/' + qn('w:trPr') + '/' + qn('w:tblHeader'))
            def kept(row):
                return all(p._p.find('./' + qn('w:pPr') + '/' + qn('w:keepNext')) is not None
                           for c in row.cells for p in c.paragraphs)
            style = child.find('./' + qn('w:tblPr') + '/' + qn('w:tblStyle'))
            tables.append({
                'section': len(sections) - 1,
                'style': None if style is None else style.get(qn('w:val')),
                # Per row: all its paragraphs keep with the next.
                'kept': [kept(row) for row in table.rows],
                'look': None if look is None else look.get(qn('w:val')),
                'first_row': None if look is None else look.get(qn('w:firstRow')),
                'first_column': None if look is None else look.get(qn('w:firstColumn')),
                'header': first is not None,
                # The first row's cells: [text, width in twips].
                'first_cells': [[c.text, int(c._tc.find('./' + qn('w:tcPr') + '/' + qn('w:tcW'))
                                             .get(qn('w:w')))] for c in table.rows[0].cells],
            })
            for row in table.rows:
                sections[-1]['rows'].append([c.text for c in row.cells])
                sections[-1]['cell_texts'] += [{'style': p.style.name, 'text': p.text}
                                               for c in row.cells for p in c.paragraphs]
        sections[-1]['pictures'] += pictures(child)
    # Runs marked right to left, and runs with Hebrew letters that are not.
    rtl_runs, hebrew_unmarked = [], 0
    for run in body.iter(qn('w:r')):
        text = ''.join(t.text or '' for t in run.iter(qn('w:t')))
        marked = run.find('./' + qn('w:rPr') + '/' + qn('w:rtl')) is not None
        if marked:
            rtl_runs.append(text)
        elif any('\u0590' <= c <= '\u05ff' for c in text):
            hebrew_unmarked += 1
    section = document.sections[0]
    footer = section.footer._element
    text_width = (section.page_width - section.left_margin - section.right_margin) // 635
    print(json.dumps({
        'title': document.core_properties.title,
        'author': document.core_properties.author,
        'page_emu': [section.page_width, section.page_height],
        'headings': headings,
        'sections': sections,
        'pictures': len(document.inline_shapes),
        'tables': tables,
        'overflowing_pictures': overflowing(body, text_width),
        'fields': instructions(body),
        'field_results': field_results(body),
        'footer_fields': instructions(footer),
        'footer_text': ''.join(t.text or '' for t in footer.iter(qn('w:t'))),
        'styles': sorted(s.name for s in document.styles),
        # WD_ALIGN_PARAGRAPH by style name, for the styles that set one.
        'style_alignments': {s.name: int(s.paragraph_format.alignment) for s in document.styles
                             if getattr(s, 'paragraph_format', None) is not None
                             and s.paragraph_format.alignment is not None},
        'paragraphs_without_bidi': unbidi,
        'paragraphs': paragraphs,
        'rtl_runs': rtl_runs,
        'misdirected': misdirected,
        'hebrew_runs_unmarked': hebrew_unmarked,
    }, ensure_ascii=False))


if __name__ == '__main__':
    main(sys.argv[1])

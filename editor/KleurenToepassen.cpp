#include "editor/KleurenToepassen.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace querimo::editor {

namespace {

void Toevoegen(QList<QTextLayout::FormatRange>& formats, int blokBegin, int van, int tot, const QColor& kleur)
{
    if (tot <= van) return;
    QTextLayout::FormatRange r;
    r.start = van - blokBegin;
    r.length = tot - van;
    r.format.setForeground(kleur);
    formats.append(r);
}

}  // namespace

void KleurenToepassen(QTextDocument* document, const std::vector<KleurBereik>& bereiken)
{
    // One dirty stretch for the whole pass: marking each block on its own lays the document out once per line.
    int vuilVan = -1;
    int vuilTot = -1;
    auto volgende = bereiken.begin();
    for (QTextBlock blok = document->begin(); blok.isValid(); blok = blok.next()) {
        const int begin = blok.position();
        const int eind = begin + blok.length() - 1;  // the block's own text, without its separator
        // A literal may run over several lines, so a stretch can reach into the following blocks.
        while (volgende != bereiken.end() && volgende->start + volgende->lengte <= begin) ++volgende;
        QList<QTextLayout::FormatRange> formats;
        int positie = begin;
        for (auto b = volgende; b != bereiken.end() && b->start < eind; ++b) {
            const int van = std::max(b->start, begin);
            const int tot = std::min(b->start + b->lengte, eind);
            Toevoegen(formats, begin, positie, van, KleurGewoon);
            Toevoegen(formats, begin, van, tot, b->kleur);
            positie = tot;
        }
        Toevoegen(formats, begin, positie, eind, KleurGewoon);
        QTextLayout* layout = blok.layout();
        if (layout->formats() != formats) {
            layout->setFormats(formats);
            if (vuilVan < 0) vuilVan = begin;
            vuilTot = begin + blok.length();
        }
    }
    if (vuilVan >= 0) document->markContentsDirty(vuilVan, vuilTot - vuilVan);
}

}  // namespace querimo::editor

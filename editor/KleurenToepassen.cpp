#include "editor/KleurenToepassen.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace querimo::editor {

namespace {

// One shared format per colour: comparing and storing them then costs no copy of their properties.
const QTextCharFormat& Opmaak(const QColor& kleur)
{
    static const auto maak = [](const QColor& k) {
        QTextCharFormat f;
        f.setForeground(k);
        return f;
    };
    static const QTextCharFormat sleutelwoord = maak(KleurSleutelwoord);
    static const QTextCharFormat literal = maak(KleurLiteral);
    return kleur == KleurSleutelwoord ? sleutelwoord : literal;
}

}  // namespace

void KleurenToepassen(QTextDocument* document, const std::vector<KleurBereik>& bereiken, Gewijzigd gewijzigd)
{
    // One dirty stretch for the whole pass: marking each block on its own lays the document out once per line.
    int vuilVan = -1;
    int vuilTot = -1;
    // A line break the change put in starts a new line just behind it, whose layout holds no colours yet.
    for (QTextBlock blok = document->findBlock(gewijzigd.van); blok.isValid() && blok.position() <= gewijzigd.tot;
         blok = blok.next()) {
        const int begin = blok.position();
        const int eind = begin + blok.length() - 1;  // the block's own text, without its separator
        // A literal may run over several lines, so a stretch can reach into the following blocks.
        auto volgende = std::upper_bound(bereiken.begin(), bereiken.end(), begin,
                                         [](int pos, const KleurBereik& b) { return pos < b.eind(); });
        QList<QTextLayout::FormatRange> formats;
        for (auto b = volgende; b != bereiken.end() && b->start < eind; ++b) {
            const int van = std::max(b->start, begin);
            const int tot = std::min(b->eind(), eind);
            if (van < tot) formats.append({van - begin, tot - van, Opmaak(b->kleur)});
        }
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

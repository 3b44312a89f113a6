#pragma once
#include <QColor>
#include <QString>
#include <vector>

namespace querimo::editor {

inline const QColor KleurGewoon(0, 0, 0);
inline const QColor KleurSleutelwoord(0, 0, 255);
inline const QColor KleurLiteral(0, 128, 64);

// A stretch of the editor text that gets a colour other than black; start counts from 0.
struct KleurBereik {
    int start = 0;
    int lengte = 0;
    QColor kleur;
    bool operator==(const KleurBereik&) const = default;
};

// Scans the whole text once and returns the keyword and literal stretches in text order.
// sleutelwoorden is the keyword list in its "#WORD#WORD#" form.
std::vector<KleurBereik> Kleurscan(const QString& tekst, const QString& sleutelwoorden);

}  // namespace querimo::editor

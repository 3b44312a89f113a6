#pragma once
#include <QColor>
#include <QSet>
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
    int eind() const { return start + lengte; }
    bool operator==(const KleurBereik&) const = default;
};

// The keyword list in its "#WORD#WORD#" form. A word is a keyword when "#" + word + "#" occurs in the list.
class Sleutelwoorden {
public:
    Sleutelwoorden() = default;
    explicit Sleutelwoorden(const QString& lijst);
    // woord is upper-cased already.
    bool Bevat(const QString& woord) const;

private:
    QString lijst_;
    // A word without "#" can only match one entry between two "#"s whole: a set answers that at once.
    QSet<QString> woorden_;
};

// Where the scan stands before a character; the rest of the scan depends on this and the text after it alone.
// The word start counts only outside literals and bracketed names, the literal start only inside a literal.
struct ScanStand {
    int woordStart = 0;
    bool inHaken = false;
    QChar openAanhaling;  // null when no literal is open
    int literalStart = 0;

    // Where the stretches the scan has yet to report can begin: nothing reported from here on starts earlier.
    int Snede(int positie) const
    {
        if (!openAanhaling.isNull()) return literalStart;
        return inHaken ? positie : woordStart;
    }
};

// The colouring scan, one character at a time, so that it can resume from a state it reported earlier.
class Scanner {
public:
    Scanner(const QString& tekst, const Sleutelwoorden& woorden, const ScanStand& stand, std::vector<KleurBereik>& uit)
        : tekst_(tekst), woorden_(woorden), stand_(stand), uit_(uit)
    {}

    void Stap(int i);
    // After the last character: a word that ends the text is looked up too, unless a literal is still open.
    void Einde();
    const ScanStand& Stand() const { return stand_; }

private:
    void WoordKleuren(int start, int eind);
    const QString& Hoofdletters(QStringView woord);

    const QString& tekst_;
    const Sleutelwoorden& woorden_;
    ScanStand stand_;
    std::vector<KleurBereik>& uit_;
    QString woord_;
};

// Scans the whole text once and returns the keyword and literal stretches in text order.
// sleutelwoorden is the keyword list in its "#WORD#WORD#" form.
std::vector<KleurBereik> Kleurscan(const QString& tekst, const QString& sleutelwoorden);

}  // namespace querimo::editor

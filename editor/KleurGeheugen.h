#pragma once
#include <QString>
#include <vector>

#include "editor/Kleurscan.h"

namespace querimo::editor {

// The stretch of the text, [van, tot), whose colours a change may have altered.
struct Gewijzigd {
    int van = 0;
    int tot = 0;
};

// The colours of the editor's text, with the scan's state at places every few dozen characters, so that after
// a change only what the change can affect is scanned again: from the start of the word, literal or name it
// touches, on until the scan stands as it stood before at the same place in the unchanged rest.
class KleurGeheugen {
public:
    void ZetSleutelwoorden(const QString& lijst) { woorden_ = Sleutelwoorden(lijst); }

    Gewijzigd Alles(const QString& tekst);
    // tekst is the new text: the old one with the verwijderd characters at positie replaced by toegevoegd
    // new ones. A change that does not fit the text last seen scans it whole.
    Gewijzigd Bijwerken(const QString& tekst, int positie, int verwijderd, int toegevoegd);

    // The length of the text last seen.
    int Lengte() const { return lengte_; }
    // In text order, none overlapping.
    const std::vector<KleurBereik>& Bereiken() const { return bereiken_; }

private:
    struct Punt {
        int positie;
        ScanStand stand;  // before the character at positie
    };

    Sleutelwoorden woorden_;
    std::vector<KleurBereik> bereiken_;
    std::vector<Punt> punten_{{0, ScanStand()}};
    int lengte_ = 0;
};

}  // namespace querimo::editor

#include "editor/KleurGeheugen.h"

#include <algorithm>
#include <iterator>

namespace querimo::editor {

namespace {

// Characters between two remembered states: a change rescans at most this far back before its start.
constexpr int Afstand = 64;

// The new state equals the old one, verschuiving further on, in everything the rest of the scan depends on;
// a word or literal in progress must lie wholly behind the change, so its stretch moves unchanged.
bool ZelfdeStand(const ScanStand& nieuw, const ScanStand& oud, int verschuiving, int changeEind)
{
    if (nieuw.inHaken != oud.inHaken || nieuw.openAanhaling != oud.openAanhaling) return false;
    if (!oud.openAanhaling.isNull())
        return nieuw.literalStart == oud.literalStart + verschuiving && nieuw.literalStart >= changeEind;
    if (oud.inHaken) return true;
    return nieuw.woordStart == oud.woordStart + verschuiving && nieuw.woordStart >= changeEind;
}

ScanStand Verschoven(ScanStand stand, int verschuiving)
{
    stand.woordStart += verschuiving;
    stand.literalStart += verschuiving;
    return stand;
}

}  // namespace

Gewijzigd KleurGeheugen::Alles(const QString& tekst)
{
    bereiken_.clear();
    punten_.assign(1, Punt{0, ScanStand()});
    Scanner scan(tekst, woorden_, ScanStand(), bereiken_);
    const int n = static_cast<int>(tekst.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && i % Afstand == 0) punten_.push_back({i, scan.Stand()});
        scan.Stap(i);
    }
    scan.Einde();
    lengte_ = n;
    return {0, n};
}

Gewijzigd KleurGeheugen::Bijwerken(const QString& tekst, int positie, int verwijderd, int toegevoegd)
{
    const int n = static_cast<int>(tekst.size());
    if (positie < 0 || verwijderd < 0 || toegevoegd < 0 || positie + verwijderd > lengte_
        || lengte_ - verwijderd + toegevoegd != n)
        return Alles(tekst);
    const int verschuiving = toegevoegd - verwijderd;
    const int oudEind = positie + verwijderd;
    const int nieuwEind = positie + toegevoegd;

    // Resume from the last state remembered at or before the change: nothing before it changed.
    const auto voorPositie = [](const Punt& p, int pos) { return p.positie < pos; };
    auto start = std::prev(std::upper_bound(punten_.begin(), punten_.end(), positie,
                                            [](int pos, const Punt& p) { return pos < p.positie; }));
    const int snede = start->stand.Snede(start->positie);
    const auto eersteOud = std::lower_bound(bereiken_.begin(), bereiken_.end(), snede,
                                            [](const KleurBereik& b, int pos) { return b.start < pos; });

    std::vector<KleurBereik> nieuw;
    std::vector<Punt> nieuwePunten;
    Scanner scan(tekst, woorden_, start->stand, nieuw);
    auto oud = std::lower_bound(start, punten_.end(), oudEind, voorPositie);
    int laatste = start->positie;
    int i = start->positie;
    for (; i < n; ++i) {
        if (i >= nieuwEind) {
            while (oud != punten_.end() && oud->positie + verschuiving < i) ++oud;
            if (oud != punten_.end() && oud->positie + verschuiving == i
                && ZelfdeStand(scan.Stand(), oud->stand, verschuiving, nieuwEind))
                break;
        }
        if (i - laatste >= Afstand) {
            nieuwePunten.push_back({i, scan.Stand()});
            laatste = i;
        }
        scan.Stap(i);
    }

    // The rest of the old colours and states, moved with the text, if the scan met the old one again.
    std::vector<KleurBereik> rest;
    std::vector<Punt> restPunten;
    if (i < n) {
        const int oudeSnede = oud->stand.Snede(oud->positie);
        auto b = std::lower_bound(eersteOud, bereiken_.end(), oudeSnede,
                                  [](const KleurBereik& r, int pos) { return r.start < pos; });
        for (; b != bereiken_.end(); ++b) rest.push_back({b->start + verschuiving, b->lengte, b->kleur});
        for (auto p = oud; p != punten_.end(); ++p)
            restPunten.push_back({p->positie + verschuiving, Verschoven(p->stand, verschuiving)});
    } else {
        scan.Einde();
    }

    bereiken_.erase(eersteOud, bereiken_.end());
    bereiken_.insert(bereiken_.end(), nieuw.begin(), nieuw.end());
    bereiken_.insert(bereiken_.end(), rest.begin(), rest.end());
    punten_.erase(std::next(start), punten_.end());
    punten_.insert(punten_.end(), nieuwePunten.begin(), nieuwePunten.end());
    punten_.insert(punten_.end(), restPunten.begin(), restPunten.end());
    lengte_ = n;
    return {std::min(snede, positie), std::max(i, nieuwEind)};
}

}  // namespace querimo::editor

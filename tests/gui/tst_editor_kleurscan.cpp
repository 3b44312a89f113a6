// The colouring scan on its own: which stretches of a statement become blue or green.
#include <QtTest>

#include "editor/Kleurscan.h"

using querimo::editor::Kleurscan;
using querimo::editor::KleurLiteral;
using querimo::editor::KleurSleutelwoord;

namespace {

const QString Woorden = QStringLiteral("#SELECT#FROM#WHERE#");

// The scan's result as readable text: each coloured stretch with "b" (keyword) or "g" (literal).
QStringList Gekleurd(const QString& tekst, const QString& woorden = Woorden)
{
    QStringList uit;
    for (const auto& b : Kleurscan(tekst, woorden)) {
        const QString soort = b.kleur == KleurSleutelwoord ? "b" : b.kleur == KleurLiteral ? "g" : "?";
        uit << soort + u':' + tekst.mid(b.start, b.lengte);
    }
    return uit;
}

}  // namespace

class TestKleurscan : public QObject {
    Q_OBJECT

private slots:
    void kleuren_data()
    {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<QStringList>("verwacht");
        QTest::newRow("keywords in any case") << "select naam from klant where id=1"
                                              << QStringList{"b:select", "b:from", "b:where"};
        QTest::newRow("bracket is a separator") << "SELECT(" << QStringList{"b:SELECT"};
        QTest::newRow("dot and plus belong to words") << "a.select select+1" << QStringList{};
        QTest::newRow("literal with keyword inside") << "where naam = 'de select'"
                                                     << QStringList{"b:where", "g:'de select'"};
        QTest::newRow("double-quoted literal") << "where \"from\" select"
                                               << QStringList{"b:where", "g:\"from\"", "b:select"};
        QTest::newRow("double quote inside single-quoted literal") << "'a\"b' from"
                                                                   << QStringList{"g:'a\"b'", "b:from"};
        QTest::newRow("single quote inside double-quoted literal") << "\"a'b\" from"
                                                                   << QStringList{"g:\"a'b\"", "b:from"};
        QTest::newRow("bracketed names stay black") << "select [order] from [select]"
                                                    << QStringList{"b:select", "b:from"};
        QTest::newRow("bracket inside literal opens a name") << "'a[b' select" << QStringList{};
        QTest::newRow("bracketed name closed inside literal") << "'a[b]' select"
                                                              << QStringList{"g:'a[b]'", "b:select"};
        QTest::newRow("unclosed literal") << "select 'abc from" << QStringList{"b:select"};
        QTest::newRow("last word without separator") << "select * from" << QStringList{"b:select", "b:from"};
        QTest::newRow("keyword alone") << "from" << QStringList{"b:from"};
        QTest::newRow("keyword followed by quote") << "select'x'" << QStringList{"g:'x'"};
        QTest::newRow("keyword followed by bracket") << "select[x] from" << QStringList{"b:from"};
        QTest::newRow("word containing the list separator") << "SELECT#FROM" << QStringList{"b:SELECT#FROM"};
        QTest::newRow("line breaks and tabs separate") << "select\r\n\tnaam\nfrom"
                                                       << QStringList{"b:select", "b:from"};
        QTest::newRow("all separators") << "(select)=from;where,select<from>where!"
                                        << QStringList{"b:select", "b:from", "b:where", "b:select", "b:from", "b:where"};
        QTest::newRow("closing bracket outside a name") << "] select" << QStringList{"b:select"};
        QTest::newRow("unclosed bracket") << "select [from where" << QStringList{"b:select"};
        QTest::newRow("empty text") << "" << QStringList{};
        QTest::newRow("literal directly after a word ends nothing") << "from'x' where"
                                                                     << QStringList{"g:'x'", "b:where"};
    }

    void kleuren()
    {
        QFETCH(QString, tekst);
        QFETCH(QStringList, verwacht);
        QCOMPARE(Gekleurd(tekst), verwacht);
    }

    void lowerCaseEntryNeverMatches()
    {
        QCOMPARE(Gekleurd("select from", "#select#From#"), QStringList{});
        QCOMPARE(Gekleurd("select from", "#SELECT #"), QStringList{});
    }

    void upperCasesBeyondAscii()
    {
        QCOMPARE(Gekleurd(QStringLiteral("überall"), QStringLiteral("#ÜBERALL#")), QStringList{"b:überall"});
    }

    void emptyListColoursNothing() { QCOMPARE(Gekleurd("select from", "#"), QStringList{}); }

    void positionsCountUtf16Units()
    {
        // A character outside the basic plane takes two positions in the editor as well.
        const auto b = Kleurscan(QStringLiteral("'\U0001F600' from"), Woorden);
        QCOMPARE(b.size(), std::size_t(2));
        QCOMPARE(b[0].lengte, 4);
        QCOMPARE(b[1].start, 5);
    }

    void longTextIsColouredThroughout()
    {
        // Beyond 32,766 characters the positions simply grow wider.
        const QString tekst = QString(40000, u'x') + QStringLiteral(" from");
        const auto b = Kleurscan(tekst, Woorden);
        QCOMPARE(b.size(), std::size_t(1));
        QCOMPARE(b[0].start, 40001);
    }
};

QTEST_APPLESS_MAIN(TestKleurscan)
#include "tst_editor_kleurscan.moc"

// Running the editor's statement and showing its outcome: rows, a message, or the failure over the grid.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QTextCursor>
#include <QTextEdit>

#include "app/InvoerTegenhouden.h"
#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "core/Error.h"
#include "exec/DataTekst.h"
#include "exec/FoutVan.h"
#include "exec/RecordsetModel.h"
#include "exec/ResultaatKolommen.h"
#include "exec/Uitvoerberichten.h"
#include "exec/frmParameters.h"

namespace ado = querimo::ado;
namespace exec = querimo::exec;

namespace {

QStringList parameterNamen(ado::Parameters& parameters)
{
    QStringList namen;
    for (const ado::Parameter& p : parameters.items()) namen << QString::fromStdString(p.Name);
    return namen;
}

}  // namespace

// The whole cycle for the editor's statement: busy state, history, prepare, parameters, execute, show.
// Preparing and executing run off the window's thread; meanwhile the window paints and takes only Esc.
void frmQuerimo::OpdrachtUitvoeren()
{
    const bool editorActief = QApplication::focusWidget() == rtbSQL;
    const int caret = rtbSQL->textCursor().selectionStart();

    lblFout->hide();
    dgdSQL->show();
    opdrachtLoopt_ = true;
    uitvoering.ZetRijenGetoond(false);
    KnoppenBijwerken();
    QApplication::setOverrideCursor(Qt::WaitCursor);

    Paneel("licht")->setPixmap(imlKnoppen.Item("oranje"));
    Paneel("status")->setText("Opdracht wordt uitgevoerd ...");
    // Paint the busy state before anything else happens.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    HistoriekToevoegen();

    Paneel("status")->clear();
    std::optional<QString> fout = uitvoering.Voorbereiden(database.Verbinding, rtbSQL->toPlainText());

    bool uitvoeren = !sluitenNaAfloop_;
    if (fout) {
        FoutTonen(*fout);
        uitvoeren = false;
    } else if (uitvoeren && !uitvoering.StopGevraagd() && uitvoering.Parameters().Count() != 0) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        frmParameters dialoog(parameterNamen(uitvoering.Parameters()), rtbSQL->font(), this);
        uitvoeren = dialoog.exec() == QDialog::Accepted;
        QApplication::restoreOverrideCursor();
        if (uitvoeren) {
            const auto& waarden = dialoog.Waarden();
            for (std::size_t i = 0; i < waarden.size(); ++i) uitvoering.Parameters().Item(i).Value = waarden[i];
        }
    }

    if (uitvoeren) {
        const auto& vorige = uitvoering.Resultaat();
        if (vorige && vorige->State() == ado::ObjectState::Open) RasterKoppelen(nullptr);
        long aantal = 0;
        fout = uitvoering.Uitvoeren(aantal);
        if (fout) {
            // Rows shown while they arrived go with a stopped or failed query.
            if (dgdSQLRijen && dgdSQLRijen->Recordset()) RasterKoppelen(nullptr);
            FoutTonen(*fout);
        } else {
            ResultaatTonen(aantal);
        }
    }

    opdrachtLoopt_ = false;
    KnoppenBijwerken();
    QApplication::restoreOverrideCursor();
    if (editorActief) {
        QTextCursor c = rtbSQL->textCursor();
        c.setPosition(std::min(caret, rtbSQL->document()->characterCount() - 1));
        rtbSQL->setTextCursor(c);
    }
    if (sluitenNaAfloop_) close();
}

// One of the three outcomes of a statement that was executed without failure.
void frmQuerimo::ResultaatTonen(long aantal)
{
    // The statement ran, but showing its outcome may fail (reading the schema again, for instance).
    const std::optional<QString> fout = exec::FoutVan([&] {
        const QString opdracht = rtbSQL->toPlainText();
        const std::shared_ptr<ado::Recordset>& rsResult = uitvoering.Resultaat();
        const exec::Uitkomst uitkomst = uitvoering.UitkomstNa(aantal);
        if (uitkomst == exec::Uitkomst::Actie) {
            if (exec::IsSelectInto(opdracht)) StruktuurVullen();
            Paneel("licht")->setPixmap(imlKnoppen.Item("groen"));
            Paneel("status")->setText(exec::ActieMelding(aantal, opdracht));
        } else if (uitkomst == exec::Uitkomst::Rijen) {
            RijenAangekomen();
            uitvoering.ZetRijenGetoond(!rsResult->Eof());
            Paneel("licht")->setPixmap(imlKnoppen.Item("groen"));
            Paneel("status")->setText(exec::RecordAantalTekst(static_cast<qint64>(rsResult->RecordCount()), QLocale()));
        } else {
            StruktuurVullen();
            Paneel("licht")->setPixmap(imlKnoppen.Item("groen"));
            Paneel("status")->setText("Opdracht is verwerkt.");
        }
    });
    if (fout) FoutTonen(*fout);
}

// The rows of the running query as they are read, then all of them: the first time bound to the grid, later
// only told that there are more. The light and the status text stay as they are until the query ends.
void frmQuerimo::RijenAangekomen()
{
    const std::shared_ptr<ado::Recordset>& rs = uitvoering.Resultaat();
    if (!rs || rs->State() != ado::ObjectState::Open) return;
    if (!dgdSQLRijen || dgdSQLRijen->Recordset() != rs) {
        RijenTonen(rs);
        return;
    }
    dgdSQLRijen->RijenBijgekomen();
    // Scrolled to the end of what the grid knows: the view fetches only when the scroll bar moves there.
    const QScrollBar* balk = dgdSQL->verticalScrollBar();
    if (balk->value() == balk->maximum() && dgdSQLRijen->canFetchMore({})) dgdSQLRijen->fetchMore({});
    if (!dgdSQL->currentIndex().isValid() && dgdSQLRijen->rowCount() > 0)
        dgdSQL->setCurrentIndex(dgdSQLRijen->index(0, 0));
}

// A query's rows in the grid: numeric columns right-aligned and as wide as their caption needs.
void frmQuerimo::RijenTonen(const std::shared_ptr<ado::Recordset>& rs)
{
    RasterKoppelen(rs);
    // Rows as high as one line of the grid's font, not the style's roomier default.
    dgdSQL->verticalHeader()->setDefaultSectionSize(QFontMetrics(dgdSQL->font()).height() + 4);
    const QFontMetrics maat(font());
    for (int kolom = 0; kolom < static_cast<int>(rs->fieldInfo().size()); ++kolom) {
        const ado::FieldInfo& veld = rs->fieldInfo()[static_cast<std::size_t>(kolom)];
        if (!exec::IsNumeriekType(veld.type)) continue;
        dgdSQLRijen->RechtsUitlijnen(kolom);
        const double kopBreedte = Routines::PixelsNaarTwips(maat.horizontalAdvance(QString::fromStdString(veld.name)));
        dgdSQL->setColumnWidth(kolom, Routines::TwipsNaarPixels(exec::NumeriekeKolomBreedte(kopBreedte)));
    }
}

// The grid shows rs without copying it; its current row is the record set's current record.
void frmQuerimo::RasterKoppelen(std::shared_ptr<ado::Recordset> rs)
{
    if (!dgdSQLRijen) {
        dgdSQLRijen = new exec::RecordsetModel(this);
        dgdSQL->setModel(dgdSQLRijen);
        connect(dgdSQL->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& huidig) {
                    const auto& rijen = dgdSQLRijen->Recordset();
                    if (huidig.isValid() && rijen && rijen->State() == ado::ObjectState::Open)
                        rijen->Move(static_cast<std::size_t>(huidig.row()));
                });
    }
    dgdSQLRijen->Koppelen(std::move(rs));
    if (dgdSQLRijen->rowCount() > 0) dgdSQL->setCurrentIndex(dgdSQLRijen->index(0, 0));
}

// A failed statement shows no message box: a red light, a fixed status text and the database's own
// description where the grid was.
void frmQuerimo::FoutTonen(const QString& description)
{
    Paneel("status")->setText("Fout bij verwerken SQL opdracht");
    Paneel("licht")->setPixmap(imlKnoppen.Item("rood"));
    dgdSQL->hide();
    FoutPlaatsen();
    // The description is shown as written, even when it holds something that looks like markup.
    lblFout->setTextFormat(Qt::PlainText);
    lblFout->setText(description);
    // Whoever shows the grid again while the label is still up gets the grid on top.
    lblFout->stackUnder(dgdSQL);
    lblFout->show();
}

// The label lies exactly over the grid's rectangle, shown or not.
void frmQuerimo::FoutPlaatsen()
{
    lblFout->setGeometry(dgdSQL->geometry());
}

// The result rows from the grid's current row on, as tab-separated text for a spreadsheet.
void frmQuerimo::DataKopieren()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (!uitvoering.Resultaat()) return;
    try {
        clipboard->setText(QString::fromStdString(exec::DataTekst(*uitvoering.Resultaat())));
    } catch (...) {
        // A record set that can no longer be read leaves the clipboard empty.
    }
}

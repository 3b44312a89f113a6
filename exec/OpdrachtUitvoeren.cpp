#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTextCursor>
#include <QTextEdit>
#include <optional>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "core/Error.h"
#include "exec/RecordsetModel.h"
#include "exec/ResultaatKolommen.h"
#include "exec/Uitvoerberichten.h"
#include "exec/frmParameters.h"

namespace ado = querimo::ado;
namespace exec = querimo::exec;

namespace {

// From preparing the command to executing it, a failing operation does not stop the run: the next
// checkpoint finds the most recent failure.
class Foutopvang {
public:
    template <typename F>
    void Proberen(F&& f)
    {
        try {
            f();
        } catch (const querimo::DbError& e) {
            fout_ = QString::fromStdString(e.description());
        } catch (const std::exception& e) {
            fout_ = QString::fromLocal8Bit(e.what());
        }
    }
    const std::optional<QString>& Fout() const { return fout_; }

private:
    std::optional<QString> fout_;
};

}  // namespace

// The whole cycle for the editor's statement: busy state, history, prepare, parameters, execute, show.
void frmQuerimo::OpdrachtUitvoeren()
{
    const bool editorActief = QApplication::focusWidget() == rtbSQL;
    const int caret = rtbSQL->textCursor().selectionStart();

    lblFout->hide();
    dgdSQL->show();
    mnuUitvoeren->setEnabled(false);
    mnuDataKopieren->setEnabled(false);
    Knop("run")->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    Paneel("licht")->setPixmap(imlKnoppen.Item("oranje"));
    Paneel("status")->setText("Opdracht wordt uitgevoerd ...");
    // Paint the busy state; input waits, so nothing else can start meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    HistoriekToevoegen();

    Foutopvang opvang;
    Paneel("status")->clear();
    if (!cmdResult) cmdResult = std::make_unique<ado::Command>();
    cmdResult->ActiveConnection = &Verbinding;
    opvang.Proberen([&] { cmdResult->SetCommandText(rtbSQL->toPlainText().toStdString()); });
    const std::size_t aantalParameters = cmdResult->GetParameters().Count();

    bool uitvoeren = true;
    if (opvang.Fout()) {
        FoutTonen(*opvang.Fout());
        uitvoeren = false;
    } else if (aantalParameters != 0) {
        Tag.clear();
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        frmParameters(*this).exec();
        QApplication::restoreOverrideCursor();
        uitvoeren = Tag == "*";
    }

    if (uitvoeren) {
        long aantal = 0;
        opvang.Proberen([&] {
            if (rsResult && rsResult->State() == ado::ObjectState::Open) {
                RasterKoppelen(nullptr);
                rsResult->Close();
            }
        });
        opvang.Proberen([&] { rsResult = cmdResult->Execute(&aantal); });
        if (opvang.Fout())
            FoutTonen(*opvang.Fout());
        else
            ResultaatTonen(aantal);
    }

    mnuUitvoeren->setEnabled(true);
    Knop("run")->setEnabled(true);
    QApplication::restoreOverrideCursor();
    if (editorActief) {
        QTextCursor c = rtbSQL->textCursor();
        c.setPosition(std::min(caret, rtbSQL->document()->characterCount() - 1));
        rtbSQL->setTextCursor(c);
    }
}

// One of the three outcomes of a statement that was executed without failure.
void frmQuerimo::ResultaatTonen(long aantal)
{
    try {
        const QString opdracht = rtbSQL->toPlainText();
        if (aantal != 0) {
            if (exec::IsSelectInto(opdracht)) StruktuurVullen();
            Paneel("licht")->setPixmap(imlKnoppen.Item("groen"));
            Paneel("status")->setText(exec::ActieMelding(aantal, opdracht));
        } else if (rsResult->State() == ado::ObjectState::Open) {
            RasterKoppelen(rsResult);
            mnuDataKopieren->setEnabled(!rsResult->Eof());
            // Rows as high as one line of the grid's font, not the style's roomier default.
            dgdSQL->verticalHeader()->setDefaultSectionSize(QFontMetrics(dgdSQL->font()).height() + 4);
            const QFontMetrics maat(font());
            for (int kolom = 0; kolom < static_cast<int>(rsResult->fieldInfo().size()); ++kolom) {
                const ado::FieldInfo& veld = rsResult->fieldInfo()[static_cast<std::size_t>(kolom)];
                if (!exec::IsNumeriekType(veld.type)) continue;
                dgdSQLRijen->RechtsUitlijnen(kolom);
                const double kopBreedte =
                    Routines::PixelsNaarTwips(maat.horizontalAdvance(QString::fromStdString(veld.name)));
                dgdSQL->setColumnWidth(kolom, Routines::TwipsNaarPixels(exec::NumeriekeKolomBreedte(kopBreedte)));
            }
            Paneel("licht")->setPixmap(imlKnoppen.Item("groen"));
            Paneel("status")->setText(exec::RecordAantalTekst(static_cast<qint64>(rsResult->RecordCount()), QLocale()));
        } else {
            StruktuurVullen();
            Paneel("licht")->setPixmap(imlKnoppen.Item("groen"));
            Paneel("status")->setText("Opdracht is verwerkt.");
        }
    } catch (const querimo::DbError& e) {
        // The statement ran, but showing its outcome failed (reading the schema again, for instance).
        FoutTonen(QString::fromStdString(e.description()));
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

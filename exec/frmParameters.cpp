#include "exec/frmParameters.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTextEdit>

#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "exec/RecordsetModel.h"
#include "exec/TekstVakDelegate.h"

namespace ado = querimo::ado;

namespace {

constexpr int TekstLengte = 255;

QRect Twips(double left, double top, double width, double height)
{
    return QRect(Routines::TwipsNaarPixels(left), Routines::TwipsNaarPixels(top), Routines::TwipsNaarPixels(width),
                 Routines::TwipsNaarPixels(height));
}

}  // namespace

frmParameters::frmParameters(frmQuerimo& owner)
    : QDialog(&owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), owner_(owner)
{
    setWindowTitle("Parameters");
    setFixedSize(Routines::TwipsNaarPixels(4680), Routines::TwipsNaarPixels(3195));

    dgdParameters = new QTableView(this);
    dgdParameters->setObjectName("dgdParameters");
    dgdParameters->setGeometry(Twips(53, 120, 4575, 2415));

    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setGeometry(Twips(968, 2640, 1140, 390));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmParameters::cmdOK_Click);

    cmdCancel = new QPushButton("Annuleren", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(Twips(2573, 2640, 1140, 390));
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);  // Esc rejects a dialog as well

    Form_Load();
}

frmParameters::~frmParameters() = default;

// One row per parameter of the command, in its order, so row k belongs to parameter k.
void frmParameters::Form_Load()
{
    rsParameters = std::make_shared<ado::Recordset>();
    rsParameters->GetFields().Append("Parameter", ado::DataType::VarChar, TekstLengte, -1);
    rsParameters->GetFields().Append("Waarde", ado::DataType::VarChar, TekstLengte, -1);
    rsParameters->Open();
    ado::Parameters& parameters = owner_.cmdResult->GetParameters();
    for (std::size_t i = 0; i < parameters.Count(); ++i) {
        rsParameters->AddNew();
        rsParameters->GetFields().Item(std::size_t{0}).SetValue(querimo::Value::text(parameters.Item(i).Name));
    }

    rijen_ = new querimo::exec::RecordsetModel(this);
    rijen_->Koppelen(rsParameters);
    rijen_->KolomBewerkbaar(1);
    dgdParameters->setModel(rijen_);
    dgdParameters->setItemDelegateForColumn(1, new querimo::exec::TekstVakDelegate(TekstLengte, this));

    owner_.LettertypeToepassen(owner_.rtbSQL, dgdParameters);
    dgdParameters->horizontalHeader()->setFont(dgdParameters->font());
    const int kolomBreedte = Routines::TwipsNaarPixels(4575.0 / 2 - 1);
    dgdParameters->setColumnWidth(0, kolomBreedte);
    dgdParameters->setColumnWidth(1, kolomBreedte);

    // No record selectors, as on the result grid; typing in a value cell starts editing it.
    dgdParameters->verticalHeader()->hide();
    dgdParameters->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                                   | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    if (rijen_->rowCount() > 0) dgdParameters->setCurrentIndex(rijen_->index(0, 1));
}

void frmParameters::cmdOK_Click()
{
    ado::Parameters& parameters = owner_.cmdResult->GetParameters();
    rsParameters->MoveFirst();
    for (std::size_t index = 0; !rsParameters->Eof(); ++index) {
        const querimo::Value waarde = rsParameters->GetFields().Item("waarde").GetValue();
        parameters.Item(index).Value = waarde.isNull() ? std::nullopt : std::optional<std::string>(waarde.bytes);
        rsParameters->MoveNext();
    }
    owner_.Tag = "*";
    accept();
}

// Every way of closing, the close box included, releases the table.
void frmParameters::done(int result)
{
    rijen_->Koppelen(nullptr);
    if (rsParameters && rsParameters->State() == ado::ObjectState::Open) rsParameters->Close();
    QDialog::done(result);
}

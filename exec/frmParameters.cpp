#include "exec/frmParameters.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTextEdit>

#include "app/Routines.h"
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

frmParameters::frmParameters(const QStringList& namen, const QFont& lettertype, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
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

    Form_Load(namen, lettertype);
}

frmParameters::~frmParameters() = default;

// One row per parameter of the command, in its order, so row k belongs to parameter k.
void frmParameters::Form_Load(const QStringList& namen, const QFont& lettertype)
{
    rsParameters = std::make_shared<ado::Recordset>();
    rsParameters->GetFields().Append("Parameter", ado::DataType::VarChar, TekstLengte, -1);
    rsParameters->GetFields().Append("Waarde", ado::DataType::VarChar, TekstLengte, -1);
    rsParameters->Open();
    for (const QString& naam : namen) {
        rsParameters->AddNew();
        rsParameters->GetFields().Item(std::size_t{0}).SetValue(querimo::Value::text(naam.toStdString()));
    }

    rijen_ = new querimo::exec::RecordsetModel(this);
    rijen_->Koppelen(rsParameters);
    rijen_->KolomBewerkbaar(1);
    dgdParameters->setModel(rijen_);
    auto* waardeVak = new querimo::exec::TekstVakDelegate(TekstLengte, this);
    dgdParameters->setItemDelegateForColumn(1, waardeVak);
    // Enter in a cell being edited keeps the value and confirms, as in any form; the cell closes first.
    connect(waardeVak, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache)
                    QMetaObject::invokeMethod(cmdOK, &QPushButton::click, Qt::QueuedConnection);
            });

    Routines::LettertypeToepassen(lettertype, dgdParameters);
    dgdParameters->horizontalHeader()->setFont(dgdParameters->font());
    // Half the grid each, measured inside its frame and beside a vertical scroll bar, so nothing scrolls
    // sideways.
    dgdParameters->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    // No record selectors, as on the result grid; typing in a value cell starts editing it.
    dgdParameters->verticalHeader()->hide();
    dgdParameters->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                                   | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    if (rijen_->rowCount() > 0) dgdParameters->setCurrentIndex(rijen_->index(0, 1));
}

void frmParameters::cmdOK_Click()
{
    waarden_.clear();
    for (rsParameters->MoveFirst(); !rsParameters->Eof(); rsParameters->MoveNext()) {
        const querimo::Value waarde = rsParameters->GetFields().Item("waarde").GetValue();
        waarden_.push_back(waarde.isNull() ? std::nullopt : std::optional<std::string>(waarde.bytes));
    }
    accept();
}

// Every way of closing, the close box included, releases the table.
void frmParameters::done(int result)
{
    rijen_->Koppelen(nullptr);
    if (rsParameters && rsParameters->State() == ado::ObjectState::Open) rsParameters->Close();
    QDialog::done(result);
}

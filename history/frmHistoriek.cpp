#include "history/frmHistoriek.h"

#include <QListWidget>
#include <QPushButton>

#include "app/LayoutPixels.h"

using querimo::layout::heightTwips;
using querimo::layout::place;
using querimo::layout::widthTwips;

frmHistoriek::frmHistoriek(const QStringList& historiek, const QFont& font, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Querimo Historiek"));
    setFont(font);

    lstHistoriek = new QListWidget(this);
    lstHistoriek->setSelectionMode(QAbstractItemView::SingleSelection);
    lstHistoriek->setFont(font);
    // The list sets its horizontal scroll range from its widest line itself.
    lstHistoriek->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lstHistoriek->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdOK->setEnabled(false);
    cmdCancel = new QPushButton(QStringLiteral("Annuleren"), this);
    cmdCancel->setAutoDefault(false);

    for (const QString& opdracht : historiek) lstHistoriek->addItem(Regel(opdracht));
    lstHistoriek->setCurrentRow(-1);

    // OK follows the selection, however it was made: a click or the arrow keys.
    connect(lstHistoriek, &QListWidget::itemSelectionChanged, this,
            [this] { cmdOK->setEnabled(!lstHistoriek->selectedItems().isEmpty()); });
    connect(lstHistoriek, &QListWidget::itemDoubleClicked, cmdOK, &QPushButton::click);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

int frmHistoriek::Keuze() const
{
    const QList<QListWidgetItem*> selected = lstHistoriek->selectedItems();
    return selected.isEmpty() ? 0 : lstHistoriek->row(selected.first()) + 1;
}

QString frmHistoriek::Regel(const QString& opdracht)
{
    // The editor's text may hold CR LF pairs (from a text file) or its own bare line feeds.
    QString regel = opdracht;
    regel.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    regel.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return regel;
}

QRect frmHistoriek::Plaats(int w, int h, int l, int t)
{
    return QRect(l + qRound(w * 0.25), t + qRound(h * 0.25), qRound(w * 0.75), qRound(h * 0.75));
}

void frmHistoriek::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const float sw = widthTwips(this);
    const float sh = heightTwips(this);

    lijst_.width = sw;
    if (ok_.width + cancel_.width + 100 < sw) {
        ok_.left = sw / 2 - 50 - ok_.width;
        cancel_.left = ok_.left + ok_.width + 100;
    }
    if (ok_.height + 400 < sh) {
        ok_.top = sh - ok_.height - 100;
        cancel_.top = ok_.top;
        lijst_.height = sh - ok_.height - 200;
    }
    place(lstHistoriek, lijst_);
    place(cmdOK, ok_);
    place(cmdCancel, cancel_);
}

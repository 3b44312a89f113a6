#include "structure/StruktuurSlepen.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextEdit>
#include <QTreeWidget>

#include "app/frmQuerimo.h"

namespace {

const QString structureFormat = QStringLiteral("application/x-querimo-struktuur");

QByteArray treeIdentity(const QTreeWidget* tree)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':'
           + QByteArray::number(reinterpret_cast<quintptr>(tree));
}

}  // namespace

StruktuurSlepen::StruktuurSlepen(frmQuerimo& frm) : frm_(frm)
{
    frm_.treStruktuur->viewport()->installEventFilter(this);
    frm_.rtbSQL->viewport()->installEventFilter(this);
}

QString StruktuurSlepen::SleepNaam(const QString& knoopTekst)
{
    const qsizetype at = knoopTekst.indexOf(QLatin1String(" ("));
    return at > 0 ? knoopTekst.left(at) : knoopTekst;
}

QMimeData* StruktuurSlepen::SleepGegevens(const QTreeWidget* tree)
{
    auto* data = new QMimeData;
    data->setData(structureFormat, treeIdentity(tree));
    return data;
}

bool StruktuurSlepen::VanBoom(const QMimeData* data, const QTreeWidget* tree)
{
    return data && data->data(structureFormat) == treeIdentity(tree);
}

bool StruktuurSlepen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == frm_.treStruktuur->viewport()) return treeEvent(event);
    if (watched == frm_.rtbSQL->viewport()) return editorEvent(event);
    return false;
}

bool StruktuurSlepen::treeEvent(QEvent* event)
{
    QTreeWidget* tree = frm_.treStruktuur;
    if (event->type() == QEvent::MouseMove) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() != Qt::LeftButton) return false;
        QTreeWidgetItem* node = tree->itemAt(mouse->position().toPoint());
        if (!node) return false;
        auto* drag = new QDrag(tree);
        drag->setMimeData(SleepGegevens(tree));
        drag->setPixmap(tree->viewport()->grab(tree->visualItemRect(node)));
        drag->exec(Qt::CopyAction);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) frm_.mnuBeeld->popup(mouse->globalPosition().toPoint());
    }
    return false;
}

bool StruktuurSlepen::editorEvent(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    if (!VanBoom(drop->mimeData(), frm_.treStruktuur)) return false;  // other drags keep the editor's own handling
    drop->acceptProposedAction();
    if (type != QEvent::Drop) return true;

    // The selected node, not the one under the pointer when the drag began; the text goes to the caret.
    if (const QTreeWidgetItem* node = frm_.treStruktuur->currentItem()) {
        frm_.SelectieVervangen(SleepNaam(node->text(0)));
    }
    frm_.rtbSQL->setFocus();
    return true;
}

void frmQuerimo::SlepenVerbinden()
{
    slepen_ = std::make_unique<StruktuurSlepen>(*this);
}

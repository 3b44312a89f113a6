#include "structure/StruktuurSlepen.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextEdit>
#include <QTreeWidget>


namespace {

const QString structureFormat = QStringLiteral("application/x-querimo-struktuur");

QByteArray treeIdentity(const QTreeWidget* tree)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':'
           + QByteArray::number(reinterpret_cast<quintptr>(tree));
}

}  // namespace

StruktuurSlepen::StruktuurSlepen(QTreeWidget* tree, QTextEdit* editor, QMenu* beeldMenu, QObject* parent)
    : QObject(parent), tree_(tree), editor_(editor), beeldMenu_(beeldMenu)
{
    tree_->viewport()->installEventFilter(this);
    editor_->viewport()->installEventFilter(this);
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
    if (watched == tree_->viewport()) return treeEvent(event);
    if (watched == editor_->viewport()) return editorEvent(event);
    return false;
}

bool StruktuurSlepen::treeEvent(QEvent* event)
{
    QTreeWidget* tree = tree_;
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
        if (mouse->button() == Qt::RightButton) beeldMenu_->popup(mouse->globalPosition().toPoint());
    }
    return false;
}

bool StruktuurSlepen::editorEvent(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    if (!VanBoom(drop->mimeData(), tree_)) return false;  // other drags keep the editor's own handling
    drop->acceptProposedAction();
    if (type != QEvent::Drop) return true;

    // The selected node, not the one under the pointer when the drag began; the text goes to the caret.
    if (const QTreeWidgetItem* node = tree_->currentItem()) {
        emit Neergezet(SleepNaam(node->text(0)));
    }
    editor_->setFocus();
    return true;
}

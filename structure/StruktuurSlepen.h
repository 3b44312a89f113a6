#pragma once
#include <QObject>
#include <QString>

class QMimeData;
class QMenu;
class QTextEdit;
class QTreeWidget;

// Dragging names from the structure tree into the editor, and the tree's "Beeld" popup menu.
class StruktuurSlepen : public QObject {
    Q_OBJECT
public:
    // Watches the tree and the editor; beeldMenu pops up on the tree.
    StruktuurSlepen(QTreeWidget* tree, QTextEdit* editor, QMenu* beeldMenu, QObject* parent = nullptr);

    // What a node's text puts in the editor: the text before its first " (", so a field node gives its
    // bare name; a text that has no " (" after its first character is taken whole.
    static QString SleepNaam(const QString& knoopTekst);

    // What a drag from the tree carries: only the tree of this window and process, no text, so other
    // programs and controls take no notice of it.
    static QMimeData* SleepGegevens(const QTreeWidget* tree);
    static bool VanBoom(const QMimeData* data, const QTreeWidget* tree);

signals:
    // A name was dropped on the editor: it takes the place of the selection, or goes to the caret.
    void Neergezet(const QString& naam);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool treeEvent(QEvent* event);
    bool editorEvent(QEvent* event);

    QTreeWidget* tree_;
    QTextEdit* editor_;
    QMenu* beeldMenu_;
};

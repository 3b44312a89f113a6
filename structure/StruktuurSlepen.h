#pragma once
#include <QObject>
#include <QString>

class QMimeData;
class QTreeWidget;
class frmQuerimo;

// Dragging names from the structure tree into the editor, and the tree's "Beeld" popup menu.
class StruktuurSlepen : public QObject {
    Q_OBJECT
public:
    // Watches the tree and the editor of the window.
    explicit StruktuurSlepen(frmQuerimo& frm);

    // What a node's text puts in the editor: the text before its first " (", so a field node gives its
    // bare name; a text that has no " (" after its first character is taken whole.
    static QString SleepNaam(const QString& knoopTekst);

    // What a drag from the tree carries: only the tree of this window and process, no text, so other
    // programs and controls take no notice of it.
    static QMimeData* SleepGegevens(const QTreeWidget* tree);
    static bool VanBoom(const QMimeData* data, const QTreeWidget* tree);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool treeEvent(QEvent* event);
    bool editorEvent(QEvent* event);

    frmQuerimo& frm_;
};

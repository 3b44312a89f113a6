#pragma once
#include <QString>

class QWidget;

// A file dialog that keeps its title, filter, initial folder and last file name between uses, so the
// program can steer where it opens. Filter: "description|pattern|description|pattern...".
class CommonDialog {
public:
    QString DialogTitle;
    QString Filter;
    QString InitDir;
    QString FileName;  // full path of the file chosen last; empty when none

    // Both return false when the user cancels; FileName then keeps its value.
    bool ShowOpen(QWidget* parent);
    bool ShowSave(QWidget* parent);

    // "a|*.x;*.z|b|*.y" -> "a (*.x *.z);;b (*.y)"
    static QString QtFilter(const QString& filter);

private:
    bool show(QWidget* parent, bool save);
};

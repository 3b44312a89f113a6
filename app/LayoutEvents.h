#pragma once
#include <QObject>

class frmQuerimo;

// Brings the window's resizes, state changes and the splitter bars' mouse moves to its layout handlers.
class LayoutEvents : public QObject {
    Q_OBJECT
public:
    explicit LayoutEvents(frmQuerimo& frm);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmQuerimo& frm_;
};

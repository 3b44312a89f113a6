#pragma once
#include <QObject>
#include <functional>

// While a statement runs, the window takes no input: keys, mouse buttons, wheel turns and shortcuts are
// dropped (not kept for later), except Esc, which asks the statement to stop, and the mouse and wheel on the
// one widget let through (the grid, which shows a query's first rows while the rest arrives).
class InvoerTegenhouden : public QObject {
    Q_OBJECT

public:
    explicit InvoerTegenhouden(std::function<void()> stoppen);
    ~InvoerTegenhouden() override;

    void Aan();
    void Uit();
    void Doorlaten(QObject* widget) { doorlaten_ = widget; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool VoorDoorlaten(QObject* watched, QEvent* event) const;  // a mouse or wheel event for that widget

    std::function<void()> stoppen_;
    bool aan_ = false;
    QObject* doorlaten_ = nullptr;
};

#pragma once
#include <QObject>

class QWidget;

// Brings the window's resizes, state changes and the splitter bars' mouse moves to the layout.
class LayoutEvents : public QObject {
    Q_OBJECT

public:
    LayoutEvents(QWidget* window, QWidget* werkvlak, QWidget* horSplit, QWidget* vertSplit);

signals:
    void Resize();
    // button: the layout's button bits; y and x in twips within the bar.
    void HorSplitMouseMove(int button, float y);
    void VertSplitMouseMove(int button, float x);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QWidget* werkvlak_;
    QWidget* horSplit_;
};

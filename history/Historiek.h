#pragma once
#include <QObject>
#include <QStringList>
#include <optional>

namespace querimo::historiek {

// The executed statements and the position last shown or added (0: none).
class Historiek : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    const QStringList& Lijst() const { return lijst_; }
    int Index() const { return index_; }
    bool VorigeMogelijk() const;
    bool VolgendeMogelijk() const;

    // Appends the statement and returns its position; the position shown stays until Naar moves it.
    int Opnemen(const QString& opdracht);
    // Stands on a position and hands its statement back; a position outside the list changes nothing.
    std::optional<QString> Naar(int index);
    void Leegmaken();

signals:
    void Gewijzigd();

private:
    QStringList lijst_;
    int index_ = 0;
};

}  // namespace querimo::historiek

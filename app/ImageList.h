#pragma once
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The 16 x 16 images of the window, addressed by key. Each image is the resource ":/images/<key>.png".
class ImageList {
public:
    static const QStringList& Keys();  // in their fixed order
    QPixmap Item(const QString& key) const;
    QIcon Icon(const QString& key) const;
};

#include "platform/graphics/Icons.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

void TIcon::Draw(TCanvas* canvas, const TRect& r, uint8_t opacity) const
{
    if (!canvas || Empty())
        return;
    canvas->DrawImage(r, FPixmap.toImage(), TRect(0, 0, Width(), Height()), opacity);
}

void TIcon::LoadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open file \"%1\"").arg(path));
    LoadFromData(file.readAll(), path);
}

void TIcon::LoadFromData(const QByteArray& data, const QString& nameForErrors)
{
    QImage image;
    if (!image.loadFromData(data))
        throw EInvalidGraphic(QStringLiteral("Invalid icon data in \"%1\"").arg(nameForErrors));
    FPixmap = QPixmap::fromImage(image);
}

void TIcon::SaveToFile(const QString& path) const
{
    if (Empty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !FPixmap.save(&file, "PNG"))
        throw EInOutError(QStringLiteral("Cannot create file \"%1\"").arg(path));
}

void TIcon::Assign(const TIcon* Source)
{
    FPixmap = Source ? Source->FPixmap : QPixmap();
}

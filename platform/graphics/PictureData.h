// The bytes a TPicture was last loaded from, so a JPEG file can be passed on unchanged (the HTML
// export's images, the binary cell stream's pictures). TPicture keeps them up to date on every load,
// copy, clear and destruction; drawn pictures have none.
#pragma once

#include <QByteArray>

class TPicture;

// Empty for a picture that was not loaded from data.
QByteArray PictureSourceData(const TPicture* Picture);
// Used by TPicture itself; empty data forgets the entry.
void SetPictureSourceData(const TPicture* Picture, const QByteArray& Data);

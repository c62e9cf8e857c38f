#include "platform/graphics/PictureData.h"

#include <unordered_map>

namespace
{

// Kept beside the pictures rather than in them: most pictures are drawn, and the loaded ones are
// few. Pictures live on the user-interface thread only.
std::unordered_map<const TPicture*, QByteArray>& Sources()
{
    static std::unordered_map<const TPicture*, QByteArray> map;
    return map;
}

} // namespace

QByteArray PictureSourceData(const TPicture* Picture)
{
    const auto it = Sources().find(Picture);
    return it == Sources().end() ? QByteArray() : it->second;
}

void SetPictureSourceData(const TPicture* Picture, const QByteArray& Data)
{
    if (Data.isEmpty())
        Sources().erase(Picture);
    else
        Sources()[Picture] = Data;
}

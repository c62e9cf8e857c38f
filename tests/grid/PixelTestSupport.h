// Test support: image canvases and pixel reads for the drawing tests.
#pragma once

#include "platform/graphics/Canvas.h"

#include <QImage>
#include <memory>
#include <vector>

namespace pixeltest
{

// What lies under the drawing in every test image.
constexpr TColor Paper = 0x123456;

// An image filled with Paper and a canvas on it.
struct Surface {
    QImage image;
    std::unique_ptr<TCanvas> canvas;
    Surface(int w, int h) : image(w, h, QImage::Format_RGB32)
    {
        image.fill(ColorToQColor(Paper));
        canvas = std::make_unique<TCanvas>(&image);
    }
    TColor At(int x, int y) const { return canvas->GetPixel(x, y); }
    // The runs of `color` along row y, as (start, length).
    std::vector<std::pair<int, int>> RunsInRow(int y, TColor color) const
    {
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; x < image.width(); ++x) {
            if (At(x, y) != color)
                continue;
            if (!runs.empty() && runs.back().first + runs.back().second == x)
                ++runs.back().second;
            else
                runs.emplace_back(x, 1);
        }
        return runs;
    }
    int Count(TColor color) const
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += At(x, y) == color;
        return n;
    }
};

} // namespace pixeltest

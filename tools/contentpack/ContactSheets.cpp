#include "tools/contentpack/ContactSheets.h"

#include <cmath>

#include "base/Rect.h"

namespace {

// `picture` reduced to width × height by averaging the pixels each target
// pixel covers (alpha-weighted).
Picture Reduced(const Picture& picture, int32_t width, int32_t height) {
    Picture reduced(width, height);
    const double sx = static_cast<double>(picture.Width()) / width;
    const double sy = static_cast<double>(picture.Height()) / height;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const int32_t x0 = static_cast<int32_t>(std::floor(x * sx)),
                          x1 = static_cast<int32_t>(std::ceil((x + 1) * sx));
            const int32_t y0 = static_cast<int32_t>(std::floor(y * sy)),
                          y1 = static_cast<int32_t>(std::ceil((y + 1) * sy));
            double r = 0, g = 0, b = 0, a = 0;
            int count = 0;
            for (int32_t py = y0; py < std::min(y1, picture.Height()); ++py) {
                for (int32_t px = x0; px < std::min(x1, picture.Width()); ++px) {
                    const Colour& c = picture.At(px, py);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                    ++count;
                }
            }
            if (a > 0)
                reduced.At(x, y) = Colour{r / a, g / a, b / a, a / count};
            else
                reduced.At(x, y) = Colour{0, 0, 0, 0};
        }
    }
    return reduced;
}

void PaintOver(Picture& target, const Picture& top, int32_t left, int32_t topY) {
    for (int32_t y = 0; y < top.Height(); ++y) {
        for (int32_t x = 0; x < top.Width(); ++x) {
            Colour& under = target.At(left + x, topY + y);
            under = Over(top.At(x, y), under);
        }
    }
}

}  // namespace

Picture OverCheckerboard(const Picture& picture, int32_t square) {
    Picture board(picture.Width(), picture.Height());
    for (int32_t y = 0; y < board.Height(); ++y) {
        for (int32_t x = 0; x < board.Width(); ++x) {
            const bool light = ((x / square) + (y / square)) % 2 == 0;
            board.At(x, y) = light ? Rgb(0.86, 0.86, 0.86) : Rgb(0.70, 0.70, 0.70);
        }
    }
    PaintOver(board, picture, 0, 0);
    return board;
}

Picture TubeContactSheet(const TubePicture& tube, int32_t stampSize) {
    const int32_t width = tube.picture.Width();
    const int32_t cells = tube.columns * tube.rows;
    const int32_t strip = stampSize + 8;
    Picture sheet(width, tube.picture.Height() + 2 * strip);
    const Picture board = OverCheckerboard(tube.picture, 16);
    sheet.Place(board, 0, 0);
    const int32_t cellWidth = tube.picture.Width() / tube.columns;
    const int32_t cellHeight = tube.picture.Height() / tube.rows;
    for (int ground = 0; ground < 2; ++ground) {
        const Colour colour = ground == 0 ? Rgb(0.95, 0.93, 0.88) : Rgb(0.16, 0.20, 0.28);
        const int32_t top = tube.picture.Height() + ground * strip;
        for (int32_t y = 0; y < strip; ++y) {
            for (int32_t x = 0; x < width; ++x) sheet.At(x, top + y) = colour;
        }
        for (int32_t i = 0; i < cells; ++i) {
            Picture cell(cellWidth, cellHeight);
            const int32_t cx = (i % tube.columns) * cellWidth, cy = (i / tube.columns) * cellHeight;
            for (int32_t y = 0; y < cellHeight; ++y) {
                for (int32_t x = 0; x < cellWidth; ++x) cell.At(x, y) = tube.picture.At(cx + x, cy + y);
            }
            PaintOver(sheet, Reduced(cell, stampSize, stampSize), 4 + i * (stampSize + 6), top + 4);
        }
    }
    return sheet;
}

Picture AssembledFrame(const FramePicture& frame, int32_t repeats) {
    const int32_t cell = frame.picture.Width() / 3;
    const int32_t count = repeats + 2;
    Picture assembled(count * cell, count * cell);
    for (int32_t y = 0; y < assembled.Height(); ++y) {
        for (int32_t x = 0; x < assembled.Width(); ++x) {
            // The cell of the frame picture this pixel comes from.
            const int32_t cx = x / cell, cy = y / cell;
            const int32_t sx = cx == 0 ? 0 : cx == count - 1 ? 2 : 1;
            const int32_t sy = cy == 0 ? 0 : cy == count - 1 ? 2 : 1;
            const Colour ground =
                Mix(Rgb(0.45, 0.62, 0.85), Rgb(0.95, 0.85, 0.60), static_cast<double>(y) / assembled.Height());
            const Colour& piece = frame.picture.At(sx * cell + x % cell, sy * cell + y % cell);
            assembled.At(x, y) = (sx == 1 && sy == 1) ? ground : Over(piece, ground);
        }
    }
    return assembled;
}

Picture TextureContactSheet(const HeightField& texture) {
    const int32_t n = texture.size;
    Picture sheet(2 * n, n);
    for (int32_t y = 0; y < n; ++y) {
        for (int32_t x = 0; x < n; ++x) {
            // Left: the texture tiled twice each way at half size.
            const int32_t tx = (2 * x) % n, ty = (2 * y) % n;
            const double grey = 0.25 * (texture.At(tx, ty) + texture.At(tx + 1, ty) + texture.At(tx, ty + 1) +
                                        texture.At(tx + 1, ty + 1));
            sheet.At(x, y) = Rgb(grey, grey, grey);
            // Right: the relief, lit from the upper left, repeating across the
            // middle of the picture.
            const int32_t rx = x + n / 2, ry = y + n / 2;
            const double gx = 0.5 * (texture.At(rx + 1, ry) - texture.At(rx - 1, ry));
            const double gy = 0.5 * (texture.At(rx, ry + 1) - texture.At(rx, ry - 1));
            const double k = 12.0;
            const Vector3 normal = Normalised(Vector3{-k * gx, -k * gy, 1.0});
            sheet.At(n + x, y) = LitColour(Rgb(0.80, 0.72, 0.60), normal, 0.1, 10.0, 0.35);
        }
    }
    return sheet;
}

namespace {

// The mean colour of `tile` over the pixels [x0, x1) × [y0, y1).
Colour TileMean(const RasterImage& tile, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    double r = 0, g = 0, b = 0;
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x) {
            const uint8_t* p = tile.Row(y) + static_cast<std::size_t>(x) * 3;
            r += p[0];
            g += p[1];
            b += p[2];
        }
    }
    const double n = 255.0 * (x1 - x0) * (y1 - y0);
    return Rgb(r / n, g / n, b / n);
}

}  // namespace

Picture TileContactSheet(const std::vector<RasterImage>& tiles, int32_t side) {
    const int32_t columns = static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(tiles.size()))));
    const int32_t rows = CeilDiv(static_cast<int32_t>(tiles.size()), columns);
    const int32_t pitch = side + 2;
    Picture sheet(columns * pitch + 2, rows * pitch + 2);
    for (int32_t y = 0; y < sheet.Height(); ++y) {
        for (int32_t x = 0; x < sheet.Width(); ++x) sheet.At(x, y) = Rgb(0.2, 0.2, 0.2);
    }
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const RasterImage& tile = tiles[i];
        const int32_t left = 2 + static_cast<int32_t>(i) % columns * pitch;
        const int32_t top = 2 + static_cast<int32_t>(i) / columns * pitch;
        for (int32_t y = 0; y < side; ++y) {
            for (int32_t x = 0; x < side; ++x) {
                sheet.At(left + x, top + y) = TileMean(tile, x * tile.width / side, y * tile.height / side,
                                                       (x + 1) * tile.width / side, (y + 1) * tile.height / side);
            }
        }
    }
    return sheet;
}

Picture MosaicPreview(const Picture& picture, const std::vector<RasterImage>& tiles,
                      const std::vector<std::vector<unsigned char>>& thumbnails, int32_t side, int32_t cell) {
    const int32_t width = picture.Width() / cell * cell, height = picture.Height() / cell * cell;
    const int32_t step = cell / side;
    Picture sheet(2 * width, height);
    std::vector<double> samples(static_cast<std::size_t>(side * side * 3));
    for (int32_t cy = 0; cy < height; cy += cell) {
        for (int32_t cx = 0; cx < width; cx += cell) {
            // The cell's mean colours over side × side parts, in bytes.
            for (int32_t j = 0; j < side; ++j) {
                for (int32_t i = 0; i < side; ++i) {
                    double sum[3] = {0, 0, 0};
                    for (int32_t y = 0; y < step; ++y) {
                        for (int32_t x = 0; x < step; ++x) {
                            const Colour& c = picture.At(cx + i * step + x, cy + j * step + y);
                            sum[0] += c.r;
                            sum[1] += c.g;
                            sum[2] += c.b;
                        }
                    }
                    for (int k = 0; k < 3; ++k) {
                        samples[static_cast<std::size_t>((j * side + i) * 3 + k)] = sum[k] * 255.0 / (step * step);
                    }
                }
            }
            std::size_t best = 0;
            double bestDistance = 1e30;
            for (std::size_t t = 0; t < thumbnails.size(); ++t) {
                double distance = 0.0;
                for (std::size_t k = 0; k < samples.size(); ++k) {
                    const double d = samples[k] - thumbnails[t][k];
                    distance += d * d;
                }
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = t;
                }
            }
            const RasterImage& tile = tiles[best];
            for (int32_t y = 0; y < cell; ++y) {
                for (int32_t x = 0; x < cell; ++x) {
                    sheet.At(cx + x, cy + y) = picture.At(cx + x, cy + y);
                    sheet.At(width + cx + x, cy + y) =
                        TileMean(tile, x * tile.width / cell, y * tile.height / cell, (x + 1) * tile.width / cell,
                                 (y + 1) * tile.height / cell);
                }
            }
        }
    }
    return sheet;
}
